// Size and page texts of the viewer.
#include "image_size_text.h"

#include <cinttypes>
#include <cstdio>

namespace {

std::string Format(const char* format, std::uint64_t value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string SizeColumnText(std::uint64_t bytes) {
  if (bytes <= 10239) return Format("%" PRIu64 " B", bytes);
  const std::uint64_t k = (bytes + 513) / 1024;
  if (k <= 10239) return Format("%" PRIu64 " KB", k);
  return Format("%" PRIu64 " MB", (k + 513) / 1024);
}

std::string FileSizeText(std::uint64_t bytes) { return Format("%" PRIu64 " Bytes", bytes); }

std::string PageOfText(int page, int count) {
  char text[48];
  std::snprintf(text, sizeof text, "Page %d of %d", page, count);
  return text;
}

std::string StorageDateText(int year, int month, int day, int hour, int minute) {
  // The month names and AM/PM of the "C" locale, whatever the user's.
  static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  if (month < 1 || month > 12) month = 1;
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  char text[64];
  std::snprintf(text, sizeof text, "%s %02d,%d %02d:%02d %s", kMonths[month - 1], day, year, hour12, minute,
                hour < 12 ? "AM" : "PM");
  return text;
}
