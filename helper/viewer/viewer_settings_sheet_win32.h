// The property sheet "Attachement Viewer Settings" (spelled so): the pages
// "General Settings", "Browser settings" and "Viewer Settings" over a copy
// of the viewer's settings.
#pragma once

#include <windows.h>

#include "viewer_settings.h"

// Runs the sheet over *settings; true (and *settings changed) when the user
// confirmed it.
bool RunViewerSettingsSheet(HWND owner, viewer::ViewerSettings* settings);
