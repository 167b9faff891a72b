#include "screens/MoveCaptions.h"
#include "screens/Eligibility.h"
#include "errors/Utf8.h"
#include <string_view>

namespace {
constexpr std::string_view kToOther = ", to other screen";
constexpr std::string_view kToThis = ", to this screen";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}
} // namespace

std::string ShortenTitle(const std::string& text) {
    // Characters, not bytes: a letter or an emoji is never cut in half.
    if (Utf8Length(text) <= 40) return text;
    return text.substr(0, Utf8PrefixBytes(text, 39)) + "..";
}

std::string MoveCaption(int screen, const std::string& title, MoveDirection direction) {
    std::string caption = "Move ";
    caption += ScreenDigit(screen);
    caption += ": ";
    caption += ShortenTitle(title);
    caption += direction == MoveDirection::ToOtherScreen ? kToOther : kToThis;
    return caption;
}

MoveChoice DecideMove(const std::string& caption) {
    MoveChoice choice;
    std::string_view s = caption;
    if (s.size() >= 6) choice.sourceScreen = s[5] == '1' ? 1 : 2;
    // Only captions of the shape "Move d: ..." are move items.
    if (s.find(':') != 6 || s.substr(0, 5) != "Move ") return choice;
    std::string_view rest = s.size() > 8 ? s.substr(8) : std::string_view();
    // Every item ends in exactly one of the two endings, and a title may itself
    // hold either phrase; so only the ending counts.
    if (EndsWith(rest, kToOther))
        choice.direction = MoveDirection::ToOtherScreen;
    else if (EndsWith(rest, kToThis))
        choice.direction = MoveDirection::ToThisScreen;
    return choice;
}
