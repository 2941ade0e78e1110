#include "engine_context.h"

#include "host_windows.h"
#include "input_field.h"
#include "pick_list.h"
#include "text_block.h"

namespace {

class NullShell final : public EngineShell {
 public:
  void InvalidateCells(int, int, int, int) override {}
  void CursorMoved() override {}
  bool SoundEnabled() override { return false; }
  bool TonePlaying() override { return false; }
  void QueueTone(int, int) override {}
  void StartTimer(int, int) override {}
  void StopTimer(int) override {}
  void SetSpinnerRunning(bool) override {}
  void ResetStatusIndicators() override {}
  void ScreenInitialised() override {}
  void SetCaptionText(const char*) override {}
  void BringToForeground() override {}
  void ActivateWindowBehind() override {}
  void SetOptionFlag(bool) override {}
  void SetDisconnectPassword(const uint8_t*, int) override {}
  int ReceiveTraceLength() override { return 0; }
  uint8_t ReceiveTraceByte(int) override { return 0; }
  const char* UserId() override { return ""; }
  void FailureNotice() override {}
};

class NullChannel final : public ChannelPort {
 public:
  void write(const uint8_t*, int) override {}
  bool when_drained(void (*)()) override { return true; }
  const char* local_address() override { return nullptr; }
};

NullShell nullShell;
NullChannel nullChannel;
HostWindows defaultWindows;
PickLists defaultPickLists;
InputFields defaultFields;
KeyboardSeam defaultKeyboard;
TextBlocks defaultTextBlocks;
FileSeam defaultFiles;
PrintSeam defaultPrinting;
DialSeam defaultDialing;
DdeSeam defaultDde;
LoginReportSeam defaultLoginReport;
ViewerSeam defaultViewer;
AuxPortSeam defaultAuxPort;

const EngineContext kDefaults = {&nullShell,       &nullChannel,     &defaultWindows,  &defaultPickLists,
                                 &defaultFields,   &defaultKeyboard, &defaultTextBlocks, &defaultFiles,
                                 &defaultPrinting, &defaultDialing,  &defaultDde,      &defaultLoginReport,
                                 &defaultViewer,   &defaultAuxPort};

template <typename T>
void Pick(T*& slot, T* given, T* fallback) {
  slot = given ? given : fallback;
}

}  // namespace

EngineContext Engine = kDefaults;

void AttachEngine(const EngineContext& c) {
  Pick(Engine.shell, c.shell, kDefaults.shell);
  Pick(Engine.channel, c.channel, kDefaults.channel);
  Pick(Engine.windows, c.windows, kDefaults.windows);
  Pick(Engine.pickLists, c.pickLists, kDefaults.pickLists);
  Pick(Engine.fields, c.fields, kDefaults.fields);
  Pick(Engine.keyboard, c.keyboard, kDefaults.keyboard);
  Pick(Engine.textBlocks, c.textBlocks, kDefaults.textBlocks);
  Pick(Engine.files, c.files, kDefaults.files);
  Pick(Engine.printing, c.printing, kDefaults.printing);
  Pick(Engine.dialing, c.dialing, kDefaults.dialing);
  Pick(Engine.dde, c.dde, kDefaults.dde);
  Pick(Engine.loginReport, c.loginReport, kDefaults.loginReport);
  Pick(Engine.viewer, c.viewer, kDefaults.viewer);
  Pick(Engine.auxPort, c.auxPort, kDefaults.auxPort);
}

void DetachEngine() { Engine = kDefaults; }
