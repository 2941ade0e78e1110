// One page of an image file on its way to 32-bit pixels at a chosen size:
// the decoder, the page's frame and the scaling chain, decoded band by band.
// Shared by the image control (bands in idle steps) and DecodePageScaled
// (all bands at once).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "image_decode_win32.h"
#include "image_grey_scaler.h"

struct IWICImagingFactory;
struct IWICBitmapDecoder;
struct IWICBitmapFrameDecode;
struct IWICBitmapSource;

class PagePipeline {
 public:
  PagePipeline() = default;
  ~PagePipeline();
  PagePipeline(const PagePipeline&) = delete;
  PagePipeline& operator=(const PagePipeline&) = delete;

  // Opens the file and the page (1-based); the page count and the page's
  // size are known afterwards.
  ImageLoadStatus Open(const char* path, int page, DWORD* lastError);
  int PageCount() const { return pageCount_; }
  int SourceWidth() const { return static_cast<int>(width_); }
  int SourceHeight() const { return static_cast<int>(height_); }
  bool Bilevel() const { return bilevel_; }

  // Sets up scaling to outWidth x outHeight (at most the page's size).
  bool Prepare(int outWidth, int outHeight, int quality);
  // Decodes shown rows [row, row + count) into dst (row `row` first,
  // `stride` pixels per row). False on a decode failure.
  bool DecodeRows(int row, int count, std::uint32_t* dst, int stride);

 private:
  void ReleaseChain();

  bool comInitialised_ = false;
  IWICImagingFactory* factory_ = nullptr;
  IWICBitmapDecoder* decoder_ = nullptr;
  IWICBitmapFrameDecode* frame_ = nullptr;
  IWICBitmapSource* chain_ = nullptr;  // scaled 32-bpp pixels, or null on the grey path
  unsigned width_ = 0, height_ = 0;
  int pageCount_ = 0;
  bool bilevel_ = false;
  int outWidth_ = 0, outHeight_ = 0;
  // A bilevel page is scaled here from its own rows, one bit per pixel:
  // nearest neighbour (fast), area average cut at half (precise), or area
  // average as grey (optimized).
  enum BilevelScaling { kNone, kNearest, kAreaCut, kAreaGrey } bilevelScaling_ = kNone;
  GreyAreaScaler greyScaler_;
  std::vector<int> columns_;
  std::vector<std::uint8_t> bits_;
  std::vector<std::uint8_t> greyRow_;
};

// A top-down 32-bpp DIB section of the size; false when it cannot be made.
bool MakePageBitmap(int width, int height, ScaledPage* page);
