#include "ui/Menu.h"
#include "ui/LayerInternal.h"
#include "ui/Services_win.h"
#include "errors/Wide_win.h"

using namespace layer;

namespace {
// Item indexes and command identifiers share one number space: an index stays
// below kFirstCommandId, where identifiers begin.
constexpr int32_t kFirstCommandId = 0x1000;
uint32_t nextCommandId = kFirstCommandId;

UINT InfoSize() {
    static UINT size = [] {
        const SystemVersion v = QuerySystemVersion();
        if (!v.known) return 48u;
        return MenuItemInfoSize(v.platformId, v.major, v.minor);
    }();
    return size;
}

Menu* ParentMenu(Menu* m) {
    return static_cast<Menu*>(m->parentNode);
}

Menu* NewMenu() {
    auto* m = new Menu();
    m->items = CreateList();
    return m;
}

bool MenuHandler(Control* c, MSG& msg, LRESULT& result);

void DrawBarOf(Menu* top) {
    if (top && top->isMenuBar && top->owner && top->owner->handle && !Terminated())
        DrawMenuBar(top->owner->handle);
}

bool MenuHandler(Control* c, MSG& msg, LRESULT& result) {
    if (msg.message != WM_COMMAND || msg.lParam != 0 || HIWORD(msg.wParam) > 1) return false;
    const uint16_t id = LOWORD(msg.wParam);
    for (Menu* top = c->menu; top; top = top->next) {
        auto* item = static_cast<Menu*>(MenuNodeByCommand(top, id));
        if (!item) continue;
        result = 0;
        const int32_t index = MenuNodeIndex(top, item);
        top->byAccelerator = HIWORD(msg.wParam) != 0;
        Menu* parent = ParentMenu(item);
        if (item->radioGroup && parent) {
            // The run of neighbours in the same group.
            int32_t at = ListIndexOf(parent->items, item), first = at, last = at;
            auto groupAt = [&](int32_t i) {
                auto* m = static_cast<Menu*>(ListGet(parent->items, i));
                return m && m->radioGroup == item->radioGroup;
            };
            while (groupAt(first - 1))
                --first;
            while (groupAt(last + 1))
                ++last;
            if (first == last) {
                MenuItemSetState(item, MFS_CHECKED, true);
            } else {
                auto* f = static_cast<Menu*>(ListGet(parent->items, first));
                auto* l = static_cast<Menu*>(ListGet(parent->items, last));
                CheckMenuRadioItem(parent->handle, f->commandId, l->commandId, item->commandId,
                                   MF_BYCOMMAND);
            }
        } else if (item->checkable) {
            MenuItemSetState(item, MFS_CHECKED, !(item->state & MFS_CHECKED));
        }
        if (item->OnItem)
            item->OnItem(top, index);
        else
            top->OnMenuItem(top, index);
        return true;
    }
    return false;
}
} // namespace

Menu* MenuTop(Menu* item) {
    while (item && item->parentNode)
        item = ParentMenu(item);
    return item;
}

Menu* CreateMenuObject(Control* owner, int, const char* const* templ, int templateCount,
                       MenuItemEvent onMenuItem) {
    Menu* m = NewMenu();
    m->OnMenuItem = onMenuItem;
    if (owner) {
        m->owner = owner;
        if (owner->menu) {
            Menu* last = owner->menu;
            while (last->next)
                last = last->next;
            last->next = m;
        } else {
            if (!owner->isChildControl) {
                // A window's own menu bar.
                m->handle = CreateMenu();
                m->isMenuBar = true;
                if (owner->handle) SetMenu(owner->handle, m->handle);
            }
            owner->menu = m;
            AttachHandler(owner, MenuHandler);
        }
    }
    for (int i = 0; templ && i < templateCount; ++i)
        MenuAddItem(m, templ[i], 0);
    return m;
}

uint32_t MenuAddItem(Menu* menu, const char* caption, uint32_t options, MenuItemEvent event) {
    return MenuInsertItem(menu, -1, caption, options, event);
}

