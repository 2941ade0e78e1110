// Annotations of an image, read from the sidecar file "<image>.ann" beside
// it. Lines, each one of:
//   page N                    the marks below belong to page N (1-based; 1 before any)
//   rect X Y W H RRGGBB       a filled rectangle, in the page's own pixels
//   text X Y RRGGBB TEXT      a text whose top left corner is at X, Y
// Blank lines and lines starting with '#' are skipped; any other line, or a
// line with missing or bad numbers, is counted as bad and skipped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Annotation {
  enum Kind { kRect, kText } kind = kRect;
  int page = 1;
  int x = 0, y = 0, width = 0, height = 0;
  std::uint32_t rgb = 0;  // 0xRRGGBB as written
  std::string text;
};

struct AnnotationSet {
  std::vector<Annotation> marks;
  int badLines = 0;
  bool OnPage(int page) const;
};

// Parses the file's whole text. Nothing in the text can make it fail.
AnnotationSet ParseAnnotations(const std::string& text);
// The sidecar's name for an image path.
std::string AnnotationPathFor(const std::string& imagePath);
