#include "screens/MoveCaptions.h"
#include "errors/Utf8.h"

std::string ShortenTitle(const std::string& text) {
    // Characters, not bytes: a letter or an emoji is never cut in half.
    if (Utf8Length(text) <= 40) return text;
    return text.substr(0, Utf8PrefixBytes(text, 39)) + "..";
}

std::string MoveCaption(int screen, const std::string& title, MoveDirection direction) {
    // Screens are numbered 1 to 9: one digit.
    std::string caption = "Move ";
    caption += static_cast<char>('0' + screen);
    caption += ": ";
    caption += ShortenTitle(title);
    if (direction != MoveDirection::ToScreenChosen)
        caption +=
            direction == MoveDirection::ToOtherScreen ? ", to other screen" : ", to this screen";
    return caption;
}
