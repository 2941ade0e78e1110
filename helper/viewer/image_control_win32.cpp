// The image control's window: layout, decoding in steps, painting,
// scrolling, annotations, printing and copying.
#include "image_control_win32.h"

#include <cstring>

#include "image_module_win32.h"
#include "image_pipeline_win32.h"
#include "image_rotate.h"

namespace {

// The decoding timer: its messages come only when no input, paint or other
// message waits, so decoding never holds the user up.
constexpr UINT_PTR kDecodeTimer = 1;
// About this many pixels per band, and bands until a step has taken this long.
constexpr int kStepPixels = 64 * 1024;
constexpr DWORD kStepMilliseconds = 30;
constexpr std::int64_t kStepPagePixels = 8 << 20;
// A page is never held at more pixels than this (64 MB); a larger shown
// size is stretched from it.
constexpr std::int64_t kMaxDecodePixels = 16 << 20;
// The height of the screen font annotation texts are drawn in; printed
// texts keep that height against the page at its own size.
constexpr int kScreenTextHeight = 16;

COLORREF ColourOf(int background) {
  return background < 0 ? GetSysColor(COLOR_3DLIGHT) : static_cast<COLORREF>(background) & 0xFFFFFF;
}

COLORREF FromRgb(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::string ReadWholeFile(const std::string& path, size_t limit) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  if (GetFileType(file) == FILE_TYPE_DISK) {
    char buffer[4096];
    DWORD got = 0;
    while (text.size() < limit && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
      text.append(buffer, got);
  }
  CloseHandle(file);
  return text;
}

void FillInfo(BITMAPINFO* info, int width, int height) {
  std::memset(info, 0, sizeof *info);
  info->bmiHeader.biSize = sizeof info->bmiHeader;
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = -height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = 32;
  info->bmiHeader.biCompression = BI_RGB;
}

}  // namespace

bool CImageControl::Register(HINSTANCE instance) {
  WNDCLASSA existing;
  if (GetClassInfoA(instance, IMAGE_CONTROL_CLASS, &existing)) return true;
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = IMAGE_CONTROL_CLASS;
  return RegisterClassA(&wc) != 0;
}

bool RegisterImageControl(HINSTANCE instance) { return CImageControl::Register(instance); }

CImageControl* CImageControl::Create(HWND parent, int id, const RECT& at, DWORD style) {
  HINSTANCE module = ViewerModule();
  if (!Register(module)) return nullptr;
  const DWORD windowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (style & 0xFFFF0000u) | (style & 0xFFFF);
  HWND window = CreateWindowExA(0, IMAGE_CONTROL_CLASS, "", windowStyle, at.left, at.top, at.right - at.left,
                                at.bottom - at.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                module, nullptr);
  return window ? FromWindow(window) : nullptr;
}

CImageControl* CImageControl::FromWindow(HWND window) {
  if (!window) return nullptr;
  char name[32] = "";
  if (!GetClassNameA(window, name, sizeof name) || std::strcmp(name, IMAGE_CONTROL_CLASS) != 0) return nullptr;
  return reinterpret_cast<CImageControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK CImageControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CImageControl* self = reinterpret_cast<CImageControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = new CImageControl;
    self->window_ = window;
    self->style_ = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->Clear();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete self;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT CImageControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      RECT client;
      GetClientRect(window_, &client);
      // Through a memory bitmap: no flicker while bands arrive.
      HDC memory = CreateCompatibleDC(dc);
      HBITMAP canvas = CreateCompatibleBitmap(dc, client.right > 0 ? client.right : 1,
                                              client.bottom > 0 ? client.bottom : 1);
      HGDIOBJ old = SelectObject(memory, canvas);
      Paint(memory, client);
      BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteObject(canvas);
      DeleteDC(memory);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_TIMER:
      if (wParam != kDecodeTimer) return 0;
      {
        const DWORD start = GetTickCount();
        bool more = status_ == kImageDecoding;
        while (more && (more = DecodeStep()) && GetTickCount() - start < kStepMilliseconds) {
        }
        if (!more) {
          KillTimer(window_, kDecodeTimer);
          stepPosted_ = false;
        }
      }
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const ViewGeometry g = Geometry();
      ScrollTo(g.x, g.y - GET_WHEEL_DELTA_WPARAM(wParam) * (g.viewHeight / 8 + 1) / WHEEL_DELTA);
      return 0;
    }
    case WM_LBUTTONDOWN:
      Notify(IMAGE_NOTIFY_CLICK);
      return 0;
    case WM_LBUTTONDBLCLK:
      Notify(IMAGE_NOTIFY_DBLCLK);
      return 0;
    case WM_SETREDRAW:
      redraw_ = wParam != 0;
      if (redraw_) {
        Relayout();
        InvalidateRect(window_, nullptr, FALSE);
      }
      return DefWindowProcA(window_, message, wParam, lParam);
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void CImageControl::Notify(int code) {
  HWND parent = GetParent(window_);
  if (!parent) return;
  const int id = GetDlgCtrlID(window_);
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(window_));
}

