#include "test_request.h"

#include "key_dispatcher.h"
#include "screen_model.h"
#include "test_record.h"

namespace {

void NoCommand(int) {}

// Request 5: the glyphs of one row of the current text window. Also refuses
// what the window sizes alone would let through but that lies outside the
// cells or the data area (a count past 100, a stale window past the grid).
bool CopyWindowText(uint8_t* record) {
  const int64_t col = ReadRecordInt(record, kTestValueAOffset);
  const int64_t row = ReadRecordInt(record, kTestValueBOffset);
  const int64_t count = ReadRecordInt(record, kTestCountOffset);
  const WindowState& w = Screen.win;
  if (col < 0 || row < 0 || count < 1 || row >= w.frameHeight || col + count > w.frameWidth) return false;
  if (count > kTestDataSize) return false;
  const int64_t cellRow = w.winTop + row;
  const int64_t cellCol = w.winLeft + col;
  if (cellRow >= kScreenRows || cellCol + count > kScreenCols) return false;
  const Cell* cells = &Screen.cells[cellRow * kScreenCols + cellCol];
  for (int64_t i = 0; i < count; ++i) record[kTestDataOffset + i] = cells[i].glyph;
  return true;
}

int ClampedCount(const uint8_t* record, int limit) {
  const int32_t count = ReadRecordInt(record, kTestCountOffset);
  if (count < 0) return 0;
  return count > limit ? limit : count;
}

}  // namespace

TestRequestHooks TestRequestEvents = {NoCommand};

bool HandleTestRequest(uint8_t record[]) {
  switch (ReadRecordInt(record, kTestRequestOffset)) {
    case kTestConnect:
      return true;
    case kTestHostBusy:
      WriteRecordInt(record, kTestValueAOffset, KeysTypedAhead() ? 1 : 0);
      return true;
    case kTestCursor:
      WriteRecordInt(record, kTestValueAOffset, Screen.win.cursorCol - Screen.win.winLeft);
      WriteRecordInt(record, kTestValueBOffset, Screen.win.cursorRow - Screen.win.winTop);
      return true;
    case kTestWindowSize:
      WriteRecordInt(record, kTestValueAOffset, Screen.win.frameWidth);
      WriteRecordInt(record, kTestValueBOffset, Screen.win.frameHeight);
      return true;
    case kTestGetText:
      WriteRecordInt(record, kTestStatusOffset, CopyWindowText(record) ? 0 : 1);
      return true;
    case kTestTypeCharacters: {
      const int count = ClampedCount(record, kTestMaxCharacters);
      uint8_t text[kTestMaxCharacters];
      for (int i = 0; i < count; ++i) text[i] = record[kTestDataOffset + i];
      for (int i = 0; i < count; ++i) {
        // A test types repeated Enter and arrow keys on purpose.
        Keyboard.lastQueued = 0;
        DispatchKey(text[i]);
      }
      return true;
    }
    case kTestTypeCommands: {
      const int count = ClampedCount(record, kTestMaxCommands);
      uint16_t ids[kTestMaxCommands];
      for (int i = 0; i < count; ++i) ids[i] = ReadRecordCommand(record, i);
      for (int i = 0; i < count; ++i) {
        Keyboard.lastQueued = 0;
        TestRequestEvents.sendCommand(ids[i]);
      }
      return true;
    }
    default:
      return false;
  }
}
