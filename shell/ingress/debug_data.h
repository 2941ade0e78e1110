// Debug-data files (".mif"): the trace saved newest entry first, and loaded
// back into the viewer's loaded trace so that page 0 shows the newest entries.
//
// Layout: a 4-byte little-endian entry count (50,000 when written), then that
// many entries of two bytes (flag, byte), newest first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "receive_trace.h"

constexpr const char* kDebugDataTitleSave = "Save Debug Data";
constexpr const char* kDebugDataTitleLoad = "Load Debug Data";
constexpr const char* kDebugDataFilterName = "Moxel image files";
constexpr const char* kDebugDataFilterPattern = "*.mif";
constexpr const char* kDebugDataExtension = "mif";
constexpr const char* kMsgUnableToWrite = "Unable to open file for writing";
constexpr const char* kMsgUnableToLoad = "Unable to load debug information";
constexpr const char* kMsgUnableToRead = "Unable to read file";

// The file image of a ring whose next index is next.
std::vector<uint8_t> SaveDebugData(const TraceEntry* ring, int next);
// Write that image; false when any of it could not be written.
bool WriteDebugData(std::FILE* file, const TraceEntry* ring, int next);

// Place the entries of a file image into loaded, backwards from the entry
// before next. The count is capped at 50,000; a count below 1 places nothing.
// A short or damaged image places what it holds; the other entries keep their
// contents. Returns the number of entries placed.
int LoadDebugData(const uint8_t* data, size_t size, TraceEntry* loaded, int next);
// The same from an open file.
int ReadDebugData(std::FILE* file, TraceEntry* loaded, int next);

// The viewer's commands (only while it is open). Each returns null on
// success or the text of the message to show (title "Moxel", stop icon).
// Save writes the live ring; load reads into the loaded trace and shows its
// page 0.
const char* SaveDebugDataFile(const char* path);
const char* LoadDebugDataFile(const char* path);
