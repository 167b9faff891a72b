#include "screens/WindowMenuItems.h"
#include "screens/Eligibility.h"
#include "screens/MoveCaptions.h"
#include <algorithm>

WindowItemPlan PlanWindowItem(int currentScreen, bool visible, bool rememberedForOther,
                              const std::string& title) {
    WindowItemPlan plan;
    if (visible) {
        plan.place = ItemPlace::Top;
        plan.caption = MoveCaption(currentScreen, title, MoveDirection::ToOtherScreen);
    } else if (rememberedForOther) {
        // Hidden windows we did not hide are none of our business.
        plan.place = ItemPlace::End;
        plan.caption = MoveCaption(OtherScreen(currentScreen), title, MoveDirection::ToThisScreen);
    }
    return plan;
}

std::vector<int32_t> OwnerItemIds(const std::vector<MenuLinkFacts>& links) {
    std::vector<int32_t> ids;
    for (const MenuLinkFacts& owned : links) {
        if (!owned.owner) continue;
        for (const MenuLinkFacts& owner : links) {
            if (owner.handle != owned.owner) continue;
            if (std::find(ids.begin(), ids.end(), owner.itemId) == ids.end())
                ids.push_back(owner.itemId);
        }
    }
    return ids;
}
