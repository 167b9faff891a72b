// Menus over real platform menus: numbering, lookup, state, removal and choice.
#include "LayerTestSupport.h"
#include "ui/Menu.h"

namespace {
struct Chosen {
    BaseObject* sender = nullptr;
    int32_t index = -1;
    int count = 0;
};
void OnChosen(void* data, BaseObject* sender, int32_t index) {
    auto* c = static_cast<Chosen*>(data);
    c->sender = sender;
    c->index = index;
    ++c->count;
}

UINT StateOf(HMENU menu, UINT id) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(menu, id, FALSE, &info)) return 0xFFFFFFFF;
    return info.fState;
}
UINT TypeOf(HMENU menu, UINT id) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, id, FALSE, &info);
    return info.fType;
}
} // namespace

// Command identifiers are counted per process; this is the only test program
// part that makes menu items, and this test makes the first ones.
TEST_F(LayerTest, MenuItemIdentifiersCountFrom0x1000AcrossMenusAndRemovals) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    Menu* one = CreateMenuObject(panel, 0, nullptr, 0, {});
    Menu* two = CreateMenuObject(panel, 0, nullptr, 0, {});
    EXPECT_EQ(panel->menu, one);
    EXPECT_EQ(one->next, two); // a second menu joins the owner's chain
    const uint32_t a = MenuAddItem(one, "a", 0);
    EXPECT_EQ(a, 0x1000u);
    EXPECT_EQ(MenuAddItem(two, "b", 0), 0x1001u);
    FreeObject(MenuItemAt(one, 0));
    EXPECT_EQ(MenuItemCount(one), 0);
    EXPECT_EQ(GetMenuItemCount(one->handle), 0);
    EXPECT_EQ(MenuAddItem(one, "c", 0), 0x1002u); // never reused
    EXPECT_EQ(MenuItemAt(two, 0x1001)->caption, "b");
}

TEST_F(LayerTest, MenuItemsAreNumberedDepthFirst) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    Menu* menu = CreateMenuObject(panel, 0, nullptr, 0, {});
    EXPECT_EQ(menu->handle, nullptr); // no platform menu until the first item
    MenuAddItem(menu, "first", 0);
    MenuAddItem(menu, "second", 0);
    MenuAddItem(MenuItemAt(menu, 0), "first.sub", 0);
    MenuAddItem(MenuItemAt(menu, 2), "second.sub", 0);
    EXPECT_EQ(MenuItemCount(menu), 4);
    EXPECT_EQ(MenuItemCaption(menu, 0), "first");
    EXPECT_EQ(MenuItemCaption(menu, 1), "first.sub");
    EXPECT_EQ(MenuItemCaption(menu, 2), "second");
    EXPECT_EQ(MenuItemCaption(menu, 3), "second.sub");
    EXPECT_EQ(MenuItemCaption(menu, 4), "");
    EXPECT_EQ(MenuItemAt(menu, -1), nullptr);
    // The items with sub-items became real submenus of the popup.
    Menu* first = MenuItemAt(menu, 0);
    EXPECT_EQ(GetSubMenu(menu->handle, 0), first->handle);
    EXPECT_EQ(GetMenuItemCount(first->handle), 1);
    // Inserting before index 2 puts the item between the two top items.
    MenuInsertItem(menu, 2, "middle", 0);
    EXPECT_EQ(MenuItemCaption(menu, 2), "middle");
    EXPECT_EQ(MenuItemCaption(menu, 3), "second");
    char text[32];
    GetMenuStringA(menu->handle, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "middle");
    // An index that does not exist appends.
    MenuInsertItem(menu, 99, "last", 0);
    GetMenuStringA(menu->handle, 3, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "last");
    // Freeing an item with sub-items takes them along.
    FreeObject(first);
    EXPECT_EQ(MenuItemCount(menu), 4);
    EXPECT_EQ(MenuItemCaption(menu, 0), "middle");
    EXPECT_EQ(GetMenuItemCount(menu->handle), 3);
}

TEST_F(LayerTest, MenuItemStateAndSeparators) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    Menu* menu = CreateMenuObject(panel, 0, nullptr, 0, {});
    const uint32_t check = MenuAddItem(menu, "Check", 8);
    const uint32_t sep = MenuAddItem(menu, "", 0x20);
    const uint32_t off = MenuAddItem(menu, "Off", 2);
    Menu* item = MenuItemAt(menu, 0);
    EXPECT_FALSE(StateOf(menu->handle, check) & MFS_CHECKED);
    MenuItemSetState(item, 8, true);
    EXPECT_TRUE(StateOf(menu->handle, check) & MFS_CHECKED);
    MenuItemSetState(item, 8, false);
    EXPECT_FALSE(StateOf(menu->handle, check) & MFS_CHECKED);
    // A negative value turns the meaning of on around.
    const int32_t inverted = static_cast<int32_t>(0x80000008u);
    MenuItemSetState(item, inverted, false);
    EXPECT_TRUE(StateOf(menu->handle, check) & MFS_CHECKED);
    MenuItemSetState(item, inverted, true);
    EXPECT_FALSE(StateOf(menu->handle, check) & MFS_CHECKED);
    // A state changed on the platform menu is read back before the change.
    CheckMenuItem(menu->handle, check, MF_BYCOMMAND | MF_CHECKED);
    MenuItemSetState(item, 0x3, true);
    EXPECT_EQ(StateOf(menu->handle, check) & (MFS_CHECKED | 0x3),
              static_cast<UINT>(MFS_CHECKED | 0x3));

    EXPECT_TRUE(TypeOf(menu->handle, sep) & MFT_SEPARATOR);
    EXPECT_TRUE(StateOf(menu->handle, sep) & MFS_DISABLED);
    EXPECT_TRUE(MenuItemAt(menu, 1)->separator);
    EXPECT_TRUE(StateOf(menu->handle, off) & MFS_GRAYED);
}

