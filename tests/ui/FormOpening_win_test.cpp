// A form that the system places (no left or top given) opens in its normal state
// when it is made while the loop runs, as a dialog opened from a click is.
#include "LayerTestSupport.h"

TEST_F(LayerTest, AFormMadeInTheLoopWithoutAPlaceOpensNormalNotMinimised) {
    RunInLoop(app, [&] {
        for (int height : {2, 7, 203}) {
            SCOPED_TRACE(height);
            Control* form = CreateForm(app, "placed by the system");
            // A client size sets the window's size but not its place; the window
            // is made on the spot and is visible at once.
            SetClientSize(form, 211, height);
            HWND h = GetHandle(form);
            ASSERT_NE(nullptr, h);
            EXPECT_TRUE(IsWindowVisible(h));
            EXPECT_FALSE(IsIconic(h));
            EXPECT_FALSE(IsZoomed(h));
            RECT r{};
            GetWindowRect(h, &r);
            EXPECT_GT(r.left, -32000);
            FreeObject(form);
        }
    });
}
