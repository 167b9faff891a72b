#include "settings/ToolTip1.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace {
// Tooltip requests that reached the tooltip window, seen through a subclass.
std::vector<UINT> requests;
WNDPROC originalProc;

LRESULT CALLBACK WatchRequests(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TTM_ADDTOOLW || msg == TTM_DELTOOLW) requests.push_back(msg);
    return CallWindowProcA(originalProc, window, msg, wParam, lParam);
}

class ToolTipTest : public ::testing::Test {
  protected:
    HWND owner = nullptr, toolTip = nullptr, button = nullptr, label = nullptr;
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 50,
                                nullptr, nullptr, instance, nullptr);
        ASSERT_NE(owner, nullptr);
        button = CreateWindowExA(0, "BUTTON", "2", WS_CHILD | WS_VISIBLE, 0, 0, 28, 20, owner,
                                 nullptr, instance, nullptr);
        label = CreateWindowExA(0, "STATIC", "1", WS_CHILD | WS_VISIBLE, 28, 0, 19, 20, owner,
                                nullptr, instance, nullptr);
        toolTip = CreateToolTipWindow(owner, instance);
        ASSERT_NE(toolTip, nullptr);
        requests.clear();
        originalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(toolTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchRequests)));
    }
    void TearDown() override {
        DestroyWindow(toolTip);
        DestroyWindow(owner);
    }
    int ToolCount() const {
        return static_cast<int>(SendMessageA(toolTip, TTM_GETTOOLCOUNT, 0, 0));
    }
    // The hint text of control's tool, or "<none>" when it has no tool.
    std::string HintOf(HWND control) const {
        char buffer[1024] = "";
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = control;
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = buffer;
        if (!SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)))
            return "<none>";
        info.lpszText = buffer;
        SendMessageA(toolTip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        return buffer;
    }
};
} // namespace

TEST_F(ToolTipTest, TheWindowIsATopmostTooltipThatShowsAmpersands) {
    char className[64] = "";
    GetClassNameA(toolTip, className, sizeof className);
    EXPECT_STREQ(className, "tooltips_class32");
    LONG style = GetWindowLongA(toolTip, GWL_STYLE);
    EXPECT_TRUE(style & TTS_NOPREFIX);
    EXPECT_TRUE(style & TTS_ALWAYSTIP);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(toolTip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(toolTip, GW_OWNER), owner);
    EXPECT_EQ(ToolCount(), 0);
}

TEST_F(ToolTipTest, ToolsAreAddedAndRemovedByControl) {
    EXPECT_TRUE(SetToolTip(toolTip, button, " Switch to screen 2 "));
    EXPECT_TRUE(SetToolTip(toolTip, label, " Current screen number. Drag here to move "));
    EXPECT_EQ(ToolCount(), 2);
    EXPECT_EQ(HintOf(button), " Switch to screen 2 ");
    EXPECT_EQ(HintOf(label), " Current screen number. Drag here to move ");

    // The tool is the control itself, watched through the tooltip's own subclass.
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = button;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    ASSERT_TRUE(SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.uFlags & (TTF_IDISHWND | TTF_SUBCLASS),
              static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));

    EXPECT_TRUE(SetToolTip(toolTip, label, ""));
    EXPECT_EQ(ToolCount(), 1);
    EXPECT_EQ(HintOf(label), "<none>");
    EXPECT_EQ(HintOf(button), " Switch to screen 2 ");
    // Removing a tool that is not there still succeeds and changes nothing.
    EXPECT_TRUE(SetToolTip(toolTip, label, ""));
    EXPECT_EQ(ToolCount(), 1);
}

TEST_F(ToolTipTest, ChangingAHintLeavesExactlyOneWithTheNewText) {
    ASSERT_TRUE(SetToolTip(toolTip, button, " Switch to screen 2 "));
    EXPECT_TRUE(SetToolTip(toolTip, button, ""));
    EXPECT_TRUE(SetToolTip(toolTip, button, " Switch to screen 1 "));
    EXPECT_EQ(ToolCount(), 1);
    EXPECT_EQ(HintOf(button), " Switch to screen 1 ");
    // A hint is kept as written, "&" included.
    EXPECT_TRUE(SetToolTip(toolTip, button, ""));
    EXPECT_TRUE(SetToolTip(toolTip, button, "Save & quit"));
    EXPECT_EQ(HintOf(button), "Save & quit");
    // A hint may carry another program's title, in any script.
    EXPECT_TRUE(SetToolTip(toolTip, button, ""));
    EXPECT_TRUE(SetToolTip(toolTip, button, "Screen 2: \xD0\x9F\xD1\x80\xD0\xB8 \xF0\x9F\x98\x80"));
    wchar_t wide[64] = L"";
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = button;
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = wide;
    SendMessageW(toolTip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(wide, L"Screen 2: \x041F\x0440\x0438 \xD83D\xDE00");
    EXPECT_EQ(requests, (std::vector<UINT>{TTM_ADDTOOLW, TTM_DELTOOLW, TTM_ADDTOOLW, TTM_DELTOOLW,
                                           TTM_ADDTOOLW, TTM_DELTOOLW, TTM_ADDTOOLW}));
}

TEST_F(ToolTipTest, NullWindowsGiveFalseAndSendNothing) {
    EXPECT_FALSE(SetToolTip(toolTip, nullptr, " About Para-Vue "));
    EXPECT_FALSE(SetToolTip(toolTip, nullptr, ""));
    EXPECT_FALSE(SetToolTip(nullptr, button, " About Para-Vue "));
    EXPECT_FALSE(SetToolTip(nullptr, button, ""));
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(ToolCount(), 0);
}
