#include "escape_families.h"

#include "completions.h"
#include "engine_context.h"
#include "param_collector.h"
#include "parser.h"

namespace {

// Parameter templates, each ending with kEnd.
constexpr ParamStep kTextOnly[] = {{kText, 0}, {kEnd, 0}};
constexpr ParamStep kOptional[] = {{kOptionalText, 0}, {kEnd, 0}};
constexpr ParamStep kFixed1[] = {{kFixed, 1}, {kEnd, 0}};
constexpr ParamStep kFixed2[] = {{kFixed, 2}, {kEnd, 0}};
constexpr ParamStep kFixed1Text[] = {{kFixed, 1}, {kText, 0}, {kEnd, 0}};
constexpr ParamStep kFixed2Text[] = {{kFixed, 2}, {kText, 0}, {kEnd, 0}};
constexpr ParamStep kFixed4Text[] = {{kFixed, 4}, {kText, 0}, {kEnd, 0}};
constexpr ParamStep kFixed5Text[] = {{kFixed, 5}, {kText, 0}, {kEnd, 0}};
constexpr ParamStep kFixed6Text[] = {{kFixed, 6}, {kText, 0}, {kEnd, 0}};
constexpr ParamStep kField[] = {{kFixed, 3}, {kFixed, 2}, {kText, 0}, {kEnd, 0}};
constexpr ParamStep kTwoBytesCommaText[] = {{kFixed, 2}, {kSeparator, 0}, {kText, 0}, {kEnd, 0}};

struct FamilyMember {
  uint8_t letter;
  const ParamStep* templ;  // null: the action runs at once, no parameters
  void (*action)();
};

template <size_t N>
void Dispatch(const FamilyMember (&members)[N], uint8_t letter) {
  ResetParser();
  for (const FamilyMember& m : members) {
    if (m.letter != letter) continue;
    if (m.templ) {
      StartParams(m.templ, m.action);
    } else {
      m.action();
    }
    return;
  }
  // Not a member: the letter is consumed and nothing happens.
}

const FamilyMember kPopupFamily[] = {
    {'O', kFixed5Text, OpenPopup},
    {'C', kTextOnly, ClosePopup},
};

const FamilyMember kWindowFamily[] = {
    {'O', kFixed6Text, OpenWindow},       {'C', kTextOnly, CloseWindows},
    {'I', kTextOnly, ScreenInitialisationCommand},
    {'E', kFixed4Text, EraseRectangle},   {'H', kTextOnly, TopBorderTitle},
    {'F', kTextOnly, BottomBorderTitle},  {'V', kFixed5Text, DefineViewport},
    {'R', nullptr, DiscardNamedScreens},  {'T', kTextOnly, SetCaption},
    {'A', kTextOnly, BringToForeground},  {'P', kTextOnly, ActivateWindowBehind},
};

const FamilyMember kScreenFamily[] = {
    {'A', kTextOnly, RestoreNamedScreen},    {'C', kTextOnly, CheckClearNamedScreen},
    {'L', kTextOnly, LoadNamedScreen},       {'S', kTextOnly, SaveNamedScreen},
    {'U', kTextOnly, StoreUserScreenTitle},  {'J', kFixed4Text, JoinLines},
    {'I', kFixed1Text, DiagnosticDump},      {'O', nullptr, ReplyOne},
    {'G', nullptr, PollEditWindows},         {'B', nullptr, CloseRememberedEditSession},
    {'K', kFixed1Text, CloseEditSession},    {'R', kFixed2Text, AnswerEditSession},
};

const FamilyMember kCaretScrollFamily[] = {
    {'U', kFixed5Text, ScrollRectangleUp},
    {'D', kFixed5Text, ScrollRectangleDown},
};

void CaretScrollState(uint8_t letter) { Dispatch(kCaretScrollFamily, letter); }
void EnterCaretScroll() { SetParseState(CaretScrollState); }

const FamilyMember kCaretFamily[] = {
    {'A', kTextOnly, AttributeRectangle}, {'B', kTextOnly, ClearOptionFlag},
    {'b', kTextOnly, SetOptionFlag},      {'C', kTextOnly, RememberCursor},
    {'D', kTextOnly, SetBellLength},      {'F', kTextOnly, SetBellFrequency},
    {'E', kTextOnly, InputEditorFlagE},   {'H', kOptional, HostBusy},
    {'T', kOptional, HostReady},          {'I', kTextOnly, StatusText},
    {'M', kTextOnly, InputEditorFlagClear}, {'m', kTextOnly, InputEditorFlagSet},
    {'S', nullptr, EnterCaretScroll},
};

const FamilyMember kTildeFamily[] = {
    {'0', nullptr, NormalAttribute}, {'2', nullptr, HighlightAttribute},
    {'3', nullptr, BlinkAttribute},  {'W', nullptr, AutoWrapOn},
    {'w', nullptr, AutoWrapOff},
};

const FamilyMember kMouseFamily[] = {
    {'L', kFixed4Text, DefinePickItem},    {'C', kFixed1Text, SetPickCount},
    {'S', kFixed2Text, StartPickSelection}, {'s', kFixed2Text, StartPickSelectionLower},
    {'G', kTextOnly, ReportMouseEvent},     {'N', kTextOnly, ViewerAddItem},
    {'B', nullptr, ViewerClearList},        {'D', nullptr, ViewerShowList},
    {'R', kTextOnly, Nothing},
};

const FamilyMember kFileFamily[] = {
    {'A', kFixed1Text, ReplyStoredPath}, {'G', kFixed1Text, StorePath},
    {'B', kFixed1Text, ChoosePath},      {'C', kTextOnly, CopyFileShort},
    {'c', kTextOnly, CopyFileLong},      {'D', kTextOnly, DeleteHostFile},
    {'E', kFixed1Text, OpenDocument},    {'F', kTextOnly, ListDirectory},
    {'I', kTextOnly, StartDownload},     {'O', kTextOnly, StartUploadO},
    {'P', kTextOnly, StartUploadP},      {'R', kTextOnly, StartStreamDestination},
    {'S', kTextOnly, SendSourceStream},  {'V', kTextOnly, DialFileVersion},
    {'W', kTextOnly, AdviseReport},
};

const FamilyMember kSourceFamily[] = {
    {'I', kTextOnly, OpenSource},
    {'C', kTextOnly, CopySource},
};

const FamilyMember kDialFamily[] = {
    {'A', kTextOnly, DialListA},  {'D', kTextOnly, DialListD},  {'U', kTextOnly, DialListU},
    {'V', kTextOnly, OsVersion},  {'W', kTextOnly, DialServiceReply},
    {'F', nullptr, DialFileService},
};

const FamilyMember kLoginFamily[] = {
    {'I', kTextOnly, AnnounceLogin},
    {'O', kTextOnly, AnnounceLogout},
    {'P', kTextOnly, SetDisconnectPassword},
};

const FamilyMember kTextBlockFamily[] = {
    {' ', kTextOnly, TextBlockBlank},      {'"', kTextOnly, TextBlockQuote},
    {'!', kFixed6Text, TextBlockBang},     {'#', kFixed5Text, TextBlockHash},
    {'$', kTwoBytesCommaText, TextBlockDollar}, {'%', kTextOnly, TextBlockPercent},
    {'I', kFixed1Text, IdleTimer},
};

void PopupFamilyState(uint8_t b) { Dispatch(kPopupFamily, b); }
void WindowFamilyState(uint8_t b) { Dispatch(kWindowFamily, b); }
void ScreenFamilyState(uint8_t b) { Dispatch(kScreenFamily, b); }
void CaretFamilyState(uint8_t b) { Dispatch(kCaretFamily, b); }
void TildeFamilyState(uint8_t b) { Dispatch(kTildeFamily, b); }
void MouseFamilyState(uint8_t b) { Dispatch(kMouseFamily, b); }
void FileFamilyState(uint8_t b) { Dispatch(kFileFamily, b); }
void SourceFamilyState(uint8_t b) { Dispatch(kSourceFamily, b); }
void DialFamilyState(uint8_t b) { Dispatch(kDialFamily, b); }
void LoginFamilyState(uint8_t b) { Dispatch(kLoginFamily, b); }
void TextBlockFamilyState(uint8_t b) { Dispatch(kTextBlockFamily, b); }

// Identification handshake: after ESC BS the host sends exactly this, where
// kAny stands for a free byte.
constexpr int kAny = -1;
constexpr int kHandshake[] = {'A', 8, 'R', 8, 'D', 8, 'T', 8, 4, 8, kAny, 8, kAny, 8};
constexpr int kHandshakeLength = sizeof kHandshake / sizeof kHandshake[0];

struct EscapeRecord {
  int handshakePosition;
  uint8_t handshakeFreeBytes[2];  // stored, but the reply does not depend on them
  bool printRouteTaken;           // the transparent print goes to a printer
};
EscapeRecord escape;

void HandshakeState(uint8_t byte) {
  int expected = kHandshake[escape.handshakePosition];
  if (expected != kAny && byte != expected) {
    Parser.handshake = 0;
    ResetParser();
    return;
  }
  if (expected == kAny) escape.handshakeFreeBytes[escape.handshakePosition == 10 ? 0 : 1] = byte;
  if (++escape.handshakePosition < kHandshakeLength) return;
  static const uint8_t kReply[] = {0x04, '0', '0', 0x00, '\r'};
  Parser.handshake = 0;
  ResetParser();
  Engine.channel->write(kReply, sizeof kReply);
}

void StartHandshake() {
  escape.handshakePosition = 0;
  Parser.handshake = 1;
  SetParseState(HandshakeState);
}

// Transparent printing: everything up to and including DC4 goes to the
// printer when the route takes it.
void TransparentPrintState(uint8_t byte) {
  if (escape.printRouteTaken) Engine.printing->PrintByte(byte);
  if (byte == 0x14) {
    ResetParser();
    Engine.printing->EndTransparentPrint();
  }
}

void StartTransparentPrint() {
  escape.printRouteTaken = Engine.printing->BeginTransparentPrint();
  SetParseState(TransparentPrintState);
}

}  // namespace

