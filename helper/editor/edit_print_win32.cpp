#include "edit_print_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "edit_colours.h"
#include "edit_painter_win32.h"
#include "frame_edit_win32.h"
#include "helper_state.h"

namespace {

// Prints every line on the device context; false when the spooler refused.
bool PrintPages(HDC dc, CFrameEdit& frame) {
  EditSession& s = frame.Session();
  const EditPreferences& p = s.prefs;
  const int height = -MulDiv(SanitisePointSize(p.pointSize), GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT font = CreateFontA(height, 0, 0, 0, p.bold ? FW_BOLD : FW_NORMAL, p.italic ? TRUE : FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, p.font);
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(ANSI_FIXED_FONT));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  const int cellWidth = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
  const int cellHeight = tm.tmHeight > 0 ? tm.tmHeight : 1;
  // A margin of half an inch on every side.
  const int marginX = GetDeviceCaps(dc, LOGPIXELSX) / 2, marginY = GetDeviceCaps(dc, LOGPIXELSY) / 2;
  const int pageWidth = GetDeviceCaps(dc, HORZRES), pageHeight = GetDeviceCaps(dc, VERTRES);
  int rows = (pageHeight - 2 * marginY) / cellHeight - 2;  // the header and a blank row
  if (rows < 1) rows = 1;
  int columns = (pageWidth - 2 * marginX) / cellWidth - 5;
  if (columns < 1) columns = 1;

  EditPalette palette;
  int foreground[8], background[7];
  for (int i = 0; i < 8; ++i) foreground[i] = SanitiseColourCode(p.foreground[i]);
  for (int i = 0; i < 7; ++i) background[i] = SanitiseColourCode(p.background[i]);
  palette.Update(foreground, background, Helper.customColors, 1);
  EditPainter painter;

  DOCINFOA doc = {};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = s.title.c_str();
  bool ok = StartDocA(dc, &doc) > 0;
  const int count = s.Lines().Count();
  for (int first = 0, page = 1; ok && (first < count || page == 1); first += rows, ++page) {
    if (StartPage(dc) <= 0) {
      ok = false;
      break;
    }
    SelectObject(dc, font ? font : GetStockObject(ANSI_FIXED_FONT));
    char header[300];
    std::snprintf(header, sizeof header, "%s Page %d", s.title.c_str(), page);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    TextOutA(dc, marginX, marginY, header, static_cast<int>(std::strlen(header)));
    EditPaintRequest r;
    r.lines = &s.Lines();
    r.bookmarks = &s.Bookmarks();
    r.found = &s.Founds();
    r.firstLine = first;
    r.rows = rows;
    r.columns = columns;
    r.cellWidth = cellWidth;
    r.cellHeight = cellHeight;
    r.left = marginX;
    r.top = marginY + 2 * cellHeight;
    r.right = marginX + (columns + 5) * cellWidth;
    r.bottom = r.top + rows * cellHeight;
    r.colouring = p.checkSyntax != 0;
    r.marker = false;
    r.fillBelow = false;
    painter.Paint(dc, r, palette);
    if (EndPage(dc) <= 0) ok = false;
  }
  if (ok) {
    EndDoc(dc);
  } else {
    AbortDoc(dc);
  }
  SelectObject(dc, old);
  if (font) DeleteObject(font);
  return ok;
}

}  // namespace

bool PrintProgram(CFrameEdit& frame) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = frame.FrameHandle();
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!PrintDlgA(&dialog) || !dialog.hDC) return false;
  const bool ok = PrintPages(dialog.hDC, frame);
  DeleteDC(dialog.hDC);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  return ok;
}
