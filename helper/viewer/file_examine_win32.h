// Examining an attachment's file on Windows: opened for reading with full
// sharing (never a device), its 64-bit size, then the shell's type name and
// small icon by the path's extension.
#pragma once

#include "viewer_entry.h"

namespace viewer {

// Fills the entry's state, size, type text and icon (an index in the
// system's small image list).
void ExamineEntry(Entry& entry);

// The system's small image list (shared, never destroyed by us).
void* SystemSmallImageList();

}  // namespace viewer