void EscapeState(uint8_t byte) {
  ResetParser();
  switch (byte) {
    case 0x08: StartHandshake(); return;
    case '0': StartParams(kFixed1, Nothing); return;
    case '3': StartTransparentPrint(); return;
    case 'A': StartParams(kFixed1Text, AuxiliaryOutput); return;
    case 'C': SetParseState(PopupFamilyState); return;
    case 'D': SetParseState(FileFamilyState); return;
    case 'F': SetParseState(SourceFamilyState); return;
    case 'G': SetParseState(DialFamilyState); return;
    case 'I': StartParams(kField, StartInputField); return;
    case 'i': StartParams(kField, StartInputFieldLower); return;
    case 'K': EraseToEndOfLine(); return;
    case 'k': EraseToEndOfWindow(); return;
    case 'L': SetParseState(LoginFamilyState); return;
    case 'M': SetParseState(MouseFamilyState); return;
    case 'R': StartParams(kTextOnly, IdentificationReply); return;
    case 'S': SetParseState(ScreenFamilyState); return;
    case 'T': SetParseState(TextBlockFamilyState); return;
    case 'V': StartParams(kTextOnly, StartViewportBrowse); return;
    case 'v': StartParams(kTextOnly, StartViewportBrowseLower); return;
    case 'W': SetParseState(WindowFamilyState); return;
    case 'Y': StartParams(kFixed2, CursorAddress); return;
    case '^': SetParseState(CaretFamilyState); return;
    case '~': SetParseState(TildeFamilyState); return;
    default: return;  // ignored; back to ground
  }
}

void ResetEscapeFamilies() { escape = EscapeRecord{}; }
