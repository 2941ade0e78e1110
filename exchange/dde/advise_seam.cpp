#include "advise_seam.h"

#include "conversations.h"

int DdeAdviseSeam::AdviseReport(uint8_t* out, int outSize) { return WriteAdviseReport(out, outSize); }
