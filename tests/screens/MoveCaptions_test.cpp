#include "screens/MoveCaptions.h"
#include <gtest/gtest.h>
#include <string>

TEST(MoveCaptions, LongTitlesAreShortenedTo41Characters) {
    std::string forty(40, 'a');
    EXPECT_EQ(ShortenTitle(forty), forty);
    std::string fortyOne = std::string(39, 'b') + "cd";
    EXPECT_EQ(ShortenTitle(fortyOne), std::string(39, 'b') + "..");
    EXPECT_EQ(ShortenTitle(std::string(300, 'x')), std::string(39, 'x') + "..");
    EXPECT_EQ(ShortenTitle(""), "");
    // Characters are counted, not bytes, and none is cut: Cyrillic letters take
    // two bytes, an emoji four.
    const std::string zhe = "Ж";
    std::string cyrillic;
    for (int i = 0; i < 40; ++i)
        cyrillic += zhe;
    EXPECT_EQ(ShortenTitle(cyrillic), cyrillic);
    EXPECT_EQ(ShortenTitle(cyrillic + "!"), cyrillic.substr(0, 39 * zhe.size()) + "..");
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(ShortenTitle(std::string(38, 'e') + emoji + emoji + "x"),
              std::string(38, 'e') + emoji + "..");
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
