// Text blocks: the host opens a block with ESC T, streams its lines, ends them
// with ETX and an optional trailer, and the terminal runs the block's editor
// (local edit mode, the full-screen text editor, the scrolling viewer) or
// hands the lines to the helper library's program editor.
#pragma once

#include <cstdint>

#include "service_seams.h"

// Kinds of block, by the letter after ESC T.
enum TextBlockKind {
  kBlockPlain = 0,     // ESC T blank: local edit mode
  kBlockArea = 1,      // ESC T !: the full-screen text editor
  kBlockAreaWide = 2,  // ESC T ! with a width past 80
  kBlockNumbered = 3,  // ESC T ": local edit mode with line numbers
  kBlockViewer = 5,    // ESC T #: the scrolling viewer
  kBlockProgram = 6,   // ESC T $ and ESC T %: the program editor
};

constexpr int kNumberMargin = 5;
constexpr int kIdleTimer = 5;
constexpr int kRefusedCode = 25;

// The block in progress. One per process, owned by text_block.cpp.
struct TextBlockState {
  int kind;                   // -1: none
  int areaCol, areaRow;       // screen cell of the first visible character
  int width, rows;            // visible part
  int topLine;                // line shown on the area's first row
  int curLine, curCol;        // the editor's cursor (line index, column)
  int highestLine;            // highest line stored, -1 for none
  int64_t bytesReceived;
  bool trailerPresent;
  int cursorLine, cursorCol;  // from the trailer (column 1-based)
  int64_t byteCount;
  int option;                 // ESC T !: editor option byte
  bool storeFailed;           // memory ran out: the block shows as empty
  // Parsing the body and trailer.
  bool dlePending;
  int64_t numbers[4];
  int numberCount;
  bool fieldStarted;
  uint8_t* bodyLine;          // the line the body is filling (segments never move)
  int bodyLineIndex;
  // ESC T $ / %: the program editor's request.
  int session, readOnly;
  char request[200];
};
extern TextBlockState TextBlock;

// The editors' shared view of the block.
int TextColumn();  // screen column of line column 0 (after the number margin)
// Line index of the last line with text, -1 when none.
int LastTextLine();
// Repaint the visible rows.
void ShowBlockRows();
// Repaint one line if visible.
void ShowBlockLine(int line);
// The cursor onto (curLine, curCol) when visible.
void PlaceBlockCursor();
// Keep curLine inside the area by moving topLine; repaint when it moved.
void ScrollToCursor();

// Drop the block: a running editor ends without a reply, a paused reply is
// forgotten, the store is freed, the parser goes back to ground.
// releaseKeyboard: give the keyboard back to the normal handler (not when a
// reset has just installed the handler it wants).
void DropTextBlock(bool releaseKeyboard);
// After the editor's exchange: queue, store and state freed.
void FinishTextBlock();

// The parser's text-block service.
class TextBlocks final : public TextBlockSeam {
 public:
  void OpenTextBlock(char kind, const uint8_t* fixed, int fixedCount, const char* text) override;
  void StartViewportBrowse(bool lowerForm) override;
  void PollEditWindows() override;
  void CloseRememberedEditSession() override;
  void CloseEditSession(int session) override;
  void AnswerEditSession(int session, const char* answer) override;
  void FreeLineStore() override;
};

void ResetTextBlocks();
