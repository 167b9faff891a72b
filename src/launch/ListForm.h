// Whether a file's bytes are a list at all, and the bytes of a list saved in the
// form it was read in. A file that is not text (a program, a picture, a zipped
// document) must never be carried out line by line nor overwritten by Kindlet.
#pragma once
#include "launch/ListText.h"
#include <string>
#include <string_view>

// The bytes of utf8 in the form original was written in: UTF-16 after its mark,
// UTF-8 after its mark, UTF-8 without a mark when original was UTF-8 beyond
// ASCII; otherwise as a new list is saved (EncodeListText).
std::string EncodeListLike(std::string_view original, const std::string& utf8, Utf8ToAnsiFn toAnsi);

// True when bytes are text that the list reader takes: read (DecodeListText) and
// written back in the same form they are the same bytes, and no character is a
// control other than tab, the line breaks and the end-of-file mark (a zero, stray
// UTF-16, bytes that are not UTF-8 after its mark all fail this). utf8 receives
// the text.
bool ReadListText(std::string_view bytes, AnsiToUtf8Fn fromAnsi, Utf8ToAnsiFn toAnsi,
                  std::string& utf8);
