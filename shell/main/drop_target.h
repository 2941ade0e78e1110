// The OLE drop target: dropped files go into the queue for the host.
#pragma once

#include <windows.h>

void RegisterDropTarget(HWND window);
void RevokeDropTarget(HWND window);
