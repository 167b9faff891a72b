// The captions of the window menu's move items.
#pragma once
#include <string>

// Titles (UTF-8) longer than 40 characters become their first 39 and "..".
std::string ShortenTitle(const std::string& text);

enum class MoveDirection { ToOtherScreen, ToThisScreen };

// "Move " + number of screen + ": " + shortened title + the ending of direction.
std::string MoveCaption(int screen, const std::string& title, MoveDirection direction);
