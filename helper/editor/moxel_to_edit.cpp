#include "moxel_to_edit.h"

#include <string>

#include "edit_frame.h"
#include "edit_session.h"
#include "helper_state.h"

MoxelToEditI TheMoxelToEdit;

namespace {

// The text of the last message per session stays valid until the next call
// for that session; one buffer per window does that.
EditSession* SessionOf(int session) {
  EditFrame* frame = Helper.AllEdits.FindSession(session);
  return frame ? &frame->Session() : nullptr;
}

EditSession* SessionAt(int index) {
  EditFrame* frame = Helper.AllEdits.At(index);
  return frame ? &frame->Session() : nullptr;
}

int RemoveAndReport(int index) {
  Helper.AllEdits.Remove(index);
  return Helper.AllEdits.AnyRegistered() ? 1 : 0;
}

}  // namespace

int MoxelToEditI::CloseSession(int session) {
  EditFrame* frame = Helper.AllEdits.FindSession(session, true);
  if (!frame) return 1;
  return RemoveAndReport(frame->Session().index);
}

void MoxelToEditI::AcknowledgeSend(int session) {
  // The text did not change: the status indicators follow in the idle pass.
  if (EditSession* s = SessionOf(session)) s->Queue().Acknowledge();
}

int MoxelToEditI::GetNextMessage(int session, const char** text, int* length) {
  EditSession* s = SessionOf(session);
  if (!s) return 0;
  if (!s->NextMessage(s->lastMessage)) return 0;
  if (text) *text = s->lastMessage.c_str();
  if (length) *length = static_cast<int>(s->lastMessage.size());
  return 1;
}

void MoxelToEditI::CloseAll() { Helper.AllEdits.DestroyAll(); }

void MoxelToEditI::AddLoadedLine(int index, const char* text, int length) {
  if (EditSession* s = SessionAt(index)) s->Lines().AddLoadedLine(text, length);
}

void MoxelToEditI::EndOfLoad(int index) {
  if (EditFrame* frame = Helper.AllEdits.At(index)) frame->ShowLoaded();
}

int MoxelToEditI::CloseIndex(int index) { return RemoveAndReport(index); }

int MoxelToEditI::GetPendingSession() {
  for (int i = 0; i < Helper.AllEdits.SlotCount(); ++i) {
    EditFrame* frame = Helper.AllEdits.At(i);
    if (frame && !frame->Session().Queue().Empty()) return frame->Session().session;
  }
  return 0;
}

void MoxelToEditI::CancelContinuation(int session) {
  if (EditSession* s = SessionOf(session)) s->Queue().CancelContinuation();
}

void MoxelToEditI::HostReply(int session, const char* reply) {
  if (EditSession* s = SessionOf(session)) s->HostReply(reply);
}

void MoxelToEditI::SetAllViewOnly() {
  Helper.AllEdits.ForEach([](EditFrame& frame) {
    frame.Session().SetViewOnly();
    frame.Refresh();
  });
}

int MoxelToEditI::AnyBusy() {
  int busy = 0;
  Helper.AllEdits.ForEach([&busy](EditFrame& frame) {
    if (frame.Session().Busy()) busy = 1;
  });
  return busy;
}

void MoxelToEditI::CloseIdle() {
  for (int i = 0; i < Helper.AllEdits.SlotCount(); ++i) {
    EditFrame* frame = Helper.AllEdits.At(i);
    if (frame && !frame->Session().Busy()) Helper.AllEdits.Remove(i);
  }
}

MoxelToEdit* OpenEditWindow(EditFrameFactory factory, EditToMoxel* callbacks, int* index, const char* title,
                            int session, int readOnly, const char* suffix) {
  Helper.editCallbacks = callbacks;
  EditFrame* frame = factory ? factory() : nullptr;
  if (!frame) return nullptr;
  EditSession& s = frame->Session();
  s.suffix = suffix ? suffix : "";
  if (callbacks) ReadPreferences(*callbacks, s.suffix.c_str(), s.prefs, Helper.customColors);
  s.readOnly = readOnly != 0;
  s.session = session;
  s.title = title ? title : "";
  if (!frame->CreateHidden()) {
    delete frame;
    return nullptr;
  }
  s.index = Helper.AllEdits.Register(frame);
  if (index) *index = s.index;
  return &TheMoxelToEdit;
}
