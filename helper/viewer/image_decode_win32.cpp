// Decoding pages through the system's imaging component.
#include <windows.h>
#include <initguid.h>
#include <wincodec.h>

#include <cstring>
#include <string>

#include "image_decode_win32.h"
#include "image_geometry.h"
#include "image_path.h"
#include "image_pipeline_win32.h"

namespace {

template <typename T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

std::wstring Wide(const char* text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, &w[0], n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

// Whether the file starts like one of the formats we decode: then a failing
// decoder means a damaged file, not an unknown format.
bool KnownSignature(HANDLE file) {
  unsigned char head[8] = {};
  DWORD got = 0;
  if (!ReadFile(file, head, sizeof head, &got, nullptr)) return false;
  static const unsigned char png[] = {0x89, 'P', 'N', 'G'};
  if (got >= 4 && std::memcmp(head, png, 4) == 0) return true;
  if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return true;
  if (got >= 4 && ((head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0) ||
                   (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42)))
    return true;
  if (got >= 2 && head[0] == 'B' && head[1] == 'M') return true;
  if (got >= 4 && std::memcmp(head, "GIF8", 4) == 0) return true;
  return false;
}

}  // namespace

PagePipeline::~PagePipeline() {
  ReleaseChain();
  Release(frame_);
  Release(decoder_);
  Release(factory_);
  if (comInitialised_) CoUninitialize();
}

void PagePipeline::ReleaseChain() { Release(chain_); }

ImageLoadStatus PagePipeline::Open(const char* path, int page, DWORD* lastError) {
  if (lastError) *lastError = 0;
  if (!path || !*path || IsDevicePath(path)) {
    if (lastError) *lastError = ERROR_INVALID_NAME;
    return kImageOpenFailed;
  }
  // Open it ourselves first, with full sharing, so that a missing, locked or
  // forbidden file gives its own error, and only plain disk files go on.
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (lastError) *lastError = GetLastError();
    return kImageOpenFailed;
  }
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    if (lastError) *lastError = ERROR_INVALID_NAME;
    return kImageOpenFailed;
  }
  const bool known = KnownSignature(file);
  CloseHandle(file);

  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comInitialised_ = SUCCEEDED(hr);
  hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                        reinterpret_cast<void**>(&factory_));
  if (FAILED(hr)) return kImageNoDecoder;
  const std::wstring wide = Wide(path);
  hr = factory_->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                           &decoder_);
  if (FAILED(hr)) return known ? kImageDecodeError : kImageNoDecoder;
  UINT frames = 0;
  if (FAILED(decoder_->GetFrameCount(&frames)) || frames == 0) return kImageDecodeError;
  pageCount_ = static_cast<int>(frames);
  if (page < 1 || page > pageCount_) return kImageDecodeError;
  if (FAILED(decoder_->GetFrame(static_cast<UINT>(page - 1), &frame_))) return kImageDecodeError;
  if (FAILED(frame_->GetSize(&width_, &height_)) || width_ == 0 || height_ == 0 || width_ > 0x7fffffff / 8 ||
      height_ > 0x7fffffff)
    return kImageDecodeError;
  WICPixelFormatGUID format;
  if (FAILED(frame_->GetPixelFormat(&format))) return kImageDecodeError;
  bilevel_ = IsEqualGUID(format, GUID_WICPixelFormatBlackWhite) != 0;
  return kImageDecoding;
}

bool PagePipeline::Prepare(int outWidth, int outHeight, int quality) {
  ReleaseChain();
  bilevelScaling_ = kNone;
  if (!frame_ || outWidth <= 0 || outHeight <= 0) return false;
  if (outWidth > static_cast<int>(width_)) outWidth = static_cast<int>(width_);
  if (outHeight > static_cast<int>(height_)) outHeight = static_cast<int>(height_);
  outWidth_ = outWidth;
  outHeight_ = outHeight;
  const bool sameSize = outWidth == static_cast<int>(width_) && outHeight == static_cast<int>(height_);
  if (bilevel_ && !sameSize) {
    // The system's scaler would hold far more than the page's bits.
    const UINT rowBytes = (width_ + 7) / 8;
    bits_.assign(static_cast<size_t>(rowBytes) * 64, 0);
    greyRow_.assign(static_cast<size_t>(outWidth), 0);
    if (quality == kQualityFast) {
      columns_.resize(static_cast<size_t>(outWidth));
      for (int x = 0; x < outWidth; ++x)
        columns_[static_cast<size_t>(x)] = NearestSource(x, static_cast<int>(width_), outWidth);
      bilevelScaling_ = kNearest;
      return true;
    }
    if (greyScaler_.Start(static_cast<int>(width_), static_cast<int>(height_), outWidth, outHeight)) {
      bilevelScaling_ = quality == kQualityOptimized ? kAreaGrey : kAreaCut;
      return true;
    }
  }
  IWICBitmapSource* source = frame_;
  source->AddRef();
  const bool fast = quality == kQualityFast;
  // Fast: scale the page's own pixels, then convert the few that remain.
  // Precise: convert, then scale with the Fant filter.
  auto scale = [&](IWICBitmapSource* in) -> IWICBitmapSource* {
    if (sameSize) return in;
    IWICBitmapScaler* scaler = nullptr;
    HRESULT hr = factory_->CreateBitmapScaler(&scaler);
    if (SUCCEEDED(hr))
      hr = scaler->Initialize(in, static_cast<UINT>(outWidth), static_cast<UINT>(outHeight),
                              fast ? WICBitmapInterpolationModeNearestNeighbor : WICBitmapInterpolationModeFant);
    in->Release();
    if (FAILED(hr)) {
      Release(scaler);
      return nullptr;
    }
    return scaler;
  };
  auto convert = [&](IWICBitmapSource* in) -> IWICBitmapSource* {
    IWICFormatConverter* converter = nullptr;
    HRESULT hr = factory_->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
      hr = converter->Initialize(in, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                 WICBitmapPaletteTypeCustom);
    in->Release();
    if (FAILED(hr)) {
      Release(converter);
      return nullptr;
    }
    return converter;
  };
  if (fast) {
    source = scale(source);
    if (source) source = convert(source);
  } else {
    source = convert(source);
    if (source) source = scale(source);
  }
  chain_ = source;
  return chain_ != nullptr;
}

