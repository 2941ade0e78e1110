#include "shell/render/attribute_roles.h"

#include <gtest/gtest.h>

#include "screen_model.h"

using namespace tavix::render;

namespace {

struct RoleCase {
    int attrClass;
    // Expected role: current cell, not dimmed / current and dimmed (menu
    // selection) / written at another level.
    ColorRole current, dimmed, other;
};

// Choice 0 on both sides: pick-list items are "equal" to no highlighted item here
// only when CurrentChoice is also 0, so the choice-dependent classes get their own test.
const RoleCase kCases[] = {
    {0, kRoleF0, kRoleF0, kRoleInactive},
    {1, kRoleF1, kRoleF1, kRoleInactive},
    {2, kRoleWindow, kRoleInactive, kRoleInactive},
    {3, kRoleWindow, kRoleInactive, kRoleInactive},
    {6, kRoleInactive, kRoleInactive, kRoleInactive},
    {7, kRoleStatus, kRoleStatus, kRoleStatus},
    {8, kRoleBlink, kRoleInactive, kRoleInactive},
    {9, kRoleHilite, kRoleInactive, kRoleInactive},
    {11, kRoleIhilite, kRoleInactive, kRoleInactive},
    {12, kRoleF3, kRoleF3, kRoleF3},
    {13, kRoleF4, kRoleF4, kRoleF4},
    {14, kRoleF5, kRoleF5, kRoleF5},
    {15, kRoleWindow, kRoleWindow, kRoleWindow},
    {16, kRoleF2, kRoleF2, kRoleF2},
    {200, kRoleF2, kRoleF2, kRoleF2},
    {255, kRoleF2, kRoleF2, kRoleF2},
};

}  // namespace

TEST(AttributeRoles, EveryClassCurrentDimmedAndFromAnotherLevel) {
    for (const RoleCase& c : kCases) {
        SCOPED_TRACE("class " + std::to_string(c.attrClass));
        const uint8_t cls = static_cast<uint8_t>(c.attrClass);
        const RoleContext plain{2, 5, false, false};
        const RoleContext menu{2, 5, true, false};
        EXPECT_EQ(RoleForCell(cls, 2, 0, plain), c.current);
        EXPECT_EQ(RoleForCell(cls, 2, 0, menu), c.dimmed);
        EXPECT_EQ(RoleForCell(cls, 1, 0, plain), c.other);
        EXPECT_EQ(RoleForCell(cls, 3, 0, plain), c.other);
    }
}

TEST(AttributeRoles, InputHighlightOptionOnlyChangesClassThree) {
    const RoleContext on{0, 0, false, true};
    EXPECT_EQ(RoleForCell(3, 0, 0, on), kRoleIhilite);
    EXPECT_EQ(RoleForCell(3, 1, 0, on), kRoleInactive);
    EXPECT_EQ(RoleForCell(3, 0, 0, RoleContext{0, 0, true, true}), kRoleInactive);
    for (int cls = 0; cls < 20; ++cls) {
        if (cls == 3) continue;
        const uint8_t c = static_cast<uint8_t>(cls);
        EXPECT_EQ(RoleForCell(c, 0, 4, on), RoleForCell(c, 0, 4, RoleContext{0, 0, false, false}))
            << "class " << cls;
    }
}

TEST(AttributeRoles, PickListItemsFollowTheHighlightedChoice) {
    struct ChoiceCase {
        int attrClass;
        ColorRole chosen, notChosen, otherLevel;
    };
    const ChoiceCase cases[] = {
        {4, kRoleMhilite, kRoleWindow, kRoleInactive},
        {5, kRoleHhilite, kRoleHot, kRoleIhot},
        {10, kRoleMhilite, kRoleBlink, kRoleInactive},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE("class " + std::to_string(c.attrClass));
        const uint8_t cls = static_cast<uint8_t>(c.attrClass);
        for (bool menu : {false, true}) {
            // Items stay lit while the user moves through the list.
            const RoleContext ctx{1, 7, menu, false};
            EXPECT_EQ(RoleForCell(cls, 1, 7, ctx), c.chosen);
            EXPECT_EQ(RoleForCell(cls, 1, 6, ctx), c.notChosen);
            EXPECT_EQ(RoleForCell(cls, 1, 0, ctx), c.notChosen);
            EXPECT_EQ(RoleForCell(cls, 0, 7, ctx), c.otherLevel);
        }
    }
}

TEST(AttributeRoles, ContextComesFromTheScreenModel) {
    ResetScreenModel();
    Screen.WindowLevel = 3;
    Screen.win.CurrentChoice = 9;
    Screen.menuSelection = 1;
    const RoleContext ctx = RoleContextFromScreen(true);
    EXPECT_EQ(ctx.windowLevel, 3);
    EXPECT_EQ(ctx.currentChoice, 9);
    EXPECT_TRUE(ctx.menuSelection);
    EXPECT_TRUE(ctx.inputHilite);
    EXPECT_EQ(RoleForCell(4, 3, 9, ctx), kRoleMhilite);
    EXPECT_EQ(RoleForCell(2, 3, 0, ctx), kRoleInactive);
    ResetScreenModel();
}
