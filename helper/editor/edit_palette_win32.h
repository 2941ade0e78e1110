// The view's brushes and pens: one brush per background role and one pen per
// foreground role, made from the resolved colours and kept until the codes,
// the custom colours or the system colours change them.
#pragma once

#include <windows.h>

#include "edit_colours.h"

class EditPalette {
 public:
  EditPalette() = default;
  EditPalette(const EditPalette&) = delete;
  EditPalette& operator=(const EditPalette&) = delete;
  ~EditPalette() { Release(); }

  // Resolve the codes against the custom colours and the system's window
  // colours now; the objects are made again only when a resolved colour or
  // the pen width differs. True when anything changed (the view repaints).
  bool Update(const int foreground[8], const int background[7], const COLORREF custom[16], int penWidth);
  // Forget the resolved colours so that the next Update rebuilds everything
  // (the system colours changed).
  void Invalidate() { valid_ = false; }

  COLORREF Foreground(int role) const { return colours_.foreground[role]; }
  COLORREF Background(int role) const { return colours_.background[role]; }
  HBRUSH Brush(int role) const { return brushes_[role]; }
  HPEN Pen(int role) const { return pens_[role]; }

 private:
  void Release();

  ResolvedColours colours_ = {};
  HBRUSH brushes_[8] = {};
  HPEN pens_[8] = {};
  int penWidth_ = 0;
  bool valid_ = false;
};
