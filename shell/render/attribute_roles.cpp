#include "shell/render/attribute_roles.h"

#include "screen_model.h"

namespace tavix::render {

ColorRole RoleForCell(uint8_t attrClass, uint8_t level, uint8_t choice, const RoleContext& ctx) {
    const bool current = level == ctx.windowLevel;
    // While the user moves through a pick list, plain text steps back.
    const bool lit = current && !ctx.menuSelection;
    const bool chosen = choice == ctx.currentChoice;
    switch (attrClass) {
        case 0: return current ? kRoleF0 : kRoleInactive;
        case 1: return current ? kRoleF1 : kRoleInactive;
        case 2: return lit ? kRoleWindow : kRoleInactive;
        case 3: return lit ? (ctx.inputHilite ? kRoleIhilite : kRoleWindow) : kRoleInactive;
        case 4: return current ? (chosen ? kRoleMhilite : kRoleWindow) : kRoleInactive;
        case 5: return current ? (chosen ? kRoleHhilite : kRoleHot) : kRoleIhot;
        case 6: return kRoleInactive;
        case 7: return kRoleStatus;
        case 8: return lit ? kRoleBlink : kRoleInactive;
        case 9: return lit ? kRoleHilite : kRoleInactive;
        case 10: return current ? (chosen ? kRoleMhilite : kRoleBlink) : kRoleInactive;
        case 11: return lit ? kRoleIhilite : kRoleInactive;
        case 12: return kRoleF3;
        case 13: return kRoleF4;
        case 14: return kRoleF5;
        case 15: return kRoleWindow;
        default: return kRoleF2;
    }
}

RoleContext RoleContextFromScreen(bool inputHilite) {
    return RoleContext{static_cast<uint8_t>(Screen.WindowLevel), Screen.win.CurrentChoice,
                       Screen.menuSelection != 0, inputHilite};
}

}  // namespace tavix::render
