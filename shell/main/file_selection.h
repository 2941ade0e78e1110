#pragma once
#include <windows.h>

// The host's path request (ESC D B): the request text may carry, separated
// by byte 254, a filter (byte 253 for each terminating zero), a title and an
// initial folder. The reply is the chosen path (empty when nothing was
// chosen), byte 254 and the computer name, as far as `size` allows; it is
// always terminated inside the buffer.
void ChoosePathForHost(bool fileNeedNotExist, const char* request, char* reply, int size);
// "A&Ttachments": choose a file to queue for the host.
void ChooseAttachment(HWND owner);
