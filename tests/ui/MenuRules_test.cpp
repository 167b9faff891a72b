#include "ui/MenuRules.h"
#include "ui/ObjectList.h"
#include <gtest/gtest.h>

TEST(MenuBits, OptionsGiveTypeAndState) {
    MenuItemBits sep = MenuOptionBits(0x20);
    EXPECT_EQ(sep.type, 0x800u);
    EXPECT_EQ(sep.state, 0x3u);
    EXPECT_TRUE(sep.separator);
    MenuItemBits b = MenuOptionBits(0x1 | 0x4 | 0x10);
    EXPECT_EQ(b.type, 0x200u);
    EXPECT_EQ(b.state, 0x1008u);
    EXPECT_FALSE(b.separator);
    EXPECT_EQ(MenuOptionBits(0x2).state, 0x3u);
    EXPECT_EQ(MenuOptionBits(0x8).state, 0u); // the check-mark item starts unchecked
    EXPECT_EQ(MenuOptionBits(0x8).type, 0u);
    EXPECT_EQ(MenuOptionBits(0x100 | 0x200).type, 0x60u);
    EXPECT_TRUE(MenuOptionBits(0x80).submenu);
    EXPECT_TRUE(MenuOptionBits(0x40).bitmap);
    EXPECT_EQ(MenuOptionBits(0x40).type, 0x4u);
}

TEST(MenuBits, CheckStateOnOffAndTheNegativeInversion) {
    EXPECT_EQ(MenuUpdatedState(0, 8, true), 8u);
    EXPECT_EQ(MenuUpdatedState(8 | 0x1000, 8, false), 0x1000u);
    EXPECT_EQ(MenuUpdatedState(8, 8, true), 8u);
    const int32_t inverted = static_cast<int32_t>(0x80000008u);
    EXPECT_EQ(MenuUpdatedState(0, inverted, false), 8u);
    EXPECT_EQ(MenuUpdatedState(8 | 3, inverted, true), 3u);
}

TEST(MenuBits, InfoSizeFollowsTheSystem) {
    EXPECT_EQ(MenuItemInfoSize(1, 4, 0), 44u);  // Windows 95
    EXPECT_EQ(MenuItemInfoSize(1, 4, 10), 48u); // Windows 98
    EXPECT_EQ(MenuItemInfoSize(2, 4, 0), 44u);  // NT 4
    EXPECT_EQ(MenuItemInfoSize(2, 5, 0), 48u);  // 2000 and later
    EXPECT_EQ(MenuItemInfoSize(2, 6, 1), 48u);
}

namespace {
MenuNode* Node(MenuNode* parent, uint32_t id) {
    auto* n = new MenuNode();
    n->items = CreateList();
    n->commandId = id;
    n->parentNode = parent;
    if (parent) ListAdd(parent->items, n);
    return n;
}

void FreeTree(MenuNode* n) {
    for (int32_t i = 0; i < n->items->count; ++i)
        FreeTree(static_cast<MenuNode*>(ListGet(n->items, i)));
    FreeObject(n->items);
    FreeObject(n);
}
} // namespace

TEST(MenuTree, DepthFirstIndexAndLookups) {
    MenuNode* top = Node(nullptr, 0);
    MenuNode* a = Node(top, 0x1000);
    MenuNode* b = Node(top, 0x1002);
    MenuNode* aSub = Node(a, 0x1001);
    MenuNode* bSub = Node(b, 0x11003);
    EXPECT_EQ(MenuNodeAt(top, 0), a);
    EXPECT_EQ(MenuNodeAt(top, 1), aSub);
    EXPECT_EQ(MenuNodeAt(top, 2), b);
    EXPECT_EQ(MenuNodeAt(top, 3), bSub);
    EXPECT_EQ(MenuNodeAt(top, 4), nullptr);
    EXPECT_EQ(MenuNodeAt(top, -1), nullptr);
    EXPECT_EQ(MenuNodeCount(top), 4);
    EXPECT_EQ(MenuNodeCount(a), 1);
    EXPECT_EQ(MenuNodeIndex(top, b), 2);
    EXPECT_EQ(MenuNodeIndex(top, bSub), 3);
    EXPECT_EQ(MenuNodeIndex(a, b), -1);
    EXPECT_EQ(MenuNodeById(top, 0x1001), aSub);
    EXPECT_EQ(MenuNodeById(top, 0x1003), nullptr);
    // A command message carries 16 bits; identifiers past 0xFFFF still match.
    EXPECT_EQ(MenuNodeByCommand(top, 0x1003), bSub);
    EXPECT_EQ(MenuNodeByCommand(top, 0x1002), b);
    EXPECT_EQ(MenuNodeByCommand(top, 0x2000), nullptr);
    FreeTree(top);
}
