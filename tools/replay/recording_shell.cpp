#include "recording_shell.h"

#include <cstdio>

void RecordingShell::Attach(bool services) {
  EngineContext c{};
  c.shell = this;
  c.channel = this;
  if (!services) {
    AttachEngine(c);
    return;
  }
  c.windows = this;
  c.pickLists = this;
  c.fields = this;
  c.keyboard = this;
  c.textBlocks = this;
  c.files = this;
  c.printing = this;
  c.dialing = this;
  c.dde = this;
  c.loginReport = this;
  c.viewer = this;
  c.auxPort = this;
  AttachEngine(c);
}

void RecordingShell::Clear() {
  invalidated.clear();
  cursorMoves = 0;
  sent.clear();
  events.clear();
  printed.clear();
}

void RecordingShell::Drain() {
  drainRefused = false;
  void (*cb)() = drainCallback;
  drainCallback = nullptr;
  if (cb) cb();
}

void RecordingShell::Event(const std::string& line) {
  if (keepEvents) events.push_back(line);
}

std::string ParamValues(const uint8_t* p, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i) out += ' ';
    out += std::to_string(static_cast<int>(p[i]) - 32);
  }
  return out;
}

void RecordingShell::InvalidateCells(int col, int row, int width, int height) {
  if (keepInvalidations) invalidated.push_back(InvalidatedRect{col, row, width, height});
}

void RecordingShell::QueueTone(int length, int frequency) {
  Event("tone " + std::to_string(length) + " " + std::to_string(frequency));
}
void RecordingShell::StartTimer(int id, int ms) {
  Event("start-timer " + std::to_string(id) + " " + std::to_string(ms));
}
void RecordingShell::StopTimer(int id) { Event("stop-timer " + std::to_string(id)); }
void RecordingShell::SetSpinnerRunning(bool running) { Event(running ? "spinner on" : "spinner off"); }
void RecordingShell::ResetStatusIndicators() { Event("reset-indicators"); }
void RecordingShell::ScreenInitialised() { Event("screen-initialised"); }
void RecordingShell::SetCaptionText(const char* text) { Event(std::string("caption ") + text); }
void RecordingShell::BringToForeground() { Event("foreground"); }
void RecordingShell::ActivateWindowBehind() { Event("window-behind"); }
void RecordingShell::SetOptionFlag(bool set) { Event(set ? "option-flag set" : "option-flag clear"); }
void RecordingShell::SetDisconnectPassword(const uint8_t* bytes, int length) {
  std::string line = "disconnect-password";
  for (int i = 0; i < length; ++i) line += " " + std::to_string(bytes[i]);
  Event(line);
}
void RecordingShell::FailureNotice() { Event("failure-notice"); }

void RecordingShell::write(const uint8_t* bytes, int count) {
  if (keepSent) sent.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  if (fillsOnWrite) drainRefused = true;
}

bool RecordingShell::when_drained(void (*callback)()) {
  if (!drainRefused) {
    drainCallback = nullptr;
    return true;
  }
  drainCallback = callback;
  return false;
}

void RecordingShell::OpenWindow(const uint8_t p[6], const char* title) {
  Event("open-window " + ParamValues(p, 6) + " " + title);
}
void RecordingShell::OpenPopup(const uint8_t p[5], const char* title) {
  Event("open-popup " + ParamValues(p, 5) + " " + title);
}
void RecordingShell::ClosePopup() { Event("close-popup"); }
void RecordingShell::CloseWindows() { Event("close-windows"); }
void RecordingShell::CloseAllWindows() { Event("close-all-windows"); }
bool RecordingShell::RestoreNamedScreen(const char* name) {
  Event(std::string("restore-named ") + name);
  return namedScreenFound;
}
bool RecordingShell::CheckClearNamedScreen(const char* name) {
  Event(std::string("check-clear-named ") + name);
  return namedScreenFound;
}
bool RecordingShell::LoadNamedScreen(const char* name) {
  Event(std::string("load-named ") + name);
  return namedScreenFound;
}
void RecordingShell::SaveNamedScreen() { Event("save-named"); }
void RecordingShell::DiscardNamedScreens() { Event("discard-named"); }

void RecordingShell::DefineItem(const uint8_t p[4], const char* key) {
  Event("define-item " + ParamValues(p, 4) + " " + key);
}
void RecordingShell::SetItemCount(uint8_t count) { Event("item-count " + ParamValues(&count, 1)); }
void RecordingShell::StartSelection(uint8_t current, uint8_t mode, bool lowerForm) {
  Event(std::string(lowerForm ? "start-selection-s " : "start-selection-S ") + ParamValues(&current, 1) +
        " " + ParamValues(&mode, 1));
}

