#include "ui/LayoutRules.h"
#include <gtest/gtest.h>

TEST(Docking, ClientItemFillsTheParentInsetByTheMargin) {
    DockItem panel{DockClient, true, false, {2, 2, 66, 66}};
    DockItems({0, 0, 99, 23}, 2, &panel, 1);
    EXPECT_EQ(panel.rect, (LayoutRect{2, 2, 97, 21}));
    EXPECT_EQ(panel.rect.Width(), 95);
    EXPECT_EQ(panel.rect.Height(), 19);
}

TEST(Docking, EdgesFirstThenSidesThenClient) {
    // Listed in an order different from the passes, to see the passes at work.
    DockItem items[] = {
        {DockClient, true, false, {0, 0, 10, 10}}, {DockLeft, true, false, {0, 0, 20, 5}},
        {DockTop, true, false, {0, 0, 5, 30}},     {DockRight, true, false, {0, 0, 15, 5}},
        {DockBottom, true, false, {0, 0, 5, 10}},  {DockNone, true, false, {7, 8, 9, 10}},
    };
    DockItems({0, 0, 200, 100}, 2, items, 6);
    EXPECT_EQ(items[2].rect, (LayoutRect{2, 2, 198, 32}));    // top: full width
    EXPECT_EQ(items[4].rect, (LayoutRect{2, 88, 198, 98}));   // bottom
    EXPECT_EQ(items[1].rect, (LayoutRect{2, 34, 22, 86}));    // left: between the bars
    EXPECT_EQ(items[3].rect, (LayoutRect{183, 34, 198, 86})); // right
    EXPECT_EQ(items[0].rect, (LayoutRect{24, 34, 181, 86}));  // client: what is left
    EXPECT_EQ(items[5].rect, (LayoutRect{7, 8, 9, 10}));      // not docked: untouched
}

TEST(Docking, HiddenAndLockedItemsAreLeftAloneAndTakeNoRoom) {
    DockItem items[] = {
        {DockTop, false, false, {0, 0, 5, 30}},
        {DockTop, true, true, {1, 1, 6, 31}},
        {DockClient, true, false, {0, 0, 10, 10}},
    };
    DockItems({0, 0, 50, 50}, 0, items, 3);
    EXPECT_EQ(items[0].rect, (LayoutRect{0, 0, 5, 30}));
    EXPECT_EQ(items[1].rect, (LayoutRect{1, 1, 6, 31}));
    EXPECT_EQ(items[2].rect, (LayoutRect{0, 0, 50, 50}));
}

TEST(Docking, SizesThatWouldBeNegativeBecomeZero) {
    DockItem items[] = {
        {DockTop, true, false, {0, 0, 10, 40}},
        {DockClient, true, false, {0, 0, 10, 10}},
        {DockLeft, true, false, {0, 0, 10, 10}},
    };
    // 30 pixels high: the top bar eats everything, the rest would be negative.
    DockItems({0, 0, 3, 30}, 2, items, 3);
    EXPECT_EQ(items[0].rect.Width(), 0);
    EXPECT_EQ(items[0].rect.Height(), 40);
    EXPECT_GE(items[1].rect.Width(), 0);
    EXPECT_EQ(items[1].rect.Height(), 0);
    EXPECT_EQ(items[2].rect.Height(), 0);
    EXPECT_EQ(items[1].rect.Width(), 0);
}

TEST(Styles, TextAlignmentReplacesTheClassAlignmentBits) {
    const AlignStyles label{{0x0, 0x2, 0x1}, 0x0C};
    const AlignStyles button{{0x100, 0x200, 0x300}, 0};
    // Centre on a label: SS_CENTER, and SS_LEFTNOWORDWRAP goes.
    EXPECT_EQ(AlignedStyle(0x5600018C, label, 2), 0x56000181u);
    EXPECT_EQ(AlignedStyle(0x5600018C, label, 1), 0x56000182u);
    EXPECT_EQ(AlignedStyle(0x56000181, label, 0), 0x56000180u);
    EXPECT_EQ(AlignedStyle(0x56011000, button, 2), 0x56011300u);
    EXPECT_EQ(AlignedStyle(0x56011300, button, 0), 0x56011100u);
    EXPECT_EQ(AlignedStyle(0x56011300, button, 7), 0x56011300u); // out of range: unchanged
}

TEST(Styles, EditBoxOptionBits) {
    EXPECT_EQ(EditBoxStyle(0), 0x508100C0u);
    // Multi-line keeps its scroll bars; bits 0 and 1 take the auto-scrolling away.
    EXPECT_EQ(EditBoxStyle(8), 0x50B100C4u);
    EXPECT_EQ(EditBoxStyle(8 | 1 | 2), 0x50810004u);
    EXPECT_EQ(EditBoxStyle(0x40 | 0x80) & 0x820, 0x820u); // password, read-only
    EXPECT_EQ(EditBoxStyle(0x4 | 0x100) & 0x18, 0x18u);   // lower and upper case
    EXPECT_EQ(EditBoxStyle(0x10 | 0x20 | 0x200 | 0x800) & 0x3500, 0x3500u);
    EXPECT_EQ(EditBoxStyle(0x400), EditBoxStyle(0)); // bit 10 changes no style
}

