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

std::vector<std::string> DrainMessages(EditSession& session, bool flush) {
  if (flush) session.FlushLineChange();
  std::vector<std::string> out;
  std::string m;
  while (session.NextMessage(m)) {
    out.push_back(m);
    session.Queue().Acknowledge();
  }
  return out;
}
