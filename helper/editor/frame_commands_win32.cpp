// The edit window's commands: what each menu item, key and tool-bar button
// does, and when it is enabled or checked.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>

#include "edit_clipboard_win32.h"
#include "edit_comments_dialog_win32.h"
#include "edit_colors_dialog_win32.h"
#include "edit_find_dialog_win32.h"
#include "edit_function_dialog_win32.h"
#include "edit_goto_dialog_win32.h"
#include "edit_list_window_win32.h"
#include "edit_print_win32.h"
#include "edit_text_ops.h"
#include "frame_edit_win32.h"
#include "helper_ids.h"
#include "helper_state.h"

namespace {

// The most text one copy puts on the clipboard.
constexpr size_t kCopyLimit = 4u << 20;

}  // namespace

void CFrameEdit::RunCommand(int id) {
  if (CommandEnabled(id)) OnCommand(id);
}

void CFrameEdit::OnCommand(int id) {
  Busy busy(*this);
  bool done = true;
  if (!FileCommand(id, done) && !EditCommand(id, done) && !SearchCommand(id, done)) ConfigureCommand(id, done);
  if (!done) Beep();
  if (!destroyPending_) Refresh();
}

bool CFrameEdit::FileCommand(int id, bool& done) {
  switch (id) {
    case ID_EDIT_SAVE: done = session_.Save(); return true;
    case ID_EDIT_SAVE_CLOSE: done = session_.SaveAndClose(); return true;
    case ID_EDIT_COMPILE: session_.Compile(); return true;
    case ID_EDIT_EXIT: done = session_.Exit(); return true;
    case ID_EDIT_PRINT: PrintProgram(*this); return true;
    case ID_EDIT_HELP: done = session_.RequestHelp(); return true;
    case ID_EDIT_FUNCTION_HELP:
      done = session_.RequestFunction();
      if (done && session_.RequestPending()) showFunctionPending_ = true;
      return true;
    case ID_EDIT_EDIT_PROGRAM: done = session_.RequestEditProgram(); return true;
    case ID_EDIT_VIEW_PROGRAM: done = session_.RequestViewProgram(); return true;
    default: return false;
  }
}

bool CFrameEdit::EditCommand(int id, bool& done) {
  switch (id) {
    case ID_EDIT_UNDO: done = session_.Undo(); return true;
    case ID_EDIT_CUT: Copy(true); return true;
    case ID_EDIT_COPY: Copy(false); return true;
    case ID_EDIT_PASTE: Paste(); return true;
    case ID_EDIT_SELECT_ALL: session_.SelectAll(); return true;
    case ID_EDIT_COPY_LINES: CopyLines(); return true;
    case ID_EDIT_INDENT: done = session_.Indent(); return true;
    case ID_EDIT_UNINDENT: done = session_.Unindent(); return true;
    case ID_EDIT_COMMENT: done = session_.CommentLines(); return true;
    case ID_EDIT_UNCOMMENT: done = session_.UncommentLines(); return true;
    case ID_EDIT_COMMENTS: {
      if (session_.EditingRefused()) {
        done = false;
        return true;
      }
      int consumed = 0;
      ProgramComment comment = session_.ReadComment(&consumed);
      if (EditCommentsDialog(FrameWindow::Handle(), session_.title, comment)) done = session_.ApplyComment(comment);
      return true;
    }
    default: return false;
  }
}

bool CFrameEdit::SearchCommand(int id, bool& done) {
  switch (id) {
    case ID_EDIT_FIND: OpenFind(false); return true;
    case ID_EDIT_REPLACE: OpenFind(true); return true;
    case ID_EDIT_FIND_NEXT:
    case ID_EDIT_FIND_PREVIOUS:
      if (!session_.HasLastFind()) {
        OpenFind(false);
      } else if (!session_.FindAgain(id == ID_EDIT_FIND_PREVIOUS)) {
        Box(kStringNotFoundText, MB_OK | MB_ICONINFORMATION);
      }
      return true;
    case ID_EDIT_GOTO: {
      const int line = AskGoToLine(FrameWindow::Handle());
      if (line > 0) {
        session_.RememberPosition();
        done = session_.GoToLine(line);
      }
      return true;
    }
    case ID_EDIT_LABELS: ShowList(kListLabels); return true;
    case ID_EDIT_FOUND_LIST: ShowList(kListFound); return true;
    case ID_EDIT_BOOKMARK_LIST: ShowList(kListBookmarks); return true;
    case ID_EDIT_TOGGLE_BOOKMARK: session_.ToggleBookmark(); return true;
    case ID_EDIT_NEXT_BOOKMARK: done = session_.GoToNextBookmark(); return true;
    case ID_EDIT_CLEAR_BOOKMARKS: session_.Bookmarks().ClearAll(); return true;
    case ID_EDIT_CLEAR_FOUND: session_.Founds().ClearAll(); return true;
    case ID_EDIT_SEARCH_FILE: SearchWord(true); return true;
    case ID_EDIT_SEARCH_FORWARD: SearchWord(false); return true;
    case ID_EDIT_GOTO_LABEL: done = session_.GoToLabel(session_.WordAtCaret()); return true;
    case ID_EDIT_LAST_POSITION: done = session_.GoToLastPosition(); return true;
    default: return false;
  }
}

