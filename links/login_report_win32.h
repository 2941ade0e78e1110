// The login report: a background thread that tells a report server when a
// user logs in to the host and out again. The GUI thread only queues
// messages; the thread connects, sends one record and waits for the server
// to close, repeating a login every five minutes and retrying failures.
#pragma once

#include <string>

// Start at program start: network layer, PC identity, the thread. Without an
// IPv4 address for this PC the report stays off.
void StartLoginReport();
// At exit: the thread is asked to stop and waited for a bounded time.
void StopLoginReport();
// ESC L I with the host's text (200 characters at most); `title` is the
// main window's title text.
void ReportLogin(const std::string& text, const std::string& title);
// ESC L O and every disconnect: "LO", only when due.
void ReportLogout(const std::string& title);
