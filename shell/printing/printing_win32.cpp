#include "printing_win32.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "main_window.h"
#include "message_box.h"
#include "print_service.h"
#include "raw_print.h"
#include "shell/ingress/receive_trace.h"
#include "shell/ingress/trace_viewer.h"
#include "shell/render/renderer.h"
#include "shell_config.h"
#include "shell_state.h"
#include "spooler_win32.h"
#include "tiff_writer.h"

namespace {

Win32Spooler spooler;

constexpr int kImageWidth = 1700;
constexpr int kImageHeight = 2156;

void ShowPrintMessage(const char* text) { ShowMessage(Shell.mainWindow, text, kProgramTitle, MB_OK | MB_ICONSTOP); }

// DEVNAMES strings.
std::string DevName(HGLOBAL names, int which) {
  if (!names) return std::string();
  const DEVNAMES* d = static_cast<const DEVNAMES*>(GlobalLock(names));
  if (!d) return std::string();
  WORD offset = which == 0 ? d->wDeviceOffset : which == 1 ? d->wDriverOffset : d->wOutputOffset;
  std::string s = reinterpret_cast<const char*>(d) + offset;
  GlobalUnlock(names);
  return s;
}

void FreeDialogMemory(PRINTDLGA& pd) {
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  pd.hDevMode = pd.hDevNames = nullptr;
}

// ---- The TIFF file --------------------------------------------------------------

class HandleSink final : public TiffSink {
 public:
  explicit HandleSink(HANDLE file) : file_(file) {}
  bool Write(const uint8_t* bytes, size_t count) override {
    DWORD done = 0;
    return WriteFile(file_, bytes, static_cast<DWORD>(count), &done, nullptr) && done == count;
  }
  bool WriteAt(uint32_t offset, const uint8_t* bytes, size_t count) override {
    LARGE_INTEGER at, end, zero;
    at.QuadPart = offset;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(file_, zero, &end, FILE_CURRENT) || !SetFilePointerEx(file_, at, nullptr, FILE_BEGIN))
      return false;
    bool ok = Write(bytes, count);
    return SetFilePointerEx(file_, end, nullptr, FILE_BEGIN) && ok;
  }

 private:
  HANDLE file_;
};

// A white one-bit page the screen is drawn onto.
struct PageBitmap {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;

  bool Create(int width, int height) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top row first
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[1] = RGBQUAD{255, 255, 255, 0};  // bit 1 is white
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) return false;
    old = SelectObject(dc, bitmap);
    return true;
  }
  void Clear(int width, int height) {
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    GdiFlush();
  }
  MonochromePage Memory(int width, int height) const {
    return MonochromePage{static_cast<uint8_t*>(bits), width, height, (width + 31) / 32 * 4};
  }
  bool Page(TiffPage* page) {
    GdiFlush();
    DIBSECTION section;
    if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
    *page = TiffPage{static_cast<const uint8_t*>(section.dsBm.bmBits), section.dsBm.bmWidth,
                     section.dsBm.bmHeight < 0 ? -section.dsBm.bmHeight : section.dsBm.bmHeight,
                     section.dsBm.bmWidthBytes, section.dsBm.bmPlanes, section.dsBm.bmBitsPixel};
    return true;
  }
  ~PageBitmap() {
    if (dc && old) SelectObject(dc, old);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
  }
};

void AppendBitmap(TiffWriter& writer, PageBitmap& bitmap) {
  TiffPage page{};
  if (!bitmap.Page(&page)) page.planes = 0;  // the writer refuses it
  writer.AppendPage(page);
}

// ---- Print screen ------------------------------------------------------------------

