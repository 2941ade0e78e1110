// The PC-side endpoint names the host gives in its file sequences.
#pragma once

#include <cstddef>

// Room for a path built from a host name: the message directory (511), a
// folder, the host's name (200) and the work-file suffix.
constexpr int kHostPathSize = 1024;

// The work file the empty name stands for.
constexpr char kWorkFile[] = "./edata";
// What an "&" download is written as until it is complete.
constexpr char kInboxWorkSuffix[] = ".temp";

enum class EndpointKind {
  AuxPort,  // ":AUX"
  Printer,  // ":LP"
  Helper,   // "/" and a helper command
  Inbox,    // "&" and a name in the messaging "ToPC" folder
  File,     // a path; the empty name is the work file
};

// Which form a name has. The empty name is a File (the work file).
EndpointKind ClassifyEndpoint(const char* name);

// A name that opens a device rather than a file: a reserved device name as
// the last part of the path (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$,
// CONOUT$, with or without an extension), or a device namespace path
// ("\\.\..." or "\\?\...").
bool IsDevicePath(const char* path);

// The path of a plain file endpoint: the work file for the empty name.
// False when the path does not fit or names a device.
bool FileEndpointPath(const char* name, char* out, size_t size);

// The final path of an "&" name (without its "&"): the messaging "ToPC"
// folder and the name. False when messaging is off or has no directory, when
// the name is empty or would leave the folder ("\", "/", ":" or ".."), or
// names a device.
bool InboxEndpointPath(const char* name, char* out, size_t size);

// Whether the last part of a path holds a wildcard (* or ?).
bool HasWildcard(const char* pattern);
// Windows-style match of one name against one pattern part: * any run, ? one
// character, case ignored; "*.*" matches every name.
bool WildcardMatch(const char* pattern, const char* name);
