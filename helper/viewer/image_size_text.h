// The viewer's texts for file sizes and counts, 64-bit throughout (files
// past 2 GB and 4 GB show their true size).
#pragma once

#include <cstdint>
#include <string>

// The list's size column: "%d B" up to 10239 bytes, else kilobytes
// k = (b + 513) / 1024 as "%d KB", or, when k > 10239, megabytes
// (k + 513) / 1024 as "%d MB".
std::string SizeColumnText(std::uint64_t bytes);
// The image window's "Document File Size:" value: "%d Bytes".
std::string FileSizeText(std::uint64_t bytes);
// The image window's page line: "Page %d of %d".
std::string PageOfText(int page, int count);
// The image window's "Document Storage Date:" value, "%B %d,%Y %I:%M %p",
// from a local time (month 1 .. 12, hour 0 .. 23), in English.
std::string StorageDateText(int year, int month, int day, int hour, int minute);
