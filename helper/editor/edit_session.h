// One edit session: the program's lines, the caret, the state flags of the
// window and its queue of operations for the host. Everything here is the
// window's logic without the window: keys arrive as editing commands and the
// frame only paints what this holds.
#pragma once

#include <string>

#include "edit_lines.h"
#include "edit_preferences.h"
#include "outgoing_queue.h"

class EditFrame;

// Request types of the request pending.
enum EditRequest { kRequestFunction = 0, kRequestSave = 1, kRequestMessage = 2 };

class EditSession {
 public:
  explicit EditSession(EditFrame& frame) : frame_(&frame) {}

  // ---- identity, set when the window is opened ----
  std::string suffix;
  std::string title;
  int session = 0;
  int index = -1;
  bool readOnly = false;
  EditPreferences prefs;
  // The user chose to close through Exit while the session was view-only:
  // the terminal's close names this window first.
  bool closeRequested = false;
  // The user answered the save-preferences question when closing: -1 not
  // asked, 0 no, 1 yes.
  int savePrefsAnswer = -1;
  // The last message handed to the terminal (valid until the next one).
  std::string lastMessage;

  EditLines& Lines() { return lines_; }
  const EditLines& Lines() const { return lines_; }
  OutgoingQueue& Queue() { return queue_; }
  const OutgoingQueue& Queue() const { return queue_; }

  // ---- state ----
  bool ViewOnly() const { return viewOnly_; }
  bool Modified() const { return modified_; }
  bool Closing() const { return closing_; }
  bool RequestPending() const { return requestPending_; }
  int RequestType() const { return requestType_; }
  bool LineChangePending() const { return pendingLine_ >= 0; }
  bool InsertMode() const { return insertMode_; }
  int CaretLine() const { return caretLine_; }
  int CaretColumn() const { return caretColumn_; }
  // Busy in the terminal's sense: closing it would lose something.
  bool Busy() const;
  // Editing is refused (read-only, view-only, closing or a request pending).
  bool EditingRefused() const { return readOnly || viewOnly_ || closing_ || requestPending_; }

  // ---- the user's commands (false: refused, the frame beeps) ----
  bool TypeCharacter(unsigned char c);
  bool NewLine();     // Enter: split the line at the caret
  bool Backspace();   // delete left, or join with the line above
  bool DeleteRight(); // delete under the caret, or join the next line
  void MoveCaret(int line, int column);
  void MoveBy(int lines, int columns);
  void Home() { MoveCaret(caretLine_, 0); }
  void End();
  void ToggleInsert() { insertMode_ = !insertMode_; }
  bool Save();          // Ctrl+S: "ew"
  bool SaveAndClose();  // Escape: "es"
  bool Exit();          // F12, Alt+F4
  void Compile() { Enqueue(kOpCompile, 0, 0); }
  // Write the pending line change into the queue (leaving the line, saving).
  void FlushLineChange();
  // Whether the preferences are to be written when the window goes: always,
  // never, or as the user answered when closing it (a window closed by the
  // terminal was never asked, and writes nothing in the prompting mode).
  bool WritesPreferencesAtClose() const;

  // ---- from the terminal ----
  void HostReply(const char* reply);
  void SetViewOnly();
  // The next message for the host; false when none.
  bool NextMessage(std::string& out) { return queue_.Compose(lines_, out); }

 private:
  bool BeginLineEdit();
  void Enqueue(int code, int a, int b, std::string text = std::string());
  void QueueStructural(int code, int line, int count);
  void ApplySaveItem(const char* item);
  void CommunicationError();
  void Notify();
  void StartClosing();

  EditFrame* frame_;
  EditLines lines_;
  OutgoingQueue queue_;
  bool viewOnly_ = false;
  bool modified_ = false;
  bool closing_ = false;
  bool requestPending_ = false;
  int requestType_ = 0;
  std::string requestAnswer_;
  int pendingLine_ = -1;
  std::string pendingOriginal_;
  bool insertMode_ = true;
  int caretLine_ = 0;
  int caretColumn_ = 0;
};

extern const char kCommunicationErrorText[];
extern const char kSaveChangesQuestion[];
