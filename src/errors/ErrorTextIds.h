// Identifiers of the error texts in the program's string table (ErrorTexts.def).
#pragma once

enum ErrorTextId : int {
#define ERROR_TEXT(identifier, number, text, isTemplate) identifier = number,
#include "errors/ErrorTexts.def"
#undef ERROR_TEXT
};

// The range the string table keeps for them.
constexpr int IDS_ERROR_TEXT_FIRST = 65504;
constexpr int IDS_ERROR_TEXT_LAST = 65535;
