// The editor's preferences as one window holds them, read through the
// terminal's callbacks when the window opens and written back when it closes,
// and the placement of a new window on the desktop.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

struct EditRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct EditPreferences {
  int x = -1, y = -1, width = 400, height = 400;
  EditRect desktop = {0, 0, 0, 0};
  char font[32] = "Courier New";
  int pointSize = 10, italic = 0, bold = 0;
  int fromTop = 1, matchCase = 0, wholeWord = 0, down = 1;
  int toolbar = 1, statusbar = 1, autoIndent = 1, columnWarning = 1;
  int saveOnExit = 2;
  int foreground[8] = {16, 16, 16, 14, 16, 16, 3, 10};
  int background[7] = {16, 16, 12, 16, 15, 3, 16};
  int functionWidth = -1;
  int dialogs[3][4] = {{-1, -1, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}};
  int sortLabels = 0, autoLabels = 0, numPad = 1, checkSyntax = 1;

  // Everything the setters write, compared (the desktop is not a preference).
  bool SameValues(const EditPreferences& other) const;
};

// Number of foreground roles less one: the editor always asks for 7.
constexpr int kColorRoles = 7;

// Read every preference in the fixed order; the custom colours go into the
// table shared by all edit windows.
void ReadPreferences(EditToMoxel& callbacks, const char* suffix, EditPreferences& prefs, COLORREF custom[16]);
// Write them back with the setters, in the same order.
void WritePreferences(EditToMoxel& callbacks, const char* suffix, const EditPreferences& prefs,
                      const COLORREF custom[16]);

// The window rectangle for a stored placement on the desktop: sizes cut to
// the desktop, an origin that would push the window off it (or a negative
// one) centres it instead. Sizes of 0 or less take the default 400.
EditRect PlaceEditWindow(int x, int y, int width, int height, const EditRect& desktop);

// Save-on-exit modes.
enum SaveOnExitMode { kSaveNever = 0, kSaveAlways = 1, kSavePrompt = 2 };

extern const char kSavePreferencesQuestion[];
extern const char kSavePreferencesCaption[];
