// Decoding one page of an image file through the system's imaging component
// (PNG, TIFF with its pages, JPEG, BMP, GIF), scaled while it is decoded:
// the scaler sits on the page's own pixel source, so a big page never
// exists at full size in 32 bits per pixel.
#pragma once

#include <windows.h>

#include <cstdint>

// The outcome of loading a file. kImageLoaded is 2, the value the viewer
// checks for.
enum ImageLoadStatus : int {
  kImageEmpty = 0,        // nothing asked for yet
  kImageDecoding = 1,     // opened, pixels still coming (the control's idle steps)
  kImageLoaded = 2,       // pixels complete
  kImageDecodeError = 3,  // a decoder took the file but failed on it (corrupt, truncated)
  kImageNoDecoder = 4,    // no decoder knows the format (a text file, an unknown type)
  kImageOpenFailed = 5,   // the file could not be opened (missing, access denied, in use)
};

// How pixels are scaled: 0 fast (nearest neighbour), 1 precise (Fant),
// 2 optimized (Fant; a bilevel page is scaled to grey by area averaging).
enum ImageQuality : int { kQualityFast = 0, kQualityPrecise = 1, kQualityOptimized = 2 };

// One decoded page: a top-down 32-bpp DIB section (blue, green, red, unused
// per pixel) that the owner frees with FreeScaledPage.
struct ScaledPage {
  HBITMAP bitmap = nullptr;
  std::uint32_t* pixels = nullptr;  // width * height, rows top to bottom
  int width = 0;
  int height = 0;
  int pageCount = 0;     // pages in the file
  int sourceWidth = 0;   // the page's own size in pixels
  int sourceHeight = 0;
  bool bilevel = false;  // the page has one bit per pixel
};

// Decodes page `page` (1-based) of `path`, scaled to fit inside
// fitWidth x fitHeight with its proportions kept (never larger than the page
// itself), at the quality given. On kImageLoaded `out` holds the page; on
// any other status it is left empty. `lastError` (may be null) receives the
// system error code of a failed open (2, 3, 5, 32 ...).
ImageLoadStatus DecodePageScaled(const char* path, int page, int fitWidth, int fitHeight, int quality,
                                 ScaledPage* out, DWORD* lastError = nullptr);

// Only the number of pages (0 when the file cannot be decoded).
int CountImagePages(const char* path, ImageLoadStatus* status = nullptr);

void FreeScaledPage(ScaledPage* page);
