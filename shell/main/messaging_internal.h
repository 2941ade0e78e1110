// Pieces of the shell's messaging shared by its files.
#pragma once

#include <windows.h>

#include <string>

// The directory and, with sub-folders, its four folders (missing parents too).
bool MakeMessagingFolders(const std::string& directory, bool subfolders);
// [Message] "Directory" and "Use subdirectory", the folders made; the
// current directory serves this run when they cannot be.
void LoadMessagingFolders();
// "Scan extension", "Use Msg-in ext", "Msg-in ext".
void LoadMessagingRules();
// "messageing" under both roots, by the source with a directory.
void WriteMessagingDirectoryValue();

// "Moxel-messaging": taken without waiting (an abandoned one counts).
bool TakeSourceMutex();
HANDLE SourceMutexHandle();
// Let go of the source role (the mutex is released when held).
void ReleaseSourceMutex();
void CloseSourceMutex();
