// Sequences that hand their parameters to a service outside the parser, and
// the replies the host expects from them.
#include <cstdio>
#include <cstring>

#include "completions.h"
#include "engine_context.h"
#include "param_collector.h"
#include "reply_buffer.h"
#include "screen_model.h"

namespace {

const uint8_t* P() { return ParamBytes(); }
const char* Text(int offset) { return ParamText(offset); }

// Copy at most size - 1 characters and end with a NUL; the rest is cut off.
void CopyBounded(char* target, size_t size, const char* source) {
  size_t n = 0;
  while (n + 1 < size && source[n]) ++n;
  std::memcpy(target, source, n);
  target[n] = 0;
}

void ReplyFlag(bool ok) {
  AppendByte(ok ? '1' : '0');
  Flush();
}

// "1" or "0", 0xFE, then the byte count (success) or error code, CR.
void ReplyCopyOutcome(bool ok, int64_t countOrError) {
  char number[24];
  std::snprintf(number, sizeof number, "%lld", static_cast<long long>(countOrError));
  AppendByte(ok ? '1' : '0');
  AppendByte(0xFE);
  AppendString(number);
  AppendByte('\r');
  Flush();
}

void ReplyTextLine(const char* text, uint8_t end) {
  AppendString(text);
  AppendByte(end);
  Flush();
}

}  // namespace

// ---- Identification ----------------------------------------------------

constexpr char kIdentityCode[] = "MX";
constexpr char kVersion[] = "4.23";

void IdentificationReply() {
  AppendString(kIdentityCode);
  AppendByte(' ');
  AppendString(kVersion);
  AppendByte(0xFE);
  AppendString(Engine.shell->UserId());
  if (const char* address = Engine.channel->local_address()) {
    AppendByte(0xFE);
    AppendString(address);
  }
  AppendByte('\n');
  Flush();
}

void ReplyOne() { ReplyFlag(true); }
void Nothing() {}

// ---- Host windows and named screens -----------------------------------

void OpenWindow() { Engine.windows->OpenWindow(P(), Text(6)); }
void OpenPopup() { Engine.windows->OpenPopup(P(), Text(5)); }
void ClosePopup() { Engine.windows->ClosePopup(); }
void CloseWindows() { Engine.windows->CloseWindows(); }
void RestoreNamedScreen() { ReplyFlag(Engine.windows->RestoreNamedScreen(Text(0))); }
void CheckClearNamedScreen() { ReplyFlag(Engine.windows->CheckClearNamedScreen(Text(0))); }
void LoadNamedScreen() { ReplyFlag(Engine.windows->LoadNamedScreen(Text(0))); }
void SaveNamedScreen() { Engine.windows->SaveNamedScreen(); }
void DiscardNamedScreens() { Engine.windows->DiscardNamedScreens(); }

void StoreUserScreenTitle() {
  const char* text = Text(0);
  int slot = static_cast<uint8_t>(text[0]) - 32;
  if (text[0] == 0 || slot < 1 || slot > kUserScreens) return;
  CopyBounded(Screen.win.userScreenTitles[slot - 1], kUserScreenTitleSize, text + 1);
}

// ---- Shell requests ----------------------------------------------------

void SetCaption() { Engine.shell->SetCaptionText(Text(0)); }
void BringToForeground() { Engine.shell->BringToForeground(); }
void ActivateWindowBehind() { Engine.shell->ActivateWindowBehind(); }
void ClearOptionFlag() { Engine.shell->SetOptionFlag(false); }
void SetOptionFlag() { Engine.shell->SetOptionFlag(true); }

void SetDisconnectPassword() {
  // Two characters per byte: (first - 32) * 16 + (second - 32).
  const char* text = Text(0);
  uint8_t bytes[kParamBufferSize / 2];
  int length = 0;
  for (int i = 0; text[i] && text[i + 1]; i += 2) {
    int hi = static_cast<uint8_t>(text[i]) - 32;
    int lo = static_cast<uint8_t>(text[i + 1]) - 32;
    bytes[length++] = static_cast<uint8_t>(hi * 16 + lo);
  }
  Engine.shell->SetDisconnectPassword(bytes, length);
}

// ---- Timing and tones ---------------------------------------------------

constexpr int kRememberedCells = 8;
constexpr int kCursorTimer = 4;
constexpr int kCursorTimerMilliseconds = 900;

