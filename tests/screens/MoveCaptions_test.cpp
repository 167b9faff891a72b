#include "screens/MoveCaptions.h"
#include "screens/TickDelay.h"
#include <gtest/gtest.h>
#include <string>

TEST(MoveCaptions, LongTitlesAreShortenedTo41Characters) {
    std::string forty(40, 'a');
    EXPECT_EQ(ShortenTitle(forty), forty);
    std::string fortyOne = std::string(39, 'b') + "cd";
    EXPECT_EQ(ShortenTitle(fortyOne), std::string(39, 'b') + "..");
    EXPECT_EQ(ShortenTitle(std::string(300, 'x')), std::string(39, 'x') + "..");
    EXPECT_EQ(ShortenTitle(""), "");
    // Shortening what was already shortened changes nothing.
    EXPECT_EQ(ShortenTitle(ShortenTitle(std::string(80, 'z'))), std::string(39, 'z') + "..");
}

TEST(MoveCaptions, CaptionsCarryDigitTitleAndEnding) {
    EXPECT_EQ(MoveCaption(1, "Notepad", MoveDirection::ToOtherScreen),
              "Move 1: Notepad, to other screen");
    EXPECT_EQ(MoveCaption(2, "Notepad", MoveDirection::ToThisScreen),
              "Move 2: Notepad, to this screen");
    EXPECT_EQ(MoveCaption(2, std::string(45, 'q'), MoveDirection::ToOtherScreen),
              "Move 2: " + std::string(39, 'q') + ".., to other screen");
}

TEST(MoveCaptions, CaptionsReadBackAsTheMoveTheyOffer) {
    for (int screen : {1, 2}) {
        for (MoveDirection d : {MoveDirection::ToOtherScreen, MoveDirection::ToThisScreen}) {
            for (const std::string& title : {std::string("Notepad"), std::string(),
                                             std::string("a: b"), std::string(60, 'w')}) {
                MoveChoice c = DecideMove(MoveCaption(screen, title, d));
                EXPECT_EQ(c.direction, d) << title;
                EXPECT_EQ(c.sourceScreen, screen) << title;
            }
        }
    }
}

TEST(MoveCaptions, TitlesHoldingAnEndingStillMoveBack) {
    // A window whose own title names the other ending must go where its item says.
    MoveChoice back = DecideMove("Move 2: report, to other screen, to this screen");
    EXPECT_EQ(back.direction, MoveDirection::ToThisScreen);
    EXPECT_EQ(back.sourceScreen, 2);
    MoveChoice away = DecideMove("Move 1: list, to this screen, to other screen");
    EXPECT_EQ(away.direction, MoveDirection::ToOtherScreen);
    EXPECT_EQ(away.sourceScreen, 1);
    EXPECT_EQ(
        DecideMove(MoveCaption(2, "x, to other screen", MoveDirection::ToThisScreen)).direction,
        MoveDirection::ToThisScreen);
}

TEST(MoveCaptions, OtherShapesAreNoMove) {
    for (const char* s :
         {"", "Move", "Launch \"Kindlet\" (for launching groups of files)", "Transparent",
          "Move 12: x, to other screen", "move 1: x, to other screen", "Move 1 x, to other screen",
          "Move 1: x", "Move 1: x, to other screen.", "Move 1:", "Move 1:, to this screen"}) {
        EXPECT_EQ(DecideMove(s).direction, MoveDirection::None) << s;
    }
    // The source screen comes from the sixth character alone: anything but "1" is 2.
    EXPECT_EQ(DecideMove("Move 7: x, to this screen").sourceScreen, 2);
    EXPECT_EQ(DecideMove("Move 7: x, to this screen").direction, MoveDirection::ToThisScreen);
}

namespace {
struct FakeClock {
    uint32_t now;
    uint32_t step;
    int pumps = 0;
};
uint32_t ReadClock(void* d) {
    return static_cast<FakeClock*>(d)->now;
}
void Pump(void* d) {
    auto* c = static_cast<FakeClock*>(d);
    ++c->pumps;
    c->now += c->step;
}
} // namespace

TEST(TickDelay, WaitsTheFullTimeAcrossTheWrap) {
    EXPECT_EQ(ElapsedTicks(100, 600), 500u);
    EXPECT_EQ(ElapsedTicks(0xFFFFFF00u, 0x000000F4u), 500u);
    EXPECT_EQ(ElapsedTicks(0x7FFFFFFFu, 0x800001F3u), 500u);

    for (uint32_t start : {0u, 0x80000000u, 0xFFFFFFFFu - 250u, 0xFFFFFFFFu}) {
        FakeClock clock{start, 10};
        WaitTicks(500, {ReadClock, Pump, &clock});
        EXPECT_EQ(clock.now - start, 500u) << start;
        EXPECT_EQ(clock.pumps, 50) << start;
    }
    // Nothing to wait for still gives the messages one turn.
    FakeClock idle{5, 1};
    WaitTicks(0, {ReadClock, Pump, &idle});
    EXPECT_EQ(idle.pumps, 1);
}
