// The captions of the window menu's move items, and how a chosen caption is
// read back into a move.
#pragma once
#include <string>

// Titles (UTF-8) longer than 40 characters become their first 39 and "..".
std::string ShortenTitle(const std::string& text);

enum class MoveDirection { None, ToOtherScreen, ToThisScreen };

// "Move " + digit of screen + ": " + shortened title + the ending of direction.
std::string MoveCaption(int screen, const std::string& title, MoveDirection direction);

struct MoveChoice {
    MoveDirection direction = MoveDirection::None; // None: not a move item
    int sourceScreen = 2;                          // the screen the window belongs to now
};
// What a chosen caption asks for.
MoveChoice DecideMove(const std::string& caption);
