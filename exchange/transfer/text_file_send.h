// Sending a named text file to the host (the program-edit mode and PC
// messaging use it): carriage returns dropped, line feeds sent as 253, 254 at
// the end. It paces itself with the channel's drain callback.
#pragma once

// False when the file cannot be opened (nothing is sent). Otherwise the
// file goes out, maybe over several drain callbacks, and done() is called
// after the final 254.
bool StartTextFileSend(const char* path, void (*done)());
// Drop a send in progress (emulation reset); done() is not called.
void StopTextFileSend();
bool TextFileSendActive();
