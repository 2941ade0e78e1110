// The helper library's process-wide record: the editor's callbacks, the
// registry of edit windows, the custom colours all edit windows share, the
// viewer's callbacks and the monitor facts. One record, owned by
// helper_state.cpp; tests reset it.
#pragma once

#include "edit_registry.h"
#include "helper/interfaces/helper_interfaces.h"

struct HelperState {
  // Set by every CreateEditWindow (the last caller wins), read by every window.
  EditToMoxel* editCallbacks = nullptr;
  // The edit windows ("AllEdits").
  EditRegistry AllEdits;
  COLORREF customColors[16] = {};
  // The viewer's callbacks, stored by ConnectToHelper.
  HelperToMoxel* viewerCallbacks = nullptr;
};

extern HelperState Helper;

// Every window destroyed and every field back to its start value.
void ResetHelperState();
