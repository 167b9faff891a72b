#include "screens/WindowMenuItems.h"
#include "screens/Eligibility.h"
#include "screens/MoveCaptions.h"

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