void RecordingShell::StartField(const uint8_t p[5], const char* text, bool lowerForm) {
  Event(std::string(lowerForm ? "field-i " : "field-I ") + ParamValues(p, 5) + " " + text);
}
void RecordingShell::SetEditorFlag(char which) { Event(std::string("editor-flag ") + which); }

void RecordingShell::StartViewportBrowse(bool lowerForm) { Event(lowerForm ? "browse-v" : "browse-V"); }
void RecordingShell::ReplayTypeAhead() { Event("replay-type-ahead"); }
void RecordingShell::ResetInput() { Event("reset-input"); }
int RecordingShell::LastMouseEvent(int values[5]) {
  values[0] = 7;
  values[1] = 10;
  values[2] = 5;
  values[3] = 11;
  values[4] = 6;
  return 5;
}

void RecordingShell::OpenTextBlock(char kind, const uint8_t* fixed, int fixedCount, const char* text) {
  Event(std::string("text-block ") + kind + " [" + ParamValues(fixed, fixedCount) + "] " + text);
}
void RecordingShell::PollEditWindows() { Event("poll-edit"); }
void RecordingShell::CloseRememberedEditSession() { Event("close-remembered-edit"); }
void RecordingShell::CloseEditSession(int session) { Event("close-edit " + std::to_string(session)); }
void RecordingShell::AnswerEditSession(int session, const char* answer) {
  Event("answer-edit " + std::to_string(session) + " " + answer);
}
void RecordingShell::FreeLineStore() { Event("free-line-store"); }

void RecordingShell::ChoosePath(bool directory, const char* text, char* out, int outSize) {
  Event(std::string(directory ? "choose-directory " : "choose-file ") + text);
  std::snprintf(out, static_cast<size_t>(outSize), "C:\\chosen\\%s", text);
}
bool RecordingShell::CopyHostFile(const char* source, const char* destination, int64_t* countOrError) {
  Event(std::string("copy ") + source + " -> " + (destination ? destination : "(no comma)"));
  *countOrError = 1234;
  return true;
}
bool RecordingShell::CopySource(const char* destination, int64_t* countOrError) {
  Event(std::string("copy-source -> ") + destination);
  *countOrError = 5;
  return false;
}
bool RecordingShell::DeleteHostFile(const char* name) {
  Event(std::string("delete ") + name);
  return false;
}
bool RecordingShell::OpenDocument(bool exclusive, const char* name) {
  Event(std::string(exclusive ? "open-document-exclusive " : "open-document ") + name);
  return false;
}
void RecordingShell::ListDirectory(const char* pattern) { Event(std::string("list ") + pattern); }
void RecordingShell::StartDownload(const char* name) { Event(std::string("download ") + name); }
void RecordingShell::StartUpload(char variant, const char* name) {
  Event(std::string("upload-") + variant + " " + name);
}
void RecordingShell::StartStreamDestination(const char* destination) {
  Event(std::string("stream-to ") + destination);
}
void RecordingShell::SendSourceStream(const char* name) { Event(std::string("send-source ") + name); }
void RecordingShell::OpenSource(const char* name) { Event(std::string("open-source ") + name); }
void RecordingShell::AbandonTransfers() { Event("abandon-transfers"); }

bool RecordingShell::BeginTransparentPrint() {
  Event("print-begin");
  return true;
}
void RecordingShell::PrintByte(uint8_t byte) { printed.push_back(static_cast<char>(byte)); }
void RecordingShell::EndTransparentPrint() { Event("print-end"); }

char RecordingShell::DialListService(char which, const char* text) {
  Event(std::string("dial-list ") + which + " " + text);
  return '0';
}
void RecordingShell::DialFileService() { Event("dial-file-service"); }

int RecordingShell::AdviseReport(uint8_t* out, int outSize) {
  static const uint8_t kReport[] = {'S', 'V', 'C', 0xFC, 'T', 'P', 0xFD, 'S', '2', 0xFC, 'T', '2'};
  int n = static_cast<int>(sizeof kReport) < outSize ? static_cast<int>(sizeof kReport) : outSize;
  for (int i = 0; i < n; ++i) out[i] = kReport[i];
  return n;
}

void RecordingShell::AnnounceLogin(const char* text) { Event(std::string("login ") + text); }
void RecordingShell::AnnounceLogout() { Event("logout"); }

void RecordingShell::AddItem(const char* text) { Event(std::string("viewer-add ") + text); }
void RecordingShell::ClearList() { Event("viewer-clear"); }
void RecordingShell::ShowList() { Event("viewer-show"); }

void RecordingShell::StartHostRead(int seconds) { Event("aux-read " + std::to_string(seconds)); }
void RecordingShell::Write(const uint8_t* bytes, int count) {
  Event("aux-write " + std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count)));
}
