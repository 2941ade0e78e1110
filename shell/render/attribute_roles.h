// Which colour role a cell is drawn in: its attribute class, the window level
// it was written at and the pick-list item it belongs to, seen against the
// current window level, the highlighted item, the menu-selection flag and the
// input-highlight option.
#pragma once

#include <cstdint>

#include "shell/render/color_table.h"

namespace tavix::render {

struct RoleContext {
    uint8_t windowLevel;    // the current window level as cells store it
    uint8_t currentChoice;  // highlighted pick-list item, 0 = none
    bool menuSelection;     // only the pick-list items stand out
    bool inputHilite;       // [Config] "hilite"
};

ColorRole RoleForCell(uint8_t attrClass, uint8_t level, uint8_t choice, const RoleContext& ctx);

// The context of the ScreenModel as it stands, with the given "hilite" option.
RoleContext RoleContextFromScreen(bool inputHilite);

}  // namespace tavix::render