bool PagePipeline::DecodeRows(int row, int count, std::uint32_t* dst, int stride) {
  if (row < 0 || count <= 0 || row + count > outHeight_) return false;
  if (bilevelScaling_ == kNone) {
    if (!chain_) return false;
    WICRect rect = {0, row, outWidth_, count};
    const UINT bytesStride = static_cast<UINT>(stride) * 4;
    return SUCCEEDED(chain_->CopyPixels(&rect, bytesStride, bytesStride * static_cast<UINT>(count),
                                        reinterpret_cast<BYTE*>(dst)));
  }
  const UINT rowBytes = (width_ + 7) / 8;
  const int chunk = static_cast<int>(bits_.size() / rowBytes);
  for (int r = row; r < row + count; ++r) {
    if (bilevelScaling_ == kNearest) {
      const int y = NearestSource(r, static_cast<int>(height_), outHeight_);
      WICRect rect = {0, y, static_cast<INT>(width_), 1};
      if (FAILED(frame_->CopyPixels(&rect, rowBytes, rowBytes, bits_.data()))) return false;
      SampleBilevelRow(bits_.data(), columns_, greyRow_.data());
    } else {
      const int first = greyScaler_.FirstPageRow(r), end = greyScaler_.EndPageRow(r);
      for (int y = first; y < end; y += chunk) {
        const int n = end - y < chunk ? end - y : chunk;
        WICRect rect = {0, y, static_cast<INT>(width_), n};
        if (FAILED(frame_->CopyPixels(&rect, rowBytes, rowBytes * static_cast<UINT>(n), bits_.data()))) return false;
        for (int i = 0; i < n; ++i) greyScaler_.AddRow(bits_.data() + static_cast<size_t>(i) * rowBytes);
      }
      greyScaler_.TakeRow(greyRow_.data());
      if (bilevelScaling_ == kAreaCut)
        for (std::uint8_t& g : greyRow_) g = g >= 128 ? 255 : 0;
    }
    std::uint32_t* out = dst + static_cast<size_t>(r - row) * static_cast<size_t>(stride);
    for (int x = 0; x < outWidth_; ++x) {
      const std::uint32_t g = greyRow_[static_cast<size_t>(x)];
      out[x] = 0xFF000000u | g << 16 | g << 8 | g;
    }
  }
  return true;
}

bool MakePageBitmap(int width, int height, ScaledPage* page) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  page->bitmap = bitmap;
  page->pixels = static_cast<std::uint32_t*>(bits);
  page->width = width;
  page->height = height;
  return true;
}

ImageLoadStatus DecodePageScaled(const char* path, int page, int fitWidth, int fitHeight, int quality,
                                 ScaledPage* out, DWORD* lastError) {
  if (!out) return kImageDecodeError;
  *out = ScaledPage{};
  PagePipeline pipe;
  ImageLoadStatus status = pipe.Open(path, page, lastError);
  if (status != kImageDecoding) return status;
  const PageSize source{pipe.SourceWidth(), pipe.SourceHeight()};
  PageSize size = FitToPage(source, PageSize{fitWidth, fitHeight});
  if (size.width > source.width || size.height > source.height) size = source;
  if (!pipe.Prepare(size.width, size.height, quality)) return kImageDecodeError;
  ScaledPage result;
  if (!MakePageBitmap(size.width, size.height, &result)) return kImageDecodeError;
  const int band = 64;
  for (int row = 0; row < size.height; row += band) {
    const int n = size.height - row < band ? size.height - row : band;
    if (!pipe.DecodeRows(row, n, result.pixels + static_cast<size_t>(row) * static_cast<size_t>(size.width),
                         size.width)) {
      FreeScaledPage(&result);
      return kImageDecodeError;
    }
  }
  GdiFlush();
  result.pageCount = pipe.PageCount();
  result.sourceWidth = source.width;
  result.sourceHeight = source.height;
  result.bilevel = pipe.Bilevel();
  *out = result;
  return kImageLoaded;
}

int CountImagePages(const char* path, ImageLoadStatus* status) {
  PagePipeline pipe;
  ImageLoadStatus s = pipe.Open(path, 1, nullptr);
  if (status) *status = s == kImageDecoding ? kImageLoaded : s;
  return s == kImageDecoding ? pipe.PageCount() : 0;
}

void FreeScaledPage(ScaledPage* page) {
  if (!page) return;
  if (page->bitmap) DeleteObject(page->bitmap);
  *page = ScaledPage{};
}
