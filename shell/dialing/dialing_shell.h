// Dialing as the shell runs it: the dialogs, dialling an entry, the stored
// log-in password, and the global directory's lock and host services.
#pragma once

#include <windows.h>

#include <string>

#include "dial_file.h"
#include "service_seams.h"

namespace tavix {
class IniFile;
}

// The directory files in the current folder.
tavix::IniFile& LocalDirectoryFile();   // ./corvane.ldl
tavix::IniFile& GlobalDirectoryFile();  // ./corvane.gdl (its sections)

// The host's dial-list services for the engine.
DialSeam* DialSeamForShell();
// Timer 9: the directory lock ran out.
void DialLockExpired();
// The connection ended: a pass over the global directory is abandoned.
void DialingDisconnected();

// Command 40181: the Dial dialog (119). The search text of -D is used on its
// first opening only.
void RunDialDialog(HWND owner);
// Command 40180: the Dialing Configuration dialog (131).
void RunDialingConfiguration(HWND owner);
// Dialog 118 on the local directory.
void RunDirectoryDialog(HWND owner);
// Ctrl+Alt+L: ask the user's password and send the dialled entry's stored one.
void SendStoredLoginPassword(HWND owner);
// Command 40001: a connection not made through a profile.
void ForgetDialledEntry();

// Dial an entry (Save and Dial when save is set).
void DialEntry(HWND owner, const DirectoryEntry* entry, bool save);
// The user's password through dialog 114; false when cancelled.
bool AskUserPassword(HWND owner, std::string* typed);
