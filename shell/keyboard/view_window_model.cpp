#include "view_window_model.h"

#include <algorithm>

#include "block_store.h"
#include "screen_model.h"

ViewWindowRecord ViewWindow;

namespace {

int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

// Never-written cells and buffer bytes are zero: they read as blanks (a NUL
// would also end the clipboard text early). Trailing blanks are dropped.
std::string TrimRight(std::string s) {
  for (char& c : s)
    if (c == 0) c = ' ';
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  s.resize(n);
  return s;
}

// The viewport's buffer line for a screen row, or null when the row has none.
const uint8_t* ViewportLine(int row, int* length) {
  const WindowState& w = Screen.win;
  const uint8_t* data = BlockData(w.vpBuffer);
  if (!data || w.vpLineLength < 1 || row < w.vpRow || row >= w.vpRow + w.vpHeight) return nullptr;
  const int line = row - w.winTop;
  const size_t lines = BlockSize(w.vpBuffer) / static_cast<size_t>(w.vpLineLength);
  if (line < 0 || static_cast<size_t>(line) >= lines) return nullptr;
  *length = w.vpLineLength;
  return data + static_cast<size_t>(line) * static_cast<size_t>(w.vpLineLength);
}

std::string ScreenText(int row, int firstCol, int lastCol) {
  std::string s;
  for (int col = firstCol; col <= lastCol; ++col) s += static_cast<char>(Screen.cells[row * kScreenCols + col].glyph);
  return s;
}

void ClampScroll() {
  ViewWindow.topLine = Clamp(ViewWindow.topLine, 0, MaxTopLine());
  ViewWindow.leftCol = Clamp(ViewWindow.leftCol, 0, MaxLeftCol());
}

bool Scroll(int* position, int page, int maximum, ViewScroll how, int to) {
  const int before = *position;
  switch (how) {
    case ViewScroll::kLineBack: --*position; break;
    case ViewScroll::kLineForward: ++*position; break;
    case ViewScroll::kPageBack: *position -= std::max(1, page); break;
    case ViewScroll::kPageForward: *position += std::max(1, page); break;
    case ViewScroll::kTo: *position = to; break;
    case ViewScroll::kStart: *position = 0; break;
    case ViewScroll::kEnd: *position = maximum; break;
  }
  *position = Clamp(*position, 0, maximum);
  return *position != before;
}

}  // namespace

ViewContent ViewContentFromScreen() {
  ViewContent content = {};
  const WindowState& w = Screen.win;
  const int left = w.winLeft, right = std::min<int>(w.winRight, kScreenCols - 1);
  const int top = w.winTop, bottom = std::min<int>(w.winBottom, kWorkRows - 1);
  if (left > right || top > bottom) return content;
  content.area = ViewArea{left, top, right - left + 1, bottom - top + 1};
  for (int row = top; row <= bottom; ++row) {
    int length = 0;
    const uint8_t* buffer = ViewportLine(row, &length);
    const int vpLeft = std::max<int>(w.vpCol, left);
    const int vpRight = std::min<int>(w.vpCol + w.vpWidth - 1, right);
    if (!buffer || vpLeft > vpRight) {
      content.lines.push_back(TrimRight(ScreenText(row, left, right)));
      continue;
    }
    // The cells left of the viewport, the whole buffer line, the cells right of it.
    std::string line = vpLeft > left ? ScreenText(row, left, vpLeft - 1) : std::string();
    line.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
    if (vpRight < right) line += ScreenText(row, vpRight + 1, right);
    content.lines.push_back(TrimRight(line));
  }
  return content;
}

void ResetViewWindow() { ViewWindow = ViewWindowRecord{}; }

void OpenViewContent(const ViewContent& content, int pageCols, int pageRows) {
  ResetViewWindow();
  ViewWindow.open = true;
  ViewWindow.content = content;
  for (const std::string& line : content.lines) ViewWindow.width = std::max(ViewWindow.width, static_cast<int>(line.size()));
  // A content of blank lines still has the window's width to select in.
  ViewWindow.width = std::max(ViewWindow.width, content.area.cols);
  SetViewPage(pageCols, pageRows);
}

void CloseViewContent() { ResetViewWindow(); }

void SetViewPage(int pageCols, int pageRows) {
  ViewWindow.pageCols = std::max(1, pageCols);
  ViewWindow.pageRows = std::max(1, pageRows);
  ClampScroll();
}

int MaxTopLine() { return std::max(0, static_cast<int>(ViewWindow.content.lines.size()) - ViewWindow.pageRows); }
int MaxLeftCol() { return std::max(0, ViewWindow.width - ViewWindow.pageCols); }

bool ScrollViewRows(ViewScroll how, int position) {
  return Scroll(&ViewWindow.topLine, ViewWindow.pageRows, MaxTopLine(), how, position);
}
bool ScrollViewCols(ViewScroll how, int position) {
  return Scroll(&ViewWindow.leftCol, ViewWindow.pageCols, MaxLeftCol(), how, position);
}

void ContentPosition(int pageCol, int pageRow, int* col, int* line) {
  const int lines = static_cast<int>(ViewWindow.content.lines.size());
  *col = Clamp(ViewWindow.leftCol + pageCol, 0, std::max(0, ViewWindow.width - 1));
  *line = Clamp(ViewWindow.topLine + pageRow, 0, std::max(0, lines - 1));
}

void ViewSelectStart(int pageCol, int pageRow) {
  ContentPosition(pageCol, pageRow, &ViewWindow.anchorCol, &ViewWindow.anchorLine);
  ViewWindow.col = ViewWindow.anchorCol;
  ViewWindow.line = ViewWindow.anchorLine;
  ViewWindow.selecting = true;
  ViewWindow.selectionShown = true;
}

bool ViewSelectMove(int pageCol, int pageRow) {
  if (!ViewWindow.selecting) return false;
  int col, line;
  ContentPosition(pageCol, pageRow, &col, &line);
  if (col == ViewWindow.col && line == ViewWindow.line) return false;
  ViewWindow.col = col;
  ViewWindow.line = line;
  return true;
}

void ViewSelectEnd() { ViewWindow.selecting = false; }

int AutoScrollStep(int pageCell, int pageCells) {
  if (pageCell < 0) return -1;
  if (pageCell >= pageCells) return 1;
  return 0;
}

ViewRect ViewSelectionRect() {
  const ViewWindowRecord& v = ViewWindow;
  return ViewRect{std::min(v.anchorCol, v.col), std::min(v.anchorLine, v.line), std::max(v.anchorCol, v.col),
                  std::max(v.anchorLine, v.line)};
}

bool ViewCellSelected(int col, int line) {
  if (!ViewWindow.selectionShown) return false;
  const ViewRect r = ViewSelectionRect();
  return col >= r.left && col <= r.right && line >= r.top && line <= r.bottom;
}

std::string ViewSelectionText() {
  std::string text;
  if (!ViewWindow.selectionShown || ViewWindow.content.lines.empty()) return text;
  const ViewRect r = ViewSelectionRect();
  const int cols = r.right - r.left + 1;
  for (int line = r.top; line <= r.bottom; ++line) {
    const std::string& source = ViewWindow.content.lines[static_cast<size_t>(line)];
    std::string row = static_cast<size_t>(r.left) < source.size() ? source.substr(static_cast<size_t>(r.left), static_cast<size_t>(cols)) : std::string();
    row.resize(static_cast<size_t>(cols), ' ');
    text += row;
    text += "\r\n";
  }
  return text;
}

void ClearViewSelection() {
  ViewWindow.selecting = false;
  ViewWindow.selectionShown = false;
}
