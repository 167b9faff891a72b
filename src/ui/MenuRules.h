// Menu arithmetic without the platform: item option bits to item type and state,
// check-state updates, and the depth-first numbering of a menu tree.
#pragma once
#include "ui/Object.h"
#include <cstdint>

class ObjectList;

// Item options, given when an item is inserted.
inline constexpr uint32_t kMenuDefault = 0x001, kMenuGreyed = 0x002, kMenuChecked = 0x004,
                          kMenuCheckMark = 0x008, // changes nothing when inserted
    kMenuRadioCheck = 0x010, kMenuSeparator = 0x020, kMenuBitmap = 0x040, kMenuSubmenu = 0x080,
                          kMenuBreak = 0x100, kMenuBarBreak = 0x200;

struct MenuItemBits {
    uint32_t type = 0;  // MFT_* bits
    uint32_t state = 0; // MFS_* bits
    bool separator = false;
    bool bitmap = false;
    bool submenu = false;
};
MenuItemBits MenuOptionBits(uint32_t options);

// New state word: bits are set when on differs from the sign of bits (a negative
// value inverts the meaning of on), otherwise cleared.
uint32_t MenuUpdatedState(uint32_t state, int32_t bits, bool on);

// One node of a menu tree: the whole menu or one of its items. Items are numbered
// depth first in menu order, an item's own items directly after it.
class MenuNode : public BaseObject {
  public:
    MenuNode* parentNode = nullptr;
    ObjectList* items = nullptr; // of MenuNode, in menu order
    uint32_t commandId = 0;
};

// The item with depth-first index n below top, or null.
MenuNode* MenuNodeAt(const MenuNode* top, int32_t n);
// The item with command identifier id below top, or null.
MenuNode* MenuNodeById(const MenuNode* top, uint32_t id);
// Number of items in the whole tree below top.
int32_t MenuNodeCount(const MenuNode* top);
// Depth-first index of item below top, or -1.
int32_t MenuNodeIndex(const MenuNode* top, const MenuNode* item);
// The item whose command identifier has the low 16 bits id16 (what a menu
// command message carries), or null.
MenuNode* MenuNodeByCommand(const MenuNode* top, uint16_t id16);

// MENUITEMINFO size the running system understands: the short record on
// Windows 95 and Windows NT 4 or older.
uint32_t MenuItemInfoSize(uint32_t platformId, uint32_t major, uint32_t minor);
