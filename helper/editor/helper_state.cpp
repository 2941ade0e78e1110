#include "helper_state.h"

HelperState Helper;

void ResetHelperState() {
  Helper.AllEdits.DestroyAll();
  Helper.editCallbacks = nullptr;
  Helper.viewerCallbacks = nullptr;
  for (int i = 0; i < 16; ++i) Helper.customColors[i] = 0;
}

#include "headless_frame.h"

void (*HeadlessEditFrame::onLoaded)(EditSession&) = nullptr;
