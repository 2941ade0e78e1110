// The process-wide record of what the engine is wired to: the shell, the
// current channel and the service seams. Unset slots fall back to built-in
// do-nothing implementations, so the engine always runs.
#pragma once

#include "engine_ports.h"
#include "service_seams.h"

struct EngineContext {
  EngineShell* shell;
  ChannelPort* channel;
  HostWindowSeam* windows;
  PickListSeam* pickLists;
  InputFieldSeam* fields;
  KeyboardSeam* keyboard;
  TextBlockSeam* textBlocks;
  FileSeam* files;
  PrintSeam* printing;
  DialSeam* dialing;
  DdeSeam* dde;
  LoginReportSeam* loginReport;
  ViewerSeam* viewer;
  AuxPortSeam* auxPort;
};

// Owned by engine_context.cpp.
extern EngineContext Engine;

// Wire the engine; null members keep (or get) their do-nothing defaults.
void AttachEngine(const EngineContext& context);
// Every slot back to its default.
void DetachEngine();
