// What every session against the host simulator starts and ends with: the
// terminal's configuration for a telnet connection to the simulator's port,
// and the way out once the host has hung up.
#pragma once

#include <windows.h>

#include <string>

#include "terminal_process.h"

// corvane.ini for a Proxy session to 127.0.0.1:port with auto-connect, user
// "tester" (with tester) and the first font; extra lines go into [Config].
std::string HostSessionIni(int port, bool tester = true, const std::string& extraConfig = "");

// The host hung up: the reconnect question is answered No and the terminal
// closed. True when each step happened and the terminal ended with 0.
bool EndAfterHostClosed(TerminalProcess& terminal, HWND main, const char* question = "Connection terminated, reconnect?");
