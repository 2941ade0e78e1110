// A shell, channel and set of services that record what the engine asks of
// them. The replay tool prints from it; the engine tests check it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine_context.h"

struct InvalidatedRect {
  int col, row, width, height;
};

class RecordingShell : public EngineShell,
                             public ChannelPort,
                             public HostWindowSeam,
                             public PickListSeam,
                             public InputFieldSeam,
                             public KeyboardSeam,
                             public TextBlockSeam,
                             public FileSeam,
                             public PrintSeam,
                             public DialSeam,
                             public DdeSeam,
                             public LoginReportSeam,
                             public ViewerSeam,
                             public AuxPortSeam {
 public:
  // What was recorded.
  std::vector<InvalidatedRect> invalidated;
  int cursorMoves = 0;
  std::string sent;                 // bytes written to the channel
  std::vector<std::string> events;  // everything else, one line each
  bool keepInvalidations = true;    // off for timing runs
  // Off for replays of long captures, which must run in constant memory.
  bool keepEvents = true;
  bool keepSent = true;

  // Knobs for tests.
  bool sound = true;
  bool tonePlaying = false;
  bool drainRefused = false;        // when_drained answers false (queue not empty)
  bool fillsOnWrite = false;        // every write fills the queue again (drainRefused set)
  void (*drainCallback)() = nullptr;
  const char* localAddress = nullptr;
  std::string userId = "user";
  std::vector<uint8_t> trace;
  bool namedScreenFound = false;
  bool auxOpen = false;
  bool userScreenList = true;

  // Wire the engine to this object: the shell and channel, and with
  // services also every seam (else the seams keep their do-nothing defaults).
  void Attach(bool services = true);
  void Clear();
  // Pretend the output queue drained: call the stored callback.
  void Drain();

  // EngineShell
  void InvalidateCells(int col, int row, int width, int height) override;
  void CursorMoved() override { ++cursorMoves; }
  bool SoundEnabled() override { return sound; }
  bool TonePlaying() override { return tonePlaying; }
  void QueueTone(int length, int frequency) override;
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void SetSpinnerRunning(bool running) override;
  void ResetStatusIndicators() override;
  void ScreenInitialised() override;
  void SetCaptionText(const char* text) override;
  void BringToForeground() override;
  void ActivateWindowBehind() override;
  void SetOptionFlag(bool set) override;
  void SetDisconnectPassword(const uint8_t* bytes, int length) override;
  int ReceiveTraceLength() override { return static_cast<int>(trace.size()); }
  uint8_t ReceiveTraceByte(int index) override { return trace[index]; }
  const char* UserId() override { return userId.c_str(); }
  void FailureNotice() override;
  bool UserScreenListEnabled() override { return userScreenList; }

  // ChannelPort
  void write(const uint8_t* bytes, int count) override;
  bool when_drained(void (*callback)()) override;
  const char* local_address() override { return localAddress; }

  // HostWindowSeam
  void OpenWindow(const uint8_t p[6], const char* title) override;
  void OpenPopup(const uint8_t p[5], const char* title) override;
  void ClosePopup() override;
  void CloseWindows() override;
  void CloseAllWindows() override;
  bool RestoreNamedScreen(const char* name) override;
  bool CheckClearNamedScreen(const char* name) override;
  bool LoadNamedScreen(const char* name) override;
  void SaveNamedScreen() override;
  void DiscardNamedScreens() override;

  // PickListSeam
  void DefineItem(const uint8_t p[4], const char* key) override;
  void SetItemCount(uint8_t count) override;
  void StartSelection(uint8_t current, uint8_t mode, bool lowerForm) override;

  // InputFieldSeam
  void StartField(const uint8_t p[5], const char* text, bool lowerForm) override;
  void SetEditorFlag(char which) override;

  // KeyboardSeam
  void ReplayTypeAhead() override;
  void ResetInput() override;
  int LastMouseEvent(int values[5]) override;

  // TextBlockSeam
  void OpenTextBlock(char kind, const uint8_t* fixed, int fixedCount, const char* text) override;
  void StartViewportBrowse(bool lowerForm) override;
  void PollEditWindows() override;
  void CloseRememberedEditSession() override;
  void CloseEditSession(int session) override;
  void AnswerEditSession(int session, const char* answer) override;
  void FreeLineStore() override;

  // FileSeam
  void ChoosePath(bool directory, const char* text, char* out, int outSize) override;
  bool CopyHostFile(const char* source, const char* destination, int64_t* countOrError) override;
  bool CopySource(const char* destination, int64_t* countOrError) override;
  bool DeleteHostFile(const char* name) override;
  bool OpenDocument(bool exclusive, const char* name) override;
  void ListDirectory(const char* pattern) override;
  void StartDownload(const char* name) override;
  void StartUpload(char variant, const char* name) override;
  void StartStreamDestination(const char* destination) override;
  void SendSourceStream(const char* name) override;
  void OpenSource(const char* name) override;
  void AbandonTransfers() override;

  // PrintSeam
  bool BeginTransparentPrint() override;
  void PrintByte(uint8_t byte) override;
  void EndTransparentPrint() override;
  std::string printed;

  // DialSeam
  char DialListService(char which, const char* text) override;
  void DialFileService() override;
  const char* DialFileVersion() override { return "GDL7"; }
  const char* OsVersion() override { return "10.0\r"; }
  const char* DialServiceReply() override { return "W\r"; }

  // DdeSeam
  int AdviseReport(uint8_t* out, int outSize) override;

  // LoginReportSeam
  void AnnounceLogin(const char* text) override;
  void AnnounceLogout() override;

  // ViewerSeam
  void AddItem(const char* text) override;
  void ClearList() override;
  void ShowList() override;

  // AuxPortSeam
  bool IsOpen() override { return auxOpen; }
  void StartHostRead(int seconds) override;
  void Write(const uint8_t* bytes, int count) override;

 private:
  void Event(const std::string& line);
};

// Host parameter bytes as their values, blank-separated ("0 5 10").
std::string ParamValues(const uint8_t* p, int count);