void CImageControl::Clear() {
  if (window_ && stepPosted_) KillTimer(window_, kDecodeTimer);
  stepPosted_ = false;
  delete decoder_;
  decoder_ = nullptr;
  FreeScaledPage(&scaled_);
  turned_.clear();
  turnedFor_ = -1;
  decoded_ = PageSize{};
  source_ = PageSize{};
  status_ = kImageEmpty;
  pageCount_ = 0;
  page_ = 1;
  decodedPage_ = 0;
  decodedQuality_ = -1;
  rowsDone_ = 0;
  scrollX_ = scrollY_ = 0;
  annotations_ = AnnotationSet{};
  path_.clear();
  if (window_ && redraw_) InvalidateRect(window_, nullptr, FALSE);
}

ImageLoadStatus CImageControl::Load(const char* path) {
  Clear();
  if (!path) return status_ = kImageOpenFailed;
  path_ = path;
  decoder_ = new PagePipeline;
  DWORD error = 0;
  ImageLoadStatus s = decoder_->Open(path, 1, &error);
  if (s != kImageDecoding) {
    delete decoder_;
    decoder_ = nullptr;
    status_ = s;
    Notify(IMAGE_NOTIFY_FAILED);
    return s;
  }
  pageCount_ = decoder_->PageCount();
  page_ = 1;
  decodedPage_ = 1;
  source_ = PageSize{decoder_->SourceWidth(), decoder_->SourceHeight()};
  annotations_ = ParseAnnotations(ReadWholeFile(AnnotationPathFor(path_), 1 << 20));
  status_ = kImageDecoding;
  Relayout();
  return status_;
}

ImageLoadStatus CImageControl::Finish() {
  while (status_ == kImageDecoding && DecodeStep()) {
  }
  return status_;
}

bool CImageControl::SetPage(int page) {
  if (page < 1 || page > pageCount_ || path_.empty()) return false;
  if (page == page_) return true;
  page_ = page;
  status_ = kImageDecoding;  // the new page is decoded from the start
  Refresh();
  return status_ == kImageDecoding || status_ == kImageLoaded;
}

void CImageControl::SetDisplayMode(int mode) {
  if (mode != kFitWidth && mode != kFitPage && mode != kActualSize && mode != kZoomScroll) mode = kFitPage;
  if (mode == kActualSize && !source_.width) {
    mode_ = mode;
    return;
  }
  if (mode == kZoomScroll && mode_ == kActualSize) {
    // Scrollable at the size shown now: the page's own size as a
    // percentage of the fitted size.
    const PageSize base = Turned(ZoomBase(), rotation_);
    if (base.width > 0)
      zoomPercent_ = static_cast<int>((static_cast<long long>(source_.width) * 100 + base.width / 2) / base.width);
  }
  mode_ = mode;
  Relayout();
}

void CImageControl::SetZoomPercent(int percent) {
  if (percent < 1) percent = 1;
  if (percent > 10000) percent = 10000;
  zoomPercent_ = percent;
  mode_ = kZoomScroll;
  Relayout();
}

void CImageControl::TurnTo(int quarterTurns) {
  const int turns = NormalTurns(quarterTurns);
  if (turns == rotation_) return;
  // Keep the same part of the page in view.
  const PageSize view = ViewSize();
  const PageSize shown = ShownSize();
  const PageSize unturned = Turned(shown, rotation_);
  const Offset onPage = PageFromShown(Offset{scrollX_, scrollY_}, unturned, view, rotation_);
  rotation_ = turns;
  if (mode_ == kZoomScroll && unturned.width > 0) {
    // Zoomed, a turn keeps the scale (the fitted size it is a percentage of
    // changes with the turn).
    const PageSize base = Turned(ZoomBase(), rotation_);
    if (base.width > 0)
      zoomPercent_ = static_cast<int>((static_cast<long long>(unturned.width) * 100 + base.width / 2) / base.width);
  }
  turnedFor_ = -1;
  Relayout();
  const PageSize after = Turned(ShownSize(), rotation_);
  const Offset s = ShownFromPage(onPage, after, view, rotation_);
  ScrollTo(s.x, s.y);
}

