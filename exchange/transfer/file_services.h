// The host's one-shot file services: copy, delete, directory listing, and the
// current source file with its copy.
#pragma once

#include <cstdint>

// Copy error codes, as the host receives them.
enum CopyError : int {
  kCopyNoComma = 1,
  kCopyNoSource = 2,
  kCopyNoDestination = 3,
  kCopyReadError = 4,
  kCopyShortWrite = 5,
  kCopyNoDirectory = 6,
};

// ESC D C / ESC D c: destination null when the host's text had no comma.
// True with the byte count, or false with the error code.
bool CopyHostFile(const char* source, const char* destination, int64_t* countOrError);
// ESC F I: the named file becomes the current source, closing a previous one.
void OpenCurrentSource(const char* name);
// ESC F C: copy the current source to the destination, making the folders
// it needs; the current source is closed afterwards.
bool CopyCurrentSource(const char* destination, int64_t* countOrError);
void CloseCurrentSource();
// ESC D D: true when the file was there and has been deleted.
bool DeleteHostFile(const char* name);
// ESC D F: the entries of a directory (or the one file named, flagged "F"),
// each sent once the channel's output has drained, then 13.
void ListHostDirectory(const char* pattern);
void StopListing();
