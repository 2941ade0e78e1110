// What a drop brings, into the queue for the host with the drop's position
// text; each returns how many files were queued.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>

int QueueFileList(IDataObject* data, const std::string& position);
int QueueVirtualFiles(IDataObject* data, HWND owner, const std::string& position);
