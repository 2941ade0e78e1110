// Building the code page 437 faces from a source bitmap font, and deriving faces of
// cell sizes the source lacks.
#pragma once

#include <string>

#include "bitmap.h"
#include "pcf_font.h"

namespace fontgen {

// Takes the glyph of every code page 437 code from the source (by its Unicode code point).
// Code 0 is a blank cell. Fails, naming the first code point the source lacks.
bool build_cp437_face(const PcfFont& source, const std::string& face_name, CellFace& face,
                      std::string& error);

// Grows every cell by the given number of pixel columns/rows on each side. Ordinary glyphs
// get blank space; line-drawing and block glyphs continue their edge pixels outwards, and
// shades continue their dot pattern, so that boxes and filled areas still join cell to cell.
CellFace pad_face(const CellFace& face, int left, int right, int top, int bottom);

// Doubles every pixel in both directions.
CellFace double_face(const CellFace& face);

}  // namespace fontgen