namespace {
int otherCommands = 0;
bool OtherHandler(Control*, MSG& msg, LRESULT&) {
    if (msg.message == WM_COMMAND) ++otherCommands;
    return false;
}
} // namespace

TEST_F(LayerTest, ChoosingAnItemReachesItsEventOrTheMenus) {
    Control* form = CreateForm(app, "f");
    Control* panel = CreatePanel(form, 2);
    AttachHandler(panel, OtherHandler);
    Chosen forMenu, forItem;
    Menu* menu =
        CreateMenuObject(panel, 0, nullptr, 0, MakeEvent(OnChosen, static_cast<void*>(&forMenu)));
    MenuAddItem(menu, "zero", 0);
    MenuAddItem(menu, "one", 0x80);
    const uint32_t sub = MenuAddItem(MenuItemAt(menu, 1), "one.sub", 0);
    const uint32_t own =
        MenuAddItem(menu, "own", 0, MakeEvent(OnChosen, static_cast<void*>(&forItem)));
    HWND p = GetHandle(panel);
    otherCommands = 0;
    SendMessageA(p, WM_COMMAND, MAKEWPARAM(sub, 0), 0);
    EXPECT_EQ(forMenu.count, 1);
    EXPECT_EQ(forMenu.index, 2);
    EXPECT_EQ(forMenu.sender, menu);
    SendMessageA(p, WM_COMMAND, MAKEWPARAM(own, 1), 0); // from an accelerator
    EXPECT_EQ(forItem.count, 1);
    EXPECT_EQ(forItem.index, 3);
    EXPECT_EQ(forItem.sender, menu);
    EXPECT_TRUE(menu->byAccelerator);
    EXPECT_EQ(forMenu.count, 1);
    EXPECT_EQ(otherCommands, 0); // consumed by the menu
    // An identifier of no item is left to the other handlers.
    SendMessageA(p, WM_COMMAND, MAKEWPARAM(0x7FFF, 0), 0);
    EXPECT_EQ(otherCommands, 1);
    EXPECT_EQ(forMenu.count, 1);
    // Freeing the menu lets the owner's commands through again.
    FreeObject(menu);
    EXPECT_EQ(panel->menu, nullptr);
    SendMessageA(p, WM_COMMAND, MAKEWPARAM(sub, 0), 0);
    EXPECT_EQ(otherCommands, 2);
    EXPECT_EQ(forMenu.count, 1);
}

TEST_F(LayerTest, AFormsMenuIsItsMenuBar) {
    Control* form = CreateForm(app, "f");
    HWND f = GetHandle(form);
    Menu* bar = CreateMenuObject(form, 0, nullptr, 0, {});
    EXPECT_EQ(GetMenu(f), bar->handle);
    MenuAddItem(bar, "&File", 0);
    EXPECT_EQ(GetMenuItemCount(GetMenu(f)), 1);
    FreeObject(bar);
    EXPECT_EQ(GetMenu(f), nullptr);
}

// A menu made before its form's window becomes the bar of that window when it
// is created, with the items added meanwhile.
TEST_F(LayerTest, AMenuMadeBeforeItsFormsWindowIsItsMenuBar) {
    Control* form = CreateForm(app, "f");
    Menu* bar = CreateMenuObject(form, 0, nullptr, 0, {});
    MenuAddItem(bar, "&File", 0);
    EXPECT_EQ(form->handle, nullptr);
    HWND f = GetHandle(form);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(GetMenu(f), bar->handle);
    EXPECT_EQ(GetMenuItemCount(GetMenu(f)), 1);
    // A child control has no menu bar: its identifier is what creation hands on.
    Control* panel = CreatePanel(form, 2);
    Menu* popup = CreateMenuObject(panel, 0, nullptr, 0, {});
    MenuAddItem(popup, "item", 0);
    HWND p = GetHandle(panel);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(GetDlgCtrlID(p), static_cast<int>(panel->id));
    FreeObject(bar);
    EXPECT_EQ(GetMenu(f), nullptr);
}