void CImageControl::RotateClockwise() { TurnTo(rotation_ + 1); }
void CImageControl::RotateCounterClockwise() { TurnTo(rotation_ + 3); }
void CImageControl::SetRotation(int quarterTurns) { TurnTo(quarterTurns); }

void CImageControl::SetBackground(int color) {
  background_ = color < 0 ? -1 : color & 0xFFFFFF;
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
}

void CImageControl::SetQuality(int quality) {
  if (quality < kQualityFast || quality > kQualityOptimized) quality = kQualityFast;
  if (quality == quality_) return;
  quality_ = quality;
  Relayout();
}

void CImageControl::ShowAnnotations(bool shown) {
  annotationsShown_ = shown;
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
}

void CImageControl::SetRedraw(bool on) { SendMessageA(window_, WM_SETREDRAW, on ? TRUE : FALSE, 0); }

void CImageControl::Refresh() {
  decodedQuality_ = -1;  // decode again whatever the size
  Relayout();
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
}

PageSize CImageControl::ViewSize() const {
  RECT client = {};
  if (window_) GetClientRect(window_, &client);
  return PageSize{client.right - client.left, client.bottom - client.top};
}

PageSize CImageControl::ShownSize() const {
  if (source_.width <= 0) return PageSize{};
  const PageSize page = Turned(source_, rotation_);
  const PageSize area = ViewSize();
  switch (mode_) {
    case kFitWidth: return FitToWidth(page, area);
    case kActualSize: return page;
    case kZoomScroll: return ZoomOf(ZoomBase(), zoomPercent_);
    default: return FitToPage(page, area);
  }
}

PageSize CImageControl::ZoomBase() const {
  // The page fitted to the whole control, with or without its scroll bars.
  PageSize whole = ViewSize();
  const LONG style = window_ ? GetWindowLongA(window_, GWL_STYLE) : 0;
  if (style & WS_VSCROLL) whole.width += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) whole.height += GetSystemMetrics(SM_CYHSCROLL);
  return FitToPage(Turned(source_, rotation_), whole);
}

void CImageControl::Relayout() {
  if (inLayout_ || !window_) return;
  inLayout_ = true;
  if (source_.width > 0 && (status_ == kImageDecoding || status_ == kImageLoaded)) {
    const PageSize want = DecodeSizeFor(Turned(ShownSize(), rotation_), source_, kMaxDecodePixels);
    if (want.width != decoded_.width || want.height != decoded_.height || decodedQuality_ != quality_ ||
        decodedPage_ != page_)
      StartDecode();
  }
  const PageSize shown = ShownSize();
  const PageSize view = ViewSize();
  scrollX_ = ClampScroll(scrollX_, shown.width, view.width);
  scrollY_ = ClampScroll(scrollY_, shown.height, view.height);
  UpdateOwnScrollBars();
  inLayout_ = false;
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
  Notify(IMAGE_NOTIFY_SCROLLED);
}

void CImageControl::StartDecode() {
  if (decodedPage_ != page_ || !decoder_) {
    delete decoder_;
    decoder_ = new PagePipeline;
    ImageLoadStatus s = decoder_->Open(path_.c_str(), page_, nullptr);
    if (s != kImageDecoding) {
      delete decoder_;
      decoder_ = nullptr;
      FreeScaledPage(&scaled_);
      status_ = kImageDecodeError;
      Notify(IMAGE_NOTIFY_FAILED);
      return;
    }
    decodedPage_ = page_;
    source_ = PageSize{decoder_->SourceWidth(), decoder_->SourceHeight()};
  }
  const PageSize want = DecodeSizeFor(Turned(ShownSize(), rotation_), source_, kMaxDecodePixels);
  if (want.width <= 0 || want.height <= 0) return;
  FreeScaledPage(&scaled_);
  turnedFor_ = -1;
  decoded_ = want;
  decodedQuality_ = quality_;
  rowsDone_ = 0;
  if (!decoder_->Prepare(want.width, want.height, quality_) || !MakePageBitmap(want.width, want.height, &scaled_)) {
    status_ = kImageDecodeError;
    Notify(IMAGE_NOTIFY_FAILED);
    return;
  }
  // Not yet decoded parts show white, like paper.
  std::memset(scaled_.pixels, 0xFF, static_cast<size_t>(want.width) * static_cast<size_t>(want.height) * 4);
  status_ = kImageDecoding;
  if (!stepPosted_) {
    stepPosted_ = true;
    SetTimer(window_, kDecodeTimer, USER_TIMER_MINIMUM, nullptr);
  }
}

