// A window on the screen not shown that asks for attention: the switch button
// takes a colour of its own and its hint names the window, until the user goes
// there or the window stops asking. Wine's shell reports nothing of the kind, so
// the test sends the strip what Windows sends its shell hook window.
#include "e2e/E2EFixture.h"

namespace {
using namespace e2e;
using AttentionSignE2E = ParavueE2E;

// The colour on the screen a little inside the button's frame, clear of its caption.
COLORREF FaceOf(HWND button) {
    const RECT r = RectOf(button);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + 4, r.top + 4);
    ReleaseDC(nullptr, screen);
    return c;
}

} // namespace

TEST_F(AttentionSignE2E, AWindowAskingFromScreenTwoMarksTheSwitchButtonUntilSeenOrStopped) {
    StartAndWait();
    SwitchTo(2);
    OtherProgram chat({{"chat", "v", "", "E2E chat asking"}});
    ASSERT_TRUE(chat.started());
    HWND window = chat.Window("chat");
    SwitchTo(1);
    ASSERT_TRUE(WaitFor([&] { return !Visible(window); }));
    WaitUntilDone({window});
    HWND button = app.SwitchButton();
    const COLORREF usual = FaceOf(button);
    const UINT shellHook = RegisterWindowMessageA("SHELLHOOK");
    const auto flash = [&](WPARAM what) {
        SendMessageA(app.strip(), shellHook, what, reinterpret_cast<LPARAM>(window));
    };
    const COLORREF sign = RGB(255, 160, 40);

    flash(HSHELL_FLASH);
    EXPECT_TRUE(WaitFor([&] { return FaceOf(button) == sign; }, 3000))
        << "the button is marked: " << std::hex << FaceOf(button);
    EXPECT_EQ(HintOn(app, button), "Screen 2: E2E chat asking");

    // The user goes there: the window is seen.
    SwitchTo(2);
    ASSERT_TRUE(WaitFor([&] { return Visible(window); }));
    EXPECT_TRUE(WaitFor([&] { return FaceOf(button) == usual; }, 3000));
    // A window the user sees makes no sign.
    flash(HSHELL_FLASH);
    EXPECT_EQ(HintOn(app, button), " Switch to screen 1 ");
    EXPECT_EQ(FaceOf(button), usual);

    // Asking again from the screen not shown, then it stops.
    SwitchTo(1);
    ASSERT_TRUE(WaitFor([&] { return !Visible(window); }));
    flash(HSHELL_FLASH);
    EXPECT_TRUE(WaitFor([&] { return FaceOf(button) == sign; }, 3000));
    flash(HSHELL_REDRAW);
    EXPECT_TRUE(WaitFor([&] { return FaceOf(button) == usual; }, 3000));
    EXPECT_EQ(HintOn(app, button), " Switch to screen 2 ");
}
