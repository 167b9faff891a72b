#include "ui/MenuRules.h"
#include "ui/ObjectList.h"
#include "errors/WinValues.h"

MenuItemBits MenuOptionBits(uint32_t options) {
    MenuItemBits b;
    if (options & kMenuDefault) b.state |= kMFS_DEFAULT;
    if (options & kMenuGreyed) b.state |= kMFS_GRAYED;
    if (options & kMenuChecked) b.state |= kMFS_CHECKED;
    if (options & kMenuRadioCheck) b.type |= kMFT_RADIOCHECK;
    if (options & kMenuSeparator) {
        b.type |= kMFT_SEPARATOR; // a separator is never selectable
        b.state |= kMFS_GRAYED;
        b.separator = true;
    }
    if (options & kMenuBitmap) {
        b.type |= kMFT_BITMAP;
        b.bitmap = true;
    }
    if (options & kMenuSubmenu) b.submenu = true;
    if (options & kMenuBreak) b.type |= kMFT_MENUBREAK;
    if (options & kMenuBarBreak) b.type |= kMFT_MENUBARBREAK;
    return b;
}

uint32_t MenuUpdatedState(uint32_t state, int32_t bits, bool on) {
    const bool negative = bits < 0;
    if (on != negative) return state | (static_cast<uint32_t>(bits) & 0x7FFFFFFFu);
    return state & ~static_cast<uint32_t>(bits);
}

namespace {
// Walks the tree depth first; stops at the first node for which visit returns true.
template <typename Visit> MenuNode* Walk(const MenuNode* node, int32_t& index, Visit visit) {
    if (!node || !node->items) return nullptr;
    for (int32_t i = 0; i < node->items->count; ++i) {
        auto* item = static_cast<MenuNode*>(ListGet(node->items, i));
        if (!item) continue;
        if (visit(item, index)) return item;
        ++index;
        if (MenuNode* found = Walk(item, index, visit)) return found;
    }
    return nullptr;
}
} // namespace

MenuNode* MenuNodeAt(const MenuNode* top, int32_t n) {
    if (n < 0) return nullptr;
    int32_t index = 0;
    return Walk(top, index, [n](MenuNode*, int32_t i) { return i == n; });
}

MenuNode* MenuNodeById(const MenuNode* top, uint32_t id) {
    int32_t index = 0;
    return Walk(top, index, [id](MenuNode* item, int32_t) { return item->commandId == id; });
}

int32_t MenuNodeCount(const MenuNode* top) {
    int32_t index = 0;
    Walk(top, index, [](MenuNode*, int32_t) { return false; });
    return index;
}

int32_t MenuNodeIndex(const MenuNode* top, const MenuNode* item) {
    int32_t index = 0;
    if (!Walk(top, index, [item](MenuNode* node, int32_t) { return node == item; })) return -1;
    return index;
}

MenuNode* MenuNodeByCommand(const MenuNode* top, uint16_t id16) {
    int32_t index = 0;
    return Walk(top, index,
                [id16](MenuNode* item, int32_t) { return (item->commandId & 0xFFFF) == id16; });
}

uint32_t MenuItemInfoSize(uint32_t platformId, uint32_t major, uint32_t minor) {
    if (platformId == kVER_PLATFORM_WIN32_WINDOWS && major == 4 && minor == 0) return 44;
    if (platformId == kVER_PLATFORM_WIN32_NT && major <= 4) return 44;
    return 48;
}