TEST(Styles, FontStyleBits) {
    FontAttributes f;
    EXPECT_FALSE(ApplyFontStyle(f, 0)); // already plain
    EXPECT_TRUE(ApplyFontStyle(f, 1));
    EXPECT_EQ(f.weight, 700);
    EXPECT_EQ(FontStyleOf(f), 1u);
    EXPECT_TRUE(ApplyFontStyle(f, 4 | 2));
    EXPECT_EQ(f.weight, 0);
    EXPECT_EQ(f.underline, 1);
    EXPECT_EQ(f.italic, 1);
    EXPECT_EQ(f.strikeOut, 0);
    FontAttributes heavy{900, 0, 0, 0};
    EXPECT_FALSE(ApplyFontStyle(heavy, 1)); // bold already: 900 stays
    EXPECT_EQ(heavy.weight, 900);
    FontAttributes light{300, 0, 0, 0};
    EXPECT_TRUE(ApplyFontStyle(light, 8));
    EXPECT_EQ(light.weight, 300); // a light weight is not bold and stays
    EXPECT_EQ(light.strikeOut, 1);
}

TEST(Styles, BorderOnAndOff) {
    EXPECT_TRUE(StyleHasBorder(0x00800000, 0));
    EXPECT_TRUE(StyleHasBorder(0x00400000, 0));
    EXPECT_TRUE(StyleHasBorder(0x00040000, 0));
    EXPECT_TRUE(StyleHasBorder(0, 0x200));
    EXPECT_FALSE(StyleHasBorder(0x50000000, 0x10000));

    uint32_t style = 0x16CF0000, ex = 0x10301 | 0x8;
    ApplyBorder(style, ex, false, true, true);
    EXPECT_EQ(style, 0x96000000u); // popup, no caption or frame
    EXPECT_EQ(ex, 0x8u);           // topmost survives
    ApplyBorder(style, ex, true, true, true);
    EXPECT_EQ(style & 0x00CF0000u, 0x00CF0000u);

    uint32_t child = 0x50000000, childEx = 0;
    ApplyBorder(child, childEx, true, false, true);
    EXPECT_EQ(childEx, 0x200u);
    EXPECT_EQ(child, 0x50000000u);
    ApplyBorder(child, childEx, true, false, false);
    EXPECT_EQ(child, 0x50800000u);
    ApplyBorder(child, childEx, false, false, false);
    EXPECT_EQ(child, 0x50000000u); // a child never becomes a popup
    EXPECT_EQ(childEx, 0u);
}

TEST(Mouse, RecordFromMessage) {
    // Every mouse message, and one on each side of the run.
    const struct {
        uint32_t msg;
        MouseKind kind;
        uint8_t button;
    } cases[] = {{0x1FF, MouseNone, 0}, {0x200, MouseMove, 0},   {0x201, MouseDown, 1},
                 {0x202, MouseUp, 1},   {0x203, MouseDblClk, 1}, {0x204, MouseDown, 2},
                 {0x205, MouseUp, 2},   {0x206, MouseDblClk, 2}, {0x207, MouseDown, 3},
                 {0x208, MouseUp, 3},   {0x209, MouseDblClk, 3}, {0x20A, MouseWheel, 0},
                 {0x20B, MouseNone, 0}, {0x100, MouseNone, 0}};
    for (const auto& c : cases) {
        uint8_t button = 9;
        EXPECT_EQ(MouseKindOf(c.msg, &button), c.kind) << std::hex << c.msg;
        EXPECT_EQ(button, c.button) << std::hex << c.msg;
    }

    MouseRecord r = MakeMouseRecord(0x204, 0x2 | 0x8, 0xFFFE0005, true);
    EXPECT_EQ(r.button, 2);
    EXPECT_EQ(r.stop, 0);
    EXPECT_EQ(r.shift, 0x2Au);
    EXPECT_EQ(r.x, 5);
    EXPECT_EQ(r.y, -2); // above the client area
    MouseRecord wheel = MakeMouseRecord(0x20A, 0x00780004, 0x00200010, false);
    EXPECT_EQ(wheel.shift >> 16, 0x78u); // the wheel delta rides along
    EXPECT_EQ(wheel.x, 16);
    EXPECT_EQ(wheel.y, 32);
}

TEST(LayoutRules, SizesOfThe96DpiLayoutAreScaledToTheNearestPixel) {
    struct Row {
        int32_t px;
        int dpi;
        int32_t scaled;
    } rows[] = {
        {99, 96, 99},  {99, 144, 149}, {23, 144, 35},   {2, 144, 3}, {95, 144, 143}, {99, 120, 124},
        {23, 120, 29}, {99, 192, 198}, {-23, 144, -35}, {0, 144, 0}, {1, 72, 1},     {-1, 72, -1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ScalePixels(r.px, r.dpi), r.scaled) << r.px << " at " << r.dpi;
    // Products past 32 bits.
    EXPECT_EQ(ScalePixels(30000000, 200), 62500000);
    EXPECT_EQ(ScalePixels(-30000001, 144), -45000002);
    EXPECT_EQ(ScalePixels(5, 2000000000), 104166667);
    // Touching rectangles still touch: their edges are scaled, not their sizes.
    const LayoutRect a = ScaleRect({0, 0, 28, 20}, 144), b = ScaleRect({28, 1, 47, 21}, 144);
    EXPECT_EQ(a.right, b.left);
    EXPECT_EQ(b.Width(), 29);
    EXPECT_EQ(ScaleRect({71, 0, 95, 20}, 144), (LayoutRect{107, 0, 143, 30}));
    // Fonts: unchanged at 96 dpi; the system's size (0) scaled from its cell height.
    EXPECT_EQ(ScaleFontHeight(0, 96, 13), 0);
    EXPECT_EQ(ScaleFontHeight(19, 96, 13), 19);
    EXPECT_EQ(ScaleFontHeight(19, 144, 13), 29);
    EXPECT_EQ(ScaleFontHeight(0, 144, 13), 20);
    EXPECT_EQ(ScaleFontHeight(-11, 144, 13), -17);
}
