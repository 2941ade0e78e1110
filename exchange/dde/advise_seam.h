// The engine's DDE seam: ESC D W reads the advise report.
#pragma once

#include "service_seams.h"

class DdeAdviseSeam final : public DdeSeam {
 public:
  int AdviseReport(uint8_t* out, int outSize) override;
};