bool CImageControl::DecodeStep() {
  if (status_ != kImageDecoding || !decoder_ || !scaled_.pixels) return false;
  int rows = kStepPixels / (decoded_.width > 0 ? decoded_.width : 1);
  // A band of a much reduced page reads many page rows: keep those bounded too.
  const std::int64_t pagePixelsPerRow =
      static_cast<std::int64_t>(source_.width) * source_.height / (decoded_.height > 0 ? decoded_.height : 1);
  if (pagePixelsPerRow > 0 && rows > kStepPagePixels / pagePixelsPerRow)
    rows = static_cast<int>(kStepPagePixels / pagePixelsPerRow);
  if (rows < 1) rows = 1;
  if (rows > decoded_.height - rowsDone_) rows = decoded_.height - rowsDone_;
  if (!decoder_->DecodeRows(rowsDone_, rows,
                            scaled_.pixels + static_cast<size_t>(rowsDone_) * static_cast<size_t>(decoded_.width),
                            decoded_.width)) {
    status_ = kImageDecodeError;
    FreeScaledPage(&scaled_);
    Notify(IMAGE_NOTIFY_FAILED);
    return false;
  }
  rowsDone_ += rows;
  turnedFor_ = -1;
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
  if (rowsDone_ < decoded_.height) return true;
  status_ = kImageLoaded;
  Notify(IMAGE_NOTIFY_LOADED);
  return false;
}

bool CImageControl::TurnedPixels() {
  if (!scaled_.pixels) return false;
  if (turnedFor_ == rotation_) return true;
  GdiFlush();
  turned_.resize(static_cast<size_t>(decoded_.width) * static_cast<size_t>(decoded_.height));
  TurnPixels(scaled_.pixels, decoded_.width, decoded_.height, rotation_, turned_.data());
  turnedFor_ = rotation_;
  return true;
}

void CImageControl::DrawPage(HDC dc, int x, int y, PageSize shown, bool withAnnotations) {
  if (!TurnedPixels()) return;
  const PageSize bits = Turned(decoded_, rotation_);
  BITMAPINFO info;
  FillInfo(&info, bits.width, bits.height);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, shown.width, shown.height, 0, 0, bits.width, bits.height, turned_.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
  if (withAnnotations) DrawAnnotations(dc, x, y, shown, page_, source_, 0);
}

// The marks of `page` over the page drawn at x, y in `shown` (turned)
// pixels; `source` is the page's own size. Texts are in the device's font,
// or, when textHeight > 0, in a font of that many device pixels.
void CImageControl::DrawAnnotations(HDC dc, int x, int y, PageSize shown, int page, PageSize source,
                                    int textHeight) {
  if (source.width <= 0 || source.height <= 0) return;
  // Page pixels -> shown pixels: scale, then turn.
  const PageSize unturned = Turned(shown, rotation_);
  auto map = [&](int px, int py, int* sx, int* sy) {
    const long long ux = static_cast<long long>(px) * unturned.width / source.width;
    const long long uy = static_cast<long long>(py) * unturned.height / source.height;
    long long tx = ux, ty = uy;
    switch (rotation_) {
      case 1: tx = unturned.height - uy; ty = ux; break;
      case 2: tx = unturned.width - ux; ty = unturned.height - uy; break;
      case 3: tx = uy; ty = unturned.width - ux; break;
      default: break;
    }
    *sx = x + static_cast<int>(tx);
    *sy = y + static_cast<int>(ty);
  };
  HFONT font = nullptr;
  HGDIOBJ oldFont = nullptr;
  if (textHeight > 0) {
    LOGFONTA face = {};
    face.lfHeight = -textHeight;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(face.lfFaceName, "Arial", LF_FACESIZE);
    font = CreateFontIndirectA(&face);
    if (font) oldFont = SelectObject(dc, font);
  }
  SetBkMode(dc, TRANSPARENT);
  for (const Annotation& a : annotations_.marks) {
    if (a.page != page) continue;
    int x0, y0, x1, y1;
    map(a.x, a.y, &x0, &y0);
    if (a.kind == Annotation::kRect) {
      map(a.x + a.width, a.y + a.height, &x1, &y1);
      RECT r = {x0 < x1 ? x0 : x1, y0 < y1 ? y0 : y1, x0 < x1 ? x1 : x0, y0 < y1 ? y1 : y0};
      if (r.right == r.left) ++r.right;
      if (r.bottom == r.top) ++r.bottom;
      HBRUSH brush = CreateSolidBrush(FromRgb(a.rgb));
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    } else {
      SetTextColor(dc, FromRgb(a.rgb));
      TextOutA(dc, x0, y0, a.text.c_str(), static_cast<int>(a.text.size()));
    }
  }
  if (font) {
    SelectObject(dc, oldFont);
    DeleteObject(font);
  }
}

