// The captions of the window menu's move items.
#pragma once
#include <string>

// Titles (UTF-8) longer than 40 characters become their first 39 and "..".
std::string ShortenTitle(const std::string& text);

// ToScreenChosen: the item opens one sub-item per screen, and its caption ends with the title.
enum class MoveDirection { ToOtherScreen, ToThisScreen, ToScreenChosen };

// "Move " + number of screen + ": " + shortened title + the ending of direction.
std::string MoveCaption(int screen, const std::string& title, MoveDirection direction);