void RememberCursor() {
  WindowState& w = Screen.win;
  int col = w.cursorCol;
  if (col + kRememberedCells - 1 > w.winRight) col = w.winRight - kRememberedCells + 1;
  if (col >= w.winLeft) {
    w.savedCol = static_cast<uint8_t>(col);
    w.savedRow = w.cursorRow;
  }
  if (w.pendingLevel < 0) Engine.shell->StartTimer(kCursorTimer, kCursorTimerMilliseconds);
  w.pendingLevel = static_cast<int8_t>(Screen.WindowLevel);
}


// ---- Input fields, pick lists, keyboard, mouse, viewer ------------------

void InputEditorFlagE() { Engine.fields->SetEditorFlag('E'); }
void InputEditorFlagClear() { Engine.fields->SetEditorFlag('M'); }
void InputEditorFlagSet() { Engine.fields->SetEditorFlag('m'); }
void StartInputField() { Engine.fields->StartField(P(), Text(5), false); }
void StartInputFieldLower() { Engine.fields->StartField(P(), Text(5), true); }

void DefinePickItem() { Engine.pickLists->DefineItem(P(), Text(4)); }
void SetPickCount() { Engine.pickLists->SetItemCount(P()[0]); }
void StartPickSelection() { Engine.pickLists->StartSelection(P()[0], P()[1], false); }
void StartPickSelectionLower() { Engine.pickLists->StartSelection(P()[0], P()[1], true); }

void StartBrowse(bool lowerForm) {
  Screen.busy = 1;
  Engine.textBlocks->StartViewportBrowse(lowerForm);
}
void StartViewportBrowse() { StartBrowse(false); }
void StartViewportBrowseLower() { StartBrowse(true); }

void ReportMouseEvent() {
  int values[5] = {0, 0, 0, 0, 0};
  int count = Engine.keyboard->LastMouseEvent(values) == 5 ? 5 : 3;
  for (int i = 0; i < count; ++i) {
    int v = values[i] + 32;
    AppendByte(static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v));
  }
  AppendByte('\r');
  Flush();
}

void ViewerAddItem() { Engine.viewer->AddItem(Text(0)); }
void ViewerClearList() { Engine.viewer->ClearList(); }
void ViewerShowList() { Engine.viewer->ShowList(); }

// ---- Text blocks and edit sessions --------------------------------------

void TextBlockBlank() { Engine.textBlocks->OpenTextBlock(' ', P(), 0, Text(0)); }
void TextBlockQuote() { Engine.textBlocks->OpenTextBlock('"', P(), 0, Text(0)); }
void TextBlockBang() { Engine.textBlocks->OpenTextBlock('!', P(), 6, Text(6)); }
void TextBlockHash() { Engine.textBlocks->OpenTextBlock('#', P(), 5, Text(5)); }
void TextBlockDollar() { Engine.textBlocks->OpenTextBlock('$', P(), 2, Text(3)); }
void TextBlockPercent() { Engine.textBlocks->OpenTextBlock('%', P(), 0, Text(0)); }
void IdleTimer() { Engine.textBlocks->OpenTextBlock('I', P(), 1, Text(1)); }
void PollEditWindows() { Engine.textBlocks->PollEditWindows(); }
void CloseRememberedEditSession() { Engine.textBlocks->CloseRememberedEditSession(); }
void CloseEditSession() { Engine.textBlocks->CloseEditSession(P()[0] - 32); }
// The answer is the text from the second fixed byte on.
void AnswerEditSession() { Engine.textBlocks->AnswerEditSession(P()[0] - 32, Text(1)); }

// ---- Files and transfers -------------------------------------------------

constexpr int kStoredPaths = 10;
constexpr int kStoredPathSize = 100;

struct StoredPathTable {
  char paths[kStoredPaths][kStoredPathSize];
};
StoredPathTable StoredPaths;

int PathSlot(uint8_t digit) { return digit >= '0' && digit <= '9' ? digit - '0' : -1; }

void ReplyStoredPath() {
  int slot = PathSlot(P()[0]);
  ReplyTextLine(slot < 0 ? "" : StoredPaths.paths[slot], '\r');
}

void StorePath() {
  int slot = PathSlot(P()[0]);
  if (slot < 0) return;
  CopyBounded(StoredPaths.paths[slot], kStoredPathSize, Text(1));
}

void SetStoredPath(int slot, const char* path) {
  if (slot >= 0 && slot < kStoredPaths) CopyBounded(StoredPaths.paths[slot], kStoredPathSize, path);
}

const char* StoredPath(int slot) { return slot >= 0 && slot < kStoredPaths ? StoredPaths.paths[slot] : ""; }
void ResetStoredPaths() { StoredPaths = StoredPathTable{}; }

