#include "edit_fakes.h"

std::vector<std::string> FrameLog;
FakeFrame* LastFrame = nullptr;
bool NextFrameFails = false;

void FakeFrame::Destroy() {
  Log("destroy");
  if (LastFrame == this) LastFrame = nullptr;
  delete this;
}

EditFrame* MakeFakeFrame() {
  auto* frame = new FakeFrame(&FrameLog);
  frame->createSucceeds = !NextFrameFails;
  LastFrame = frame;
  return frame;
}