void CImageControl::Paint(HDC dc, const RECT& area) {
  HBRUSH brush = CreateSolidBrush(ColourOf(background_));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  if (!scaled_.pixels) return;
  const PageSize shown = ShownSize();
  const PageSize view{area.right - area.left, area.bottom - area.top};
  const int x = shown.width <= view.width ? (view.width - shown.width) / 2 : -scrollX_;
  const int y = shown.height <= view.height ? (view.height - shown.height) / 2 : -scrollY_;
  DrawPage(dc, x, y, shown, annotationsShown_);
}

ViewGeometry CImageControl::Geometry() const {
  ViewGeometry g;
  const PageSize shown = ShownSize();
  const PageSize view = ViewSize();
  g.rotation = rotation_;
  g.imageWidth = shown.width;
  g.imageHeight = shown.height;
  g.viewWidth = view.width;
  g.viewHeight = view.height;
  g.x = scrollX_;
  g.y = scrollY_;
  return g;
}

PageGeometry CImageControl::UnturnedGeometry() const {
  PageGeometry g;
  const PageSize unturned = Turned(ShownSize(), rotation_);
  const PageSize view = ViewSize();
  g.rotation = rotation_;
  g.imageWidth = unturned.width;
  g.imageHeight = unturned.height;
  g.viewWidth = view.width;
  g.viewHeight = view.height;
  const Offset p = PageFromShown(Offset{scrollX_, scrollY_}, unturned, view, rotation_);
  g.x = p.x;
  g.y = p.y;
  return g;
}

void CImageControl::ScrollTo(int x, int y) {
  const PageSize shown = ShownSize();
  const PageSize view = ViewSize();
  x = ClampScroll(x, shown.width, view.width);
  y = ClampScroll(y, shown.height, view.height);
  if (x == scrollX_ && y == scrollY_) return;
  scrollX_ = x;
  scrollY_ = y;
  UpdateOwnScrollBars();
  if (redraw_) InvalidateRect(window_, nullptr, FALSE);
  Notify(IMAGE_NOTIFY_SCROLLED);
}

void CImageControl::PageScrollTo(int x, int y) {
  const PageSize unturned = Turned(ShownSize(), rotation_);
  const Offset s = ShownFromPage(Offset{x, y}, unturned, ViewSize(), rotation_);
  ScrollTo(s.x, s.y);
}

void CImageControl::UpdateOwnScrollBars() {
  if (!(style_ & IMAGE_OWN_SCROLLBARS)) return;
  const ViewGeometry g = Geometry();
  auto set = [&](int bar, int extent, int visible, int position) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = extent > 0 ? extent - 1 : 0;
    info.nPage = static_cast<UINT>(visible > 0 ? visible : 0);
    info.nPos = position;
    const bool shown = extent > visible && status_ != kImageEmpty;
    ShowScrollBar(window_, bar, shown);
    if (shown) SetScrollInfo(window_, bar, &info, TRUE);
  };
  set(SB_HORZ, g.imageWidth, g.viewWidth, g.x);
  set(SB_VERT, g.imageHeight, g.viewHeight, g.y);
}

void CImageControl::OnScroll(int bar, int request) {
  const ViewGeometry g = Geometry();
  const int visible = bar == SB_HORZ ? g.viewWidth : g.viewHeight;
  int position = bar == SB_HORZ ? g.x : g.y;
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(window_, bar, &info);
  switch (request) {
    case SB_LINEUP: position -= 16; break;
    case SB_LINEDOWN: position += 16; break;
    case SB_PAGEUP: position -= visible; break;
    case SB_PAGEDOWN: position += visible; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = 0x7fffffff; break;
    default: return;
  }
  if (bar == SB_HORZ)
    ScrollTo(position, g.y);
  else
    ScrollTo(g.x, position);
}