// Paths chosen by the user are bounded: the service writes at most this.
constexpr int kChosenPathSize = 201;

void ChoosePath() {
  char chosen[kChosenPathSize];
  chosen[0] = 0;
  Engine.files->ChoosePath(P()[0] != ' ', Text(1), chosen, kChosenPathSize);
  chosen[kChosenPathSize - 1] = 0;
  ReplyTextLine(chosen, '\r');
}

// "source,destination" split at the first comma; no comma: no destination
// (null, so that the service can tell it from an empty one).
struct SourceAndDestination {
  char source[kParamBufferSize];
  const char* destination;
};

void SplitAtComma(const char* text, SourceAndDestination& out) {
  CopyBounded(out.source, sizeof out.source, text);
  char* comma = std::strchr(out.source, ',');
  if (comma) {
    *comma = 0;
    out.destination = comma + 1;
  } else {
    out.destination = nullptr;
  }
}

void CopyFileShort() {
  SourceAndDestination sd;
  SplitAtComma(Text(0), sd);
  int64_t outcome = 0;
  ReplyFlag(Engine.files->CopyHostFile(sd.source, sd.destination, &outcome));
}

void CopyFileLong() {
  SourceAndDestination sd;
  SplitAtComma(Text(0), sd);
  int64_t outcome = 0;
  bool ok = Engine.files->CopyHostFile(sd.source, sd.destination, &outcome);
  ReplyCopyOutcome(ok, outcome);
}

void CopySource() {
  int64_t outcome = 0;
  bool ok = Engine.files->CopySource(Text(0), &outcome);
  ReplyCopyOutcome(ok, outcome);
}

void DeleteHostFile() { ReplyFlag(Engine.files->DeleteHostFile(Text(0))); }

void OpenDocument() {
  if (!Engine.files->OpenDocument(P()[0] != ' ', Text(1))) ReplyFlag(false);
}

void ListDirectory() { Engine.files->ListDirectory(Text(0)); }
void StartDownload() { Engine.files->StartDownload(Text(0)); }
void StartUploadO() { Engine.files->StartUpload('O', Text(0)); }
void StartUploadP() { Engine.files->StartUpload('P', Text(0)); }
void StartStreamDestination() { Engine.files->StartStreamDestination(Text(0)); }
void SendSourceStream() { Engine.files->SendSourceStream(Text(0)); }
void OpenSource() { Engine.files->OpenSource(Text(0)); }

// ---- Dialing, DDE, login report, auxiliary port ------------------------

void DialFileVersion() { ReplyTextLine(Engine.dialing->DialFileVersion(), '\r'); }

void DialList(char which) {
  AppendByte(static_cast<uint8_t>(Engine.dialing->DialListService(which, Text(0))));
  Flush();
}
void DialListA() { DialList('A'); }
void DialListD() { DialList('D'); }
void DialListU() { DialList('U'); }

void OsVersion() {
  AppendString(Engine.dialing->OsVersion());
  Flush();
}

void DialServiceReply() {
  AppendString(Engine.dialing->DialServiceReply());
  Flush();
}

void DialFileService() { Engine.dialing->DialFileService(); }

void AdviseReport() {
  uint8_t report[4096];
  int n = Engine.dde->AdviseReport(report, sizeof report);
  if (n < 0) n = 0;
  if (n > static_cast<int>(sizeof report)) n = sizeof report;
  AppendBytes(report, n);
  AppendByte('\n');
  Flush();
}

void AnnounceLogin() { Engine.loginReport->AnnounceLogin(Text(0)); }
void AnnounceLogout() { Engine.loginReport->AnnounceLogout(); }

void AuxiliaryOutput() {
  AuxPortSeam* aux = Engine.auxPort;
  const uint8_t seconds = P()[0];
  // A blank asks for no reply. A reply wanted from a closed port is a bare CR
  // at once; a time-out byte below the blank counts as no time at all.
  if (seconds != ' ') {
    if (aux->IsOpen()) {
      aux->StartHostRead(seconds < ' ' ? 0 : seconds - 32);
    } else {
      AppendByte('\r');
      Flush();
    }
  }
  // A final 0x8D of the text stands for CR.
  uint8_t text[kParamBufferSize];
  int len = static_cast<int>(std::strlen(Text(1)));
  std::memcpy(text, Text(1), len);
  if (len > 0 && text[len - 1] == 0x8D) text[len - 1] = '\r';
  if (aux->IsOpen() && len > 0) aux->Write(text, len);
}
