#include "edit_palette_win32.h"

bool EditPalette::Update(const int foreground[8], const int background[7], const COLORREF custom[16],
                         int penWidth) {
  const ResolvedColours now =
      ResolveAll(foreground, background, custom, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
  if (valid_ && now == colours_ && penWidth == penWidth_) return false;
  Release();
  colours_ = now;
  penWidth_ = penWidth;
  for (int role = 0; role < 8; ++role) {
    brushes_[role] = CreateSolidBrush(colours_.background[role]);
    pens_[role] = CreatePen(PS_SOLID, penWidth_, colours_.foreground[role]);
  }
  valid_ = true;
  return true;
}

void EditPalette::Release() {
  for (int role = 0; role < 8; ++role) {
    if (brushes_[role]) DeleteObject(brushes_[role]);
    if (pens_[role]) DeleteObject(pens_[role]);
    brushes_[role] = nullptr;
    pens_[role] = nullptr;
  }
  valid_ = false;
}
