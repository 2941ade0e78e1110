// The library's side of the terminal-to-editor boundary: the one
// MoxelToEditI object and the steps of opening an edit window.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

class EditFrame;

class MoxelToEditI final : public MoxelToEdit {
 public:
  int CloseSession(int session) override;
  void AcknowledgeSend(int session) override;
  int GetNextMessage(int session, const char** text, int* length) override;
  void CloseAll() override;
  void AddLoadedLine(int index, const char* text, int length) override;
  void EndOfLoad(int index) override;
  int CloseIndex(int index) override;
  int GetPendingSession() override;
  void CancelContinuation(int session) override;
  void HostReply(int session, const char* reply) override;
  void SetAllViewOnly() override;
  int AnyBusy() override;
  void CloseIdle() override;
};

extern MoxelToEditI TheMoxelToEdit;

// Makes the frame object for a new window (the Win32 frame in the library,
// a recording one in tests); null when it cannot be made.
using EditFrameFactory = EditFrame* (*)();

// CreateEditWindow's steps: store the callbacks, make the frame, keep the
// suffix and read the preferences, create the hidden window, register it,
// keep session, read-only flag and title; the MoxelToEdit object, or null
// (index untouched) when no window could be made.
MoxelToEdit* OpenEditWindow(EditFrameFactory factory, EditToMoxel* callbacks, int* index, const char* title,
                            int session, int readOnly, const char* suffix);
