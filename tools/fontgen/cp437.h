// Code page 437: the host's character set, as drawn on the PC screen (codes below 32 and
// 127 show their pictures, not control functions).
#pragma once

#include <cstdint>

namespace fontgen {

// Unicode code point drawn for a code page 437 code. Code 0 maps to 0 (a blank cell).
uint32_t cp437_to_unicode(uint8_t code);

// How a glyph behaves at the cell edges when a face is padded to a larger cell.
enum class EdgeKind {
    Free,   // ordinary glyph: new space stays blank
    Joins,  // line drawing and solid blocks: the edge rows/columns continue outwards
    Shade,  // shaded blocks: the dot pattern continues outwards
};
EdgeKind cp437_edge_kind(uint8_t code);

}  // namespace fontgen
