// One edit session: the program's lines, the caret, the state flags of the
// window and its queue of operations for the host. Everything here is the
// window's logic without the window: keys arrive as editing commands and the
// frame only paints what this holds.
#pragma once

#include <string>

#include <vector>

#include "comment_block.h"
#include "edit_clock.h"
#include "edit_find.h"
#include "edit_lines.h"
#include "edit_markers.h"
#include "edit_preferences.h"
#include "outgoing_queue.h"

class EditFrame;

// With this many operations queued the terminal is told at once.
constexpr int kNotifyThreshold = 25;

// Request types of the request pending.
enum EditRequest { kRequestFunction = 0, kRequestSave = 1, kRequestMessage = 2 };

// A search as the find dialog or F3 asks for it.
struct FindRequest {
  std::string what;
  FindOptions options;
  bool fromTop = false;      // "Start at Top"
  bool inSelection = false;  // "In Selected Text"
};

// What the status bar shows besides the keyboard's own states.
struct EditStatus {
  int line;    // 1-based
  int column;  // 1-based
  bool insert;
  bool mod;      // a line change pending or operations queued
  bool sync;     // operations queued
  bool changed;  // modified or operations queued
  bool viewOnly;
};

// At most this many earlier caret lines are remembered ("Goto last position").
constexpr int kHistoryDepth = 20;

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
  bool SaveAndClose();  // Escape: "es" ("ea" when read-only: nothing can be saved)
  bool Exit();          // F12, Alt+F4
  void Compile() { Enqueue(kOpCompile, 0, 0); }
  // ---- batching ----
  // The clock of the flush timer (the system's unless a test sets one).
  void SetClock(EditClock* clock) { clock_ = clock ? clock : &SystemEditClock(); }
  const FlushTimer& Timer() const { return timer_; }
  // The frame's timer went off (or any tick): once the minute since the first
  // batched operation has passed, the terminal is told and the timer stops.
  void CheckFlushTimer();
  // Within a bulk command (Replace All, Comments OK) the terminal is told
  // once at its end, not for every operation.
  void BeginBulk() { ++bulk_; }
  void EndBulk();

  // ---- selection: from the anchor to the caret ----
  bool HasSelection() const;
  // Anchor at (anchorLine, anchorColumn), caret at (line, column); both are
  // clamped to the text.
  void Select(int anchorLine, int anchorColumn, int line, int column);
  void ClearSelection();
  void SelectAll();
  int AnchorLine() const { return anchorLine_; }
  int AnchorColumn() const { return anchorColumn_; }
  // Start and end (start before end) of the selection, or the caret twice.
  void SelectionBounds(int& line0, int& column0, int& line1, int& column1) const;
  // The lines a line command works on: those the selection touches (a
  // selection ending at the very start of a line leaves that line out), or
  // the caret line.
  void SelectedLines(int& first, int& last) const;
  // The selected text, lines joined by CR LF.
  std::string SelectedText() const;
  // Remove the selected text (false: refused or nothing selected).
  bool DeleteSelection();

  // ---- column block: columns [column0, column1) of the lines from the
  // anchor line to the caret line; its columns may pass a line's end ----
  // Alt+drag: the anchor corner and the caret corner.
  void SelectBlock(int anchorLine, int anchorColumn, int line, int column);
  // Alt+Shift+arrows: the block's caret corner moves (a block starts at the
  // caret, dropping a stream selection).
  void ExtendBlock(int lines, int columns);
  bool BlockSelected() const { return block_; }
  // The block's first and last line and its columns [column0, column1).
  void BlockBounds(int& line0, int& column0, int& line1, int& column1) const;
  // The caret's column as shown: a block's caret corner may stand past the
  // end of its line.
  int CaretShownColumn() const { return block_ ? blockColumn_ : caretColumn_; }

  // ---- editing commands (false: refused, the frame beeps) ----
  // Undo of the caret line: its text as it was when the caret came to it.
  bool CanUndo() const;
  bool Undo();
  // Insert text at the caret (over the selection); CR, LF and CR LF break lines.
  bool Paste(const std::string& text);
  bool Indent();
  bool Unindent();
  // Tab: a selection over several lines is indented; otherwise (over the
  // selection) spaces up to the next indentation stop in insert mode, or
  // the caret moved there in overtype mode (the line padded with spaces
  // when it ends before the stop).
  bool Tab();
  // Shift+Tab: a selection over several lines is unindented; otherwise the
  // caret goes back to the previous indentation stop.
  bool BackTab();
  bool CommentLines();
  bool UncommentLines();
  // "Copy Lines" text of the selected lines; false when it passes `limit`.
  bool CopyLines(std::string& out, size_t limit) const;
  // A numeric-pad key: the drawing byte (or the digit with drawing off).
  bool TypeNumPad(int key, bool ctrl, bool alt);
  // Whole-line changes from commands, queued as the host needs them.
  bool ReplaceLine(int line, const std::string& text);
  bool InsertLines(int at, const std::vector<std::string>& texts);
  bool DeleteLines(int at, int count);

  // ---- bookmarks and found strings ----
  LineMarkers& Bookmarks() { return bookmarks_; }
  const LineMarkers& Bookmarks() const { return bookmarks_; }
  LineMarkers& Founds() { return founds_; }
  const LineMarkers& Founds() const { return founds_; }
  bool ToggleBookmark() { return bookmarks_.Toggle(caretLine_); }
  // F2: to the next bookmark after the caret line (wrapping); false when none.
  bool GoToNextBookmark();

  // ---- find and replace ----
  // One search: from the dialog (no wrap) or repeated with F3 (`repeat`:
  // wraps once; `reverse`: Shift+F3, the other direction). A match is
  // selected with the caret at its end; searching again from a match goes on
  // past it (before it going up). False: "String not found".
  bool Find(const FindRequest& request, bool repeat = false, bool reverse = false);
  // F3 with the last request; false when there is none or nothing is found.
  bool FindAgain(bool reverse);
  const FindRequest& LastFind() const { return lastFind_; }
  bool HasLastFind() const { return !lastFind_.what.empty(); }
  // "Mark all": every matching line becomes a found string; the count.
  int MarkAll(const FindRequest& request);
  // "Replace": the selected match is replaced, then the next one is found.
  // False when nothing was replaced and nothing more is found.
  bool ReplaceNext(const FindRequest& request, const std::string& with);
  // "Replace All" in the program (or the selection): lines changed.
  int ReplaceAll(const FindRequest& request, const std::string& with);

  // ---- navigation ----
  // "Go to": line number (1-based), clamped to the program.
  bool GoToLine(int number);
  // The caret line is remembered (at most 20, the oldest dropped).
  void RememberPosition();
  bool GoToLastPosition();
  const std::vector<int>& History() const { return history_; }
  // The identifier at (or just before) the caret, empty when none.
  std::string WordAtCaret() const;
  // "Goto Label": remember the caret line, go to the label's line.
  bool GoToLabel(const std::string& name);
  // "Search File" (`wholeFile`, from the top) and "Search Forward" (from
  // the caret): the identifier at the caret as a whole word, keeping the
  // case option of `options`.
  bool SearchWordAtCaret(bool wholeFile, const FindOptions& options);
  // The function dialog's "Replace": the identifier at the caret becomes
  // `text`. CanReplaceWordAtCaret says whether the button is enabled.
  bool CanReplaceWordAtCaret() const;
  bool ReplaceWordAtCaret(const std::string& text);

  // ---- host requests (the word at the caret, F9 / F10 ...) ----
  bool RequestHelp();
  bool RequestFunction();
  bool RequestEditProgram();
  bool RequestViewProgram();
  const std::string& RequestAnswer() const { return requestAnswer_; }

  // ---- the comment block ----
  // The block at the head of the program and the number of lines it takes.
  ProgramComment ReadComment(int* consumed) const;
  // Comments OK: the block's lines replaced by the new block, each change
  // queued.
  bool ApplyComment(const ProgramComment& comment);

  EditStatus Status() const;
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
  void QueueReplace(int line);
  // Batching after an operation was queued.
  void AfterQueued(bool mustGo);
  bool TypeCharacterAtCaret(unsigned char c);
  bool NewLineAtCaret();
  bool BackspaceAtCaret();
  bool DeleteRightAtCaret();
  void QueueStructural(int code, int line, int count);
  void ApplySaveItem(const char* item);
  void CommunicationError();
  void Notify();
  void StartClosing();
  void LinesInserted(int at, int count);
  void LinesDeleted(int at, int count);
  bool SelectMatch(const FindHit& hit);
  bool DeleteBlock();
  // The selection covers more than one line (stream or block).
  bool SelectionSpansLines() const;
  // Queue a host request with the word at the caret; `type` >= 0 sets the
  // request pending.
  bool QueueRequest(int code, int type);
  // Columns [start, end) of the identifier at or just before the caret.
  bool WordBounds(int& start, int& end) const;

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
  int anchorLine_ = 0;
  int anchorColumn_ = 0;
  bool block_ = false;
  int blockAnchorColumn_ = 0;
  int blockColumn_ = 0;
  EditClock* clock_ = &SystemEditClock();
  FlushTimer timer_;
  int bulk_ = 0;
  bool bulkNotify_ = false;
  LineMarkers bookmarks_;
  LineMarkers founds_;
  FindRequest lastFind_;
  FindHit lastHit_;
  int findFirst_ = 0;  // the lines an "In Selected Text" search covers
  int findLast_ = -1;
  std::vector<int> history_;
};

extern const char kCommunicationErrorText[];
extern const char kSaveChangesQuestion[];