bool CImageControl::ShownPixels(std::vector<std::uint32_t>* pixels, int* width, int* height) {
  if (!TurnedPixels()) return false;
  const PageSize bits = Turned(decoded_, rotation_);
  *pixels = turned_;
  *width = bits.width;
  *height = bits.height;
  return true;
}

bool CImageControl::CopyToClipboard(HWND owner) {
  if (Finish() != kImageLoaded || !TurnedPixels()) return false;
  const PageSize bits = Turned(decoded_, rotation_);
  // Draw the page (and the annotations shown) into a bitmap of its own size.
  ScaledPage canvas;
  if (!MakePageBitmap(bits.width, bits.height, &canvas)) return false;
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, canvas.bitmap);
  DrawPage(memory, 0, 0, bits, annotationsShown_);
  GdiFlush();
  SelectObject(memory, old);
  DeleteDC(memory);
  // CF_DIB: the header, then the rows bottom up.
  const size_t rowBytes = static_cast<size_t>(bits.width) * 4;
  const size_t size = sizeof(BITMAPINFOHEADER) + rowBytes * static_cast<size_t>(bits.height);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  bool done = false;
  if (block) {
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    std::memset(header, 0, sizeof *header);
    header->biSize = sizeof *header;
    header->biWidth = bits.width;
    header->biHeight = bits.height;
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(rowBytes * static_cast<size_t>(bits.height));
    auto* rows = reinterpret_cast<unsigned char*>(header + 1);
    for (int y = 0; y < bits.height; ++y)
      std::memcpy(rows + static_cast<size_t>(bits.height - 1 - y) * rowBytes,
                  canvas.pixels + static_cast<size_t>(y) * static_cast<size_t>(bits.width), rowBytes);
    GlobalUnlock(block);
    if (OpenClipboard(owner)) {
      EmptyClipboard();
      done = SetClipboardData(CF_DIB, block) != nullptr;
      CloseClipboard();
    }
    if (!done) GlobalFree(block);
  }
  FreeScaledPage(&canvas);
  return done;
}

bool CImageControl::Print(HDC printer, int fromPage, int toPage, const char* documentName) {
  if (!printer || path_.empty() || pageCount_ < 1) return false;
  if (fromPage < 1) fromPage = 1;
  if (toPage > pageCount_) toPage = pageCount_;
  if (fromPage > toPage) return false;
  DOCINFOA doc = {};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = documentName && *documentName ? documentName : path_.c_str();
  if (StartDocA(printer, &doc) <= 0) return false;
  const PageSize paper{GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
  bool ok = true;
  for (int page = fromPage; ok && page <= toPage; ++page) {
    // Decoded at the paper's resolution (never above the page's own).
    const PageSize fit = Turned(paper, rotation_);
    ScaledPage decoded;
    if (DecodePageScaled(path_.c_str(), page, fit.width, fit.height, quality_, &decoded) != kImageLoaded) {
      ok = false;
      break;
    }
    std::vector<std::uint32_t> turned(static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height));
    TurnPixels(decoded.pixels, decoded.width, decoded.height, rotation_, turned.data());
    const PageSize bits = Turned(PageSize{decoded.width, decoded.height}, rotation_);
    const PageSize shown = FitToPage(bits, paper);
    BITMAPINFO info;
    FillInfo(&info, bits.width, bits.height);
    if (StartPage(printer) <= 0) {
      FreeScaledPage(&decoded);
      ok = false;
      break;
    }
    SetStretchBltMode(printer, HALFTONE);
    const int left = (paper.width - shown.width) / 2, top = (paper.height - shown.height) / 2;
    StretchDIBits(printer, left, top, shown.width, shown.height, 0, 0, bits.width, bits.height, turned.data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
    // The marks as the screen shows them: on paper when shown, their texts
    // as large against the page as the screen's at the page's own size.
    if (annotationsShown_) {
      const PageSize source{decoded.sourceWidth, decoded.sourceHeight};
      const PageSize own = Turned(source, rotation_);
      const int textHeight =
          own.height > 0 ? static_cast<int>(static_cast<long long>(kScreenTextHeight) * shown.height / own.height) : 0;
      DrawAnnotations(printer, left, top, shown, page, source, textHeight > 0 ? textHeight : 1);
    }
    ok = EndPage(printer) > 0;
    FreeScaledPage(&decoded);
  }
  if (ok)
    EndDoc(printer);
  else
    AbortDoc(printer);
  return ok;
}