bool CFrameEdit::ConfigureCommand(int id, bool& done) {
  EditPreferences& p = session_.prefs;
  switch (id) {
    case ID_EDIT_TOOLBAR:
      p.toolbar = !p.toolbar;
      ShowToolbar(p.toolbar != 0);
      return true;
    case ID_EDIT_STATUSBAR:
      p.statusbar = !p.statusbar;
      ShowStatusbar(p.statusbar != 0);
      return true;
    case ID_EDIT_MARKER: p.columnWarning = !p.columnWarning; return true;
    case ID_EDIT_AUTO_INDENT: p.autoIndent = !p.autoIndent; return true;
    case ID_EDIT_NUMPAD: p.numPad = !p.numPad; return true;
    case ID_EDIT_SORT_LINE: p.sortLabels = 0; return true;
    case ID_EDIT_SORT_LABEL: p.sortLabels = 1; return true;
    case ID_EDIT_AUTO_SHOW: p.autoLabels = !p.autoLabels; return true;
    case ID_EDIT_EXIT_NEVER: p.saveOnExit = kSaveNever; return true;
    case ID_EDIT_EXIT_PROMPT: p.saveOnExit = kSavePrompt; return true;
    case ID_EDIT_EXIT_ALWAYS: p.saveOnExit = kSaveAlways; return true;
    case ID_EDIT_SAVE_PREFS:
      if (Helper.editCallbacks) {
        CapturePlacement(p);
        WritePreferences(*Helper.editCallbacks, session_.suffix.c_str(), p, Helper.customColors);
      }
      return true;
    case ID_EDIT_COLORS:
      if (EditColorsDialog(FrameWindow::Handle(), p, Helper.customColors)) {
        // The custom colours belong to every edit window.
        Helper.AllEdits.ForEach([](EditFrame& frame) { static_cast<CFrameEdit&>(frame).View().ApplyColours(); });
      }
      return true;
    case ID_EDIT_FONT: ChooseEditFont(); return true;
    default: done = true; return false;
  }
}

bool CFrameEdit::CommandEnabled(int id) {
  switch (id) {
    case ID_EDIT_SAVE: return !session_.Closing() && !session_.RequestPending() && !session_.readOnly;
    case ID_EDIT_SAVE_CLOSE: return !session_.Closing() && !session_.RequestPending();
    case ID_EDIT_UNDO: return session_.CanUndo();
    case ID_EDIT_FOUND_LIST: return !session_.Founds().Empty() || lists_[kListFound] != nullptr;
    case ID_EDIT_BOOKMARK_LIST: return !session_.Bookmarks().Empty() || lists_[kListBookmarks] != nullptr;
    case ID_EDIT_LAST_POSITION: return !session_.History().empty();
    default: return true;
  }
}

bool CFrameEdit::CommandChecked(int id) {
  const EditPreferences& p = session_.prefs;
  switch (id) {
    case ID_EDIT_TOOLBAR: return p.toolbar != 0;
    case ID_EDIT_STATUSBAR: return p.statusbar != 0;
    case ID_EDIT_MARKER: return p.columnWarning != 0;
    case ID_EDIT_AUTO_INDENT: return p.autoIndent != 0;
    case ID_EDIT_NUMPAD: return p.numPad != 0;
    case ID_EDIT_SORT_LINE: return p.sortLabels == 0;
    case ID_EDIT_SORT_LABEL: return p.sortLabels != 0;
    case ID_EDIT_AUTO_SHOW: return p.autoLabels != 0;
    case ID_EDIT_EXIT_NEVER: return p.saveOnExit == kSaveNever;
    case ID_EDIT_EXIT_PROMPT: return p.saveOnExit == kSavePrompt;
    case ID_EDIT_EXIT_ALWAYS: return p.saveOnExit == kSaveAlways;
    default: return false;
  }
}