uint32_t MenuInsertItem(Menu* menu, int32_t position, const char* caption, uint32_t options,
                        MenuItemEvent event) {
    if (!menu) return 0;
    const MenuItemBits bits = MenuOptionBits(options);
    if (!menu->handle) {
        menu->handle = CreatePopupMenu();
        if (Menu* above = ParentMenu(menu)) {
            MENUITEMINFOA sub{};
            sub.cbSize = InfoSize();
            sub.fMask = MIIM_SUBMENU;
            sub.hSubMenu = menu->handle;
            SetMenuItemInfoA(above->handle, menu->commandId, FALSE, &sub);
        }
    }
    Menu* item = NewMenu();
    item->separator = bits.separator;
    item->OnItem = event;
    item->caption = caption ? caption : "";
    item->state = bits.state;
    item->commandId = nextCommandId++;

    Menu* before = nullptr;
    if (position >= 0 && position < kFirstCommandId)
        before = static_cast<Menu*>(MenuNodeAt(menu, position));
    Menu* parent = before ? ParentMenu(before) : menu;
    item->parentNode = parent;
    if (before)
        ListInsert(parent->items, ListIndexOf(parent->items, before), item);
    else
        ListAdd(parent->items, item);

    // Captions are UTF-8 (a window menu lists titles in any script): the wide call.
    MENUITEMINFOW info{};
    info.cbSize = InfoSize();
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
    info.fType = bits.type;
    info.fState = bits.state;
    info.wID = item->commandId;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    if (bits.submenu) item->handle = info.hSubMenu = CreatePopupMenu();
    WideText caption16(item->caption);
    if (!bits.bitmap) {
        info.dwTypeData = caption16.buffer();
        info.cch = static_cast<UINT>(caption16.size());
    }
    if (before)
        InsertMenuItemW(parent->handle, before->commandId, FALSE, &info);
    else
        InsertMenuItemW(parent->handle, static_cast<UINT>(-1), TRUE, &info);
    DrawBarOf(MenuTop(menu));
    return item->commandId;
}

Menu* MenuItemAt(Menu* menu, int32_t n) {
    auto* item = static_cast<Menu*>(MenuNodeAt(menu, n));
    if (!item && n >= kFirstCommandId)
        item = static_cast<Menu*>(MenuNodeById(menu, static_cast<uint32_t>(n)));
    return item;
}

int32_t MenuItemCount(Menu* menu) {
    return MenuNodeCount(menu);
}

std::string MenuItemCaption(Menu* menu, int32_t n) {
    Menu* item = MenuItemAt(menu, n);
    return item ? item->caption : std::string();
}

void MenuItemSetState(Menu* item, int32_t bits, bool on) {
    if (!item) return;
    Menu* parent = ParentMenu(item);
    const bool live = item->live && parent && parent->handle;
    if (live) {
        MENUITEMINFOA info{};
        info.cbSize = InfoSize();
        info.fMask = MIIM_STATE;
        if (GetMenuItemInfoA(parent->handle, item->commandId, FALSE, &info))
            item->state = info.fState;
    }
    item->state = MenuUpdatedState(item->state, bits, on);
    if (live) {
        MENUITEMINFOA info{};
        info.cbSize = InfoSize();
        info.fMask = MIIM_STATE;
        info.fState = item->state;
        SetMenuItemInfoA(parent->handle, item->commandId, FALSE, &info);
    }
}

void MenuPopup(Menu* menu, int x, int y) {
    if (!menu) return;
    menu->OnPopup(menu);
    if (menu->noTrack || !menu->handle) return;
    HWND ownerWindow = menu->owner ? GetHandle(menu->owner) : nullptr;
    TrackPopupMenu(menu->handle, menu->trackFlags, x, y, 0, ownerWindow, nullptr);
}

void Menu::Destroy() {
    DestroyBasePart();
    // 1. The items first, last first; each takes itself out of the list.
    for (int32_t i = items->count - 1; i >= 0; --i)
        FreeObject(static_cast<BaseObject*>(ListGet(items, i)));
    ListClear(items);
    Menu* parent = ParentMenu(this);
    if (parent) {
        // 2. An item leaves its parent's platform menu and list.
        if (parent->handle) RemoveMenu(parent->handle, commandId, MF_BYCOMMAND);
        if (parent->items) ListRemove(parent->items, this);
        parentNode = nullptr;
        DrawBarOf(MenuTop(parent));
    } else if (owner) {
        // 3. A top menu leaves its owner; the menus after it in the chain go with it.
        if (isMenuBar && owner->handle && IsWindow(owner->handle) &&
            GetMenu(owner->handle) == handle)
            SetMenu(owner->handle, nullptr);
        if (owner->menu == this) {
            owner->menu = nullptr;
        } else {
            for (Menu* m = owner->menu; m; m = m->next)
                if (m->next == this) m->next = nullptr;
        }
        if (!owner->menu && owner->handlers) DetachHandler(owner, MenuHandler);
        owner = nullptr;
    }
    // 4.
    if (handle) DestroyMenu(handle);
    handle = nullptr;
    FreeObject(items);
    items = nullptr;
    Menu* rest = next;
    next = nullptr;
    delete this;
    FreeObject(rest);
}

void layer::FreeMenuChain(Control* owner) {
    if (owner->menu) FreeObject(owner->menu);
}