void TextPrintScreen(const PRINTDLGA& pd, const std::string& footer) {
  std::string device;
  if (pd.hDevMode) {
    if (const DEVMODEA* mode = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode))) {
      device.assign(reinterpret_cast<const char*>(mode->dmDeviceName),
                    strnlen(reinterpret_cast<const char*>(mode->dmDeviceName), sizeof mode->dmDeviceName));
      GlobalUnlock(pd.hDevMode);
    }
  }
  if (device.empty()) device = DevName(pd.hDevNames, 0);
  PrinterHandle printer = spooler.Open(device.c_str());
  const Cell* rows = TraceViewerCells() ? TraceViewerCells() : Screen.cells;
  TextPrint(printer, rows, kScreenRows, footer);
  // The text print's printer is its own: it closes with the job.
  spooler.Close(printer);
}

void ImagePrintScreen(HDC dc, const std::string& footer) {
  DOCINFOA doc = {sizeof doc, "Corvane print screen", nullptr, nullptr, 0};
  if (StartDocA(dc, &doc) <= 0) return;
  if (StartPage(dc) > 0) {
    RenderScreenPage(dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), nullptr, footer, nullptr);
    EndPage(dc);
  }
  EndDoc(dc);
}

}  // namespace

void AttachPrinting() {
  PrintPorts = PrintWiring{&spooler, ShowPrintMessage};
  Print.route = Config.store.config.printer;
  SelectTransparentPrinter();
}

void SelectTransparentPrinter() {
  const tavix::ConfigBlock& c = Config.store.config;
  std::string device;
  HDC dc = nullptr;
  if (c.transparent_selected && c.transparent_name[0]) {
    // Device, driver and port, split at the first two colons.
    std::string name = c.transparent_name;
    size_t first = name.find(':');
    size_t second = first == std::string::npos ? first : name.find(':', first + 1);
    if (second != std::string::npos) {
      std::string driver = name.substr(first + 1, second - first - 1);
      std::string port = name.substr(second + 1);
      device = name.substr(0, first);
      dc = CreateDCA(driver.c_str(), device.c_str(), port.c_str(), nullptr);
    }
    if (!dc) {
      device.clear();
      ShowPrintMessage("Selected transparent printer unavailable, default printer used");
    }
  }
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  if (!dc) {
    pd.Flags = PD_RETURNDEFAULT;
    if (PrintDlgA(&pd)) device = DevName(pd.hDevNames, 0);
  }
  SetTransparentPrinter(spooler.Open(device.c_str()));
  if (dc) DeleteDC(dc);
  FreeDialogMemory(pd);
}

std::string CurrentPrintFooter() {
  char title[256] = "";
  if (Shell.mainWindow) GetWindowTextA(Shell.mainWindow, title, sizeof title);
  return PrintFooter(Config.store.config.userid, std::time(nullptr), title);
}

void PrintScreenCommand(HWND window) {
  const std::string footer = CurrentPrintFooter();
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = window;
  pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
  pd.nCopies = 1;
  if (!PrintDlgA(&pd)) return;
  const bool canCopyBitmaps = pd.hDC && (GetDeviceCaps(pd.hDC, RASTERCAPS) & RC_BITBLT);
  if (!canCopyBitmaps || Config.store.config.character_printscreen || !FontAvailable(kFontCorvane)) {
    TextPrintScreen(pd, footer);
  } else {
    ImagePrintScreen(pd.hDC, footer);
  }
  if (pd.hDC) DeleteDC(pd.hDC);
  FreeDialogMemory(pd);
}

namespace {

// The screen, a blank row, the footer and the overlay below it: cells of an
// eightieth of the page width, twice as high as wide, the grid centred.
PrintLayout PageLayout(int width, int height, int rows) {
  PrintLayout layout = {};
  layout.cellWidth = width / kScreenCols;
  layout.rowHeight = layout.cellWidth * 2;
  if ((rows + 4) * layout.rowHeight > height) layout.rowHeight = height / (rows + 4);
  layout.xOrigin = (width - kScreenCols * layout.cellWidth) / 2;
  layout.yOrigin = layout.rowHeight;
  return layout;
}

int FooterY(const PrintLayout& layout, int rows) { return layout.yOrigin + (rows + 1) * layout.rowHeight; }

}  // namespace