void CFrameEdit::ShowList(EditListKind kind) {
  if (!lists_[kind]) {
    lists_[kind].reset(new EditListWindow(*this, kind));
    if (!lists_[kind]->Create(session_.prefs.dialogs[kind])) {
      lists_[kind].reset();
      return;
    }
  }
  lists_[kind]->Fill();
  lists_[kind]->Show();
}

void CFrameEdit::RefreshLists() {
  for (auto& list : lists_)
    if (list && list->Visible()) list->FillIfChanged();
}

void CFrameEdit::OpenFind(bool replace) {
  if (!find_) {
    find_.reset(new EditFindDialog(*this));
    if (!find_->Create()) {
      find_.reset();
      return;
    }
  }
  find_->Show(replace);
}

void CFrameEdit::SearchWord(bool wholeFile) {
  if (session_.WordAtCaret().empty()) {
    Beep();
    return;
  }
  FindOptions options;
  options.matchCase = session_.prefs.matchCase != 0;
  session_.RememberPosition();
  if (!session_.SearchWordAtCaret(wholeFile, options)) Box(kStringNotFoundText, MB_OK | MB_ICONINFORMATION);
}

void CFrameEdit::ShowFunctionText() {
  if (session_.ViewOnly()) return;  // the answer came after the session went view-only
  if (!function_) {
    function_.reset(new EditFunctionDialog(*this));
    if (!function_->Create()) {
      function_.reset();
      return;
    }
  }
  function_->Show(session_.RequestAnswer());
}

bool CFrameEdit::ReplaceWordAtCaret(const std::string& text) {
  const bool done = !session_.readOnly && session_.ReplaceWordAtCaret(text);
  Refresh();
  return done;
}

void CFrameEdit::Copy(bool cut) {
  if (cut && session_.EditingRefused()) {
    Beep();
    return;
  }
  if (!session_.HasSelection()) return;
  const std::string text = session_.SelectedText();
  if (text.size() > kCopyLimit) {
    Box(kCopyTooLargeText, MB_OK | MB_ICONSTOP);
    return;
  }
  if (!PutClipboardText(FrameWindow::Handle(), text)) {
    Box(kCopyFailedText, MB_OK | MB_ICONSTOP);
    return;
  }
  if (cut && !session_.DeleteSelection()) Beep();
}

void CFrameEdit::Paste() {
  if (session_.EditingRefused() || !ClipboardHasText()) {
    Beep();
    return;
  }
  std::string text;
  if (!GetClipboardText(FrameWindow::Handle(), text)) {
    Box(kPasteFailedText, MB_OK | MB_ICONSTOP);
    return;
  }
  if (!session_.Paste(text)) Beep();
}

void CFrameEdit::CopyLines() {
  std::string text;
  if (!session_.CopyLines(text, kCopyLimit)) {
    Box(kCopyTooLargeText, MB_OK | MB_ICONSTOP);
    return;
  }
  if (!PutClipboardText(FrameWindow::Handle(), text)) Box(kCopyFailedText, MB_OK | MB_ICONSTOP);
}

void CFrameEdit::ChooseEditFont() {
  EditPreferences& p = session_.prefs;
  LOGFONTA font = {};
  HDC dc = GetDC(view_.Handle());
  font.lfHeight = -MulDiv(SanitisePointSize(p.pointSize), GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(view_.Handle(), dc);
  font.lfWeight = p.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = p.italic ? TRUE : FALSE;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", p.font);
  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = FrameWindow::Handle();
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS;
  if (!ChooseFontA(&choose)) return;
  std::snprintf(p.font, sizeof p.font, "%s", font.lfFaceName);  // at most 31 characters
  p.pointSize = SanitisePointSize(choose.iPointSize / 10);
  p.italic = font.lfItalic ? 1 : 0;
  p.bold = font.lfWeight >= FW_BOLD ? 1 : 0;
  view_.ApplyFont();
}
