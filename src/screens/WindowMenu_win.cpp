#include "screens/WindowMenu.h"
#include "errors/err.h"
#include "launch/LaunchList.h"
#include "screens/Eligibility.h"
#include "screens/MoveCaptions.h"
#include "screens/QuitRestore.h"
#include "screens/ScreenLists.h"
#include "screens/WindowCommands.h"
#include "screens/HiddenRecord.h"
#include "screens/WindowMenuItems.h"
#include "settings/Settings.h"
#include "settings/Transparency.h"
#include <algorithm>

Menu* WindowMenu;
ObjectList* MenuLinkList;

namespace {
constexpr WPARAM kDesktopRefresh = 0xA065;

std::string menuNote;

MenuItemEvent MoveEvent() {
    return MakeEvent(MoveWindowCommand, nullptr);
}

void LaunchKindletItem(void*, BaseObject*, int32_t) {
    LaunchKindlet();
}
void TransparentItem(void*, BaseObject*, int32_t) {
    ToggleTransparency();
}

// Tells the shell's desktop that windows came or went.
void NotifyDesktop() {
    if (HWND desktop = FindWindowA("Progman", "Program Manager"))
        SendMessageA(desktop, WM_COMMAND, kDesktopRefresh, 0);
}
} // namespace

void SetWindowMenuNote(const std::string& text) {
    menuNote = text;
}

void CreateWindowMenu(Control* owner) {
    WindowMenu = CreateMenuObject(owner, 0, nullptr, 0, MoveEvent());
}

void ReleaseWindowMenu() {
    Menu* menu = WindowMenu;
    WindowMenu = nullptr;
    FreeObject(menu);
}

void CreateMenuLinkList() {
    MenuLinkList = CreateList();
}

void ReleaseMenuLinkList() {
    ClearMenuLinks();
    FreeObject(MenuLinkList);
    MenuLinkList = nullptr;
}

void ClearWindowMenu() {
    // The window menu's items have no items of their own, so its item list is the
    // whole menu. Last first: each leaves the end of the lists, nothing moves up,
    // and there is no recount of the menu per item (hundreds of windows listed).
    ObjectList* items = WindowMenu ? WindowMenu->items : nullptr;
    while (items && items->count > 0) {
        const int32_t before = items->count;
        FreeObject(static_cast<Menu*>(ListGet(items, before - 1)));
        if (items->count == before) break; // an item that will not go
    }
}

void ClearMenuLinks() {
    if (!MenuLinkList) return;
    for (int32_t i = 0; i < MenuLinkList->count; ++i)
        delete static_cast<MenuLink*>(ListGet(MenuLinkList, i));
    ListClear(MenuLinkList);
}

void AddMenuLink(HWND window, int32_t itemId) {
    if (MenuLinkList) ListAdd(MenuLinkList, new MenuLink{window, itemId});
}

HWND WindowOfMenuItem(int32_t itemId) {
    if (!MenuLinkList) return nullptr;
    for (int32_t i = 0; i < MenuLinkList->count; ++i) {
        auto* link = static_cast<MenuLink*>(ListGet(MenuLinkList, i));
        if (link->ItemId == itemId) return link->Handle;
    }
    return nullptr;
}

static bool LeadsGroup(const std::vector<GroupMember>& groups, HWND window) {
    const uintptr_t w = reinterpret_cast<uintptr_t>(window);
    return std::any_of(groups.begin(), groups.end(),
                       [&](const GroupMember& m) { return m.handle == w && m.main == w; });
}

void AddWindowItems() {
    // One item per group, named by its main window: a window's find box or
    // palette moves with it and has no item of its own.
    std::vector<HWND> all;
    std::vector<std::string> titles;
    const std::vector<GroupMember> shown = TakingPartNow(GetShellWindow(), &all, &titles);
    const int other = OtherScreen(CurrentScreen);
    const std::vector<GroupMember> remembered = GroupsOfScreen(other);
    for (size_t i = 0; i < all.size(); ++i) {
        HWND window = all[i];
        const bool visible = LeadsGroup(shown, window);
        std::string title = titles[i];
        if (!visible) {
            // Hidden windows we did not hide are none of our business.
            if (!LeadsGroup(remembered, window) || SeemsVisible(window)) continue;
            title = static_cast<WindowEntry*>(
                        ListGet(ScreenListOf(other), FindEntryIndex(other, window)))
                        ->Title;
        }
        WindowItemPlan plan = PlanWindowItem(CurrentScreen, visible, !visible, title);
        if (plan.place == ItemPlace::Top)
            AddMenuLink(window,
                        MenuInsertItem(WindowMenu, 0, plan.caption.c_str(), 0, MoveEvent()));
        else if (plan.place == ItemPlace::End)
            AddMenuLink(window, MenuAddItem(WindowMenu, plan.caption.c_str(), 0, MoveEvent()));
    }
}

bool BuildWindowMenu() {
    if (!WindowMenu || RestoreStarted) return false;
    ClearWindowMenu();
    if (MenuItemCount(WindowMenu) > 0) return false;
    MenuAddItem(WindowMenu, "", kMenuSeparator, MoveEvent());
    ProcessMessages(ApplicationObject);
    // The messages just handled may have ended the run.
    if (!WindowMenu || RestoreStarted) return false;
    ClearMenuLinks();
    AddWindowItems();
    MenuAddItem(WindowMenu, "", kMenuSeparator, MoveEvent());
    MenuAddItem(WindowMenu, "Launch \"Kindlet\" (for launching groups of files)", 0,
                MakeEvent(LaunchKindletItem, nullptr));
    if (LayeredSupported) {
        MenuAddItem(WindowMenu, "Transparent", kMenuCheckMark, MakeEvent(TransparentItem, nullptr));
        MenuItemSetState(MenuItemAt(WindowMenu, MenuItemCount(WindowMenu) - 1), MFS_CHECKED,
                         TransparencyOn);
    }
    if (!menuNote.empty()) MenuAddItem(WindowMenu, menuNote.c_str(), kMenuGreyed, MenuItemEvent{});
    return MenuItemCount(WindowMenu) > 0;
}

void MoveWindowCommand(void*, BaseObject* sender, int32_t index) {
    Menu* menu = static_cast<Menu*>(sender);
    Menu* item = MenuItemAt(menu, index);
    if (item && !RestoreStarted) {
        MoveChoice choice = DecideMove(MenuItemCaption(menu, index));
        HWND window = WindowOfMenuItem(static_cast<int32_t>(item->commandId));
        const int target = OtherScreen(choice.sourceScreen);
        WindowBatch batch;
        if (window && choice.direction == MoveDirection::ToOtherScreen &&
            FindEntryIndex(target, window) == -1) {
            // The group goes as a switch takes it: remembered, then hidden bottom first.
            const std::vector<HWND> group = GroupOf(TakingPartNow(GetShellWindow()), window);
            HWND foreground = GetForegroundWindow();
            for (HWND w : group)
                RememberWindow(target, w, foreground);
            PublishHiddenWindows();
            for (HWND w : group)
                batch.Show(w, SW_HIDE);
        } else if (window && choice.direction == MoveDirection::ToThisScreen) {
            // The group comes back as a switch shows it, on top of this screen.
            bool moved = false;
            for (HWND w : GroupOf(GroupsOfScreen(choice.sourceScreen), window))
                if (ForgetWindow(choice.sourceScreen, w)) {
                    batch.Show(w, SW_SHOWNA);
                    moved = true;
                }
            if (moved) PublishHiddenWindows();
        }
        batch.Wait();
    }
    NotifyDesktop();
}