void RenderScreenPage(HDC dc, int width, int height, const Cell* buffer, const std::string& footer,
                      const char* overlay) {
  const int rows = buffer ? kScreenRows : kWorkRows;
  PrintLayout layout = PageLayout(width, height, rows);
  if (layout.cellWidth < 1 || layout.rowHeight < 1) return;
  CreatePrintFonts(layout.rowHeight, layout.cellWidth, layout.fonts);
  PaintOnto(dc, layout, buffer);
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  if (layout.fonts[0]) SelectObject(dc, layout.fonts[0]);
  const int footerY = FooterY(layout, rows);
  TextOutA(dc, layout.xOrigin, footerY, footer.data(), static_cast<int>(footer.size()));
  if (overlay) TextOutA(dc, layout.xOrigin, footerY + layout.rowHeight, overlay, static_cast<int>(std::strlen(overlay)));
  RestoreDC(dc, saved);
  DeletePrintFonts(layout.fonts);
}

int WriteScreenImage(const char* path, bool withDebug) {
  std::string work = std::string(path) + ".part";
  HANDLE file = CreateFileA(work.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  HandleSink sink(file);
  TiffWriter writer(sink);
  writer.Begin();
  const std::string footer = CurrentPrintFooter();
  PageBitmap bitmap;
  if (bitmap.Create(kImageWidth, kImageHeight)) {
    // One layout and one set of fonts for every page: the screen's rows and
    // the trace pages' 25 share the cell size.
    PrintLayout layout = PageLayout(kImageWidth, kImageHeight, kScreenRows);
    CreatePrintFonts(layout.rowHeight, layout.cellWidth, layout.fonts);
    {
      PageGlyphCache glyphs(layout);
      const MonochromePage page = bitmap.Memory(kImageWidth, kImageHeight);
      auto draw = [&](const Cell* cells, const char* overlay) {
        bitmap.Clear(kImageWidth, kImageHeight);
        PaintOntoPage(page, layout, cells, glyphs);
        const int footerY = FooterY(layout, cells ? kScreenRows : kWorkRows);
        PaintTextOntoPage(page, layout, layout.xOrigin, footerY, footer.data(), static_cast<int>(footer.size()), glyphs);
        if (overlay)
          PaintTextOntoPage(page, layout, layout.xOrigin, footerY + layout.rowHeight, overlay,
                            static_cast<int>(std::strlen(overlay)), glyphs);
        AppendBitmap(writer, bitmap);
      };
      draw(nullptr, nullptr);
      if (withDebug) {
        static Cell trace[kTracePageCells];  // 8000 bytes
        for (int p = 0; p < kTracePages && !writer.failed(); ++p) {
          // The trace page rendered into its buffer, then onto a white page.
          RenderTracePage(TraceViewerEntries(), ReceiveTrace.next, p, Screen.WindowLevel, trace);
          char overlay[64];
          std::snprintf(overlay, sizeof overlay, "Receive trace page %d of %d", p + 1, kTracePages);
          draw(trace, overlay);
        }
      }
    }
    DeletePrintFonts(layout.fonts);
  } else {
    TiffPage none{};
    writer.AppendPage(none);
  }
  bool ok = writer.Finish();
  ok = CloseHandle(file) && ok;
  if (ok && MoveFileExA(work.c_str(), path, MOVEFILE_REPLACE_EXISTING)) return 0;
  DeleteFileA(work.c_str());
  return 2;
}

void SaveScreenImageCommand(HWND window, bool withDebug) {
  char path[1024] = "";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window;
  ofn.lpstrFilter = "Moxel tiff files\0*.tif\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrDefExt = "tif";
  ofn.lpstrTitle = "Save screen image";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&ofn)) return;
  switch (WriteScreenImage(path, withDebug)) {
    case 1:
      ShowPrintMessage("Unable to open file for writing");
      break;
    case 2:
      ShowPrintMessage("Error writing image file");
      break;
    default:
      break;
  }
}

void ShutDownPrinting() { ClosePrinters(); }
