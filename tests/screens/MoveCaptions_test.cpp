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
    EXPECT_EQ(MoveCaption(7, "Notepad", MoveDirection::ToScreenChosen), "Move 7: Notepad");
    EXPECT_EQ(MoveCaption(2, std::string(45, 'q'), MoveDirection::ToOtherScreen),
              "Move 2: " + std::string(39, 'q') + ".., to other screen");
}
