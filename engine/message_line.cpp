#include "message_line.h"

#include "cell_primitives.h"
#include "engine_context.h"
#include "parser.h"
#include "render_notify.h"
#include "screen_model.h"
#include "tones.h"

namespace {

constexpr char kSeparator[] = "...";
constexpr int kSeparatorLength = 3;
constexpr uint8_t kStatusClass = 7;

int MessageArea() { return kMessageCells - Screen.message.reserved; }

void ClearMessageCells() {
  FillCellsWith(kMessageCol, kStatusRow, MessageArea(), ' ',
                CellAttribute{kStatusClass, Screen.win.curLevel, 0});
  InvalidateCells(kMessageCol, kStatusRow, MessageArea(), 1);
}

void StopMarquee() {
  if (Screen.message.marqueeRunning) Engine.shell->StopTimer(kMarqueeTimer);
  Screen.message.marqueeRunning = false;
  Screen.message.marqueeOffset = 0;
}

// Show the area's worth of the line from the marquee offset; a long line
// wraps round through the separator.
void DrawMessage() {
  HostMessageLine& m = Screen.message;
  int area = MessageArea();
  if (area < 1) return;
  uint8_t shown[kMessageCells];
  if (m.length <= area) {
    for (int i = 0; i < m.length; ++i) shown[i] = static_cast<uint8_t>(m.text[i]);
    if (m.length > 0) WriteText(kMessageCol, kStatusRow, shown, m.length);
    return;
  }
  int cycle = m.length + kSeparatorLength;
  for (int i = 0; i < area; ++i) {
    int k = (m.marqueeOffset + i) % cycle;
    shown[i] = static_cast<uint8_t>(k < m.length ? m.text[k] : kSeparator[k - m.length]);
  }
  WriteText(kMessageCol, kStatusRow, shown, area);
}

void ShowMessage() {
  HostMessageLine& m = Screen.message;
  StopMarquee();
  DrawMessage();
  if (m.length > MessageArea()) {
    m.marqueeRunning = true;
    Engine.shell->StartTimer(kMarqueeTimer, kMarqueeMilliseconds);
  }
}

void MessageToneState(uint8_t p) {
  SetParseState(MessageLineState);
  PlayToneParameter(p);
}

}  // namespace

void StartHostMessageLine() {
  StopMarquee();
  Screen.message.length = 0;
  ClearMessageCells();
  SetParseState(MessageLineState);
}

void MessageLineState(uint8_t byte) {
  HostMessageLine& m = Screen.message;
  switch (byte) {
    case '\n':
      ResetParser();
      ShowMessage();
      Engine.shell->HostMessageArrived(m.text, m.length);
      return;
    case '\r':
      return;
    case 0x0E:
      SetParseState(MessageToneState);
      return;
    default:
      if (m.length < kHostMessageMax) m.text[m.length++] = static_cast<char>(byte);
  }
}

void MarqueeTick() {
  HostMessageLine& m = Screen.message;
  if (!m.marqueeRunning) return;
  if (m.length <= MessageArea()) {
    StopMarquee();
    return;
  }
  m.marqueeOffset = (m.marqueeOffset + 1) % (m.length + kSeparatorLength);
  DrawMessage();
  FlushRenderNotifications();
}

void SetMessageReserve(int cells) {
  if (cells < 0) cells = 0;
  if (cells > kMessageCells) cells = kMessageCells;
  Screen.message.reserved = cells;
  ClearMessageCells();
  ShowMessage();
  FlushRenderNotifications();
}

void ClearHostMessageLine() {
  StopMarquee();
  Screen.message.length = 0;
}
