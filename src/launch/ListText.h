// The text of a launch list as bytes on disk: lists come from today's editors in
// UTF-8 (with or without a byte-order mark) or UTF-16, and from older ones and
// older versions of Kindlet in the ANSI code page. Inside the program a list is
// UTF-8; the code page itself is the system's, handed in by the caller.
#pragma once
#include <string>
#include <string_view>

// The byte-order mark a text begins with, if any.
enum class ListMark { Utf8, Utf16Le, Utf16Be, None };
ListMark MarkOf(std::string_view bytes);
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

using AnsiToUtf8Fn = std::string (*)(std::string_view ansi);
using Utf8ToAnsiFn = bool (*)(std::string_view utf8, std::string& ansi);

// The list's text in UTF-8, up to its first zero character: UTF-8 after a
// byte-order mark (the mark is dropped), UTF-16 after its mark (either byte
// order), otherwise UTF-8 when the bytes are well-formed UTF-8, else the ANSI
// code page through fromAnsi. Malformed sequences become U+FFFD.
std::string DecodeListText(std::string_view bytes, AnsiToUtf8Fn fromAnsi);

// The bytes to save: the ANSI code page when every character fits it (so that
// older versions still read the list), else UTF-8 with a byte-order mark. For
// every text DecodeListText can give (well-formed UTF-8 without a zero), read
// back through the same code page the bytes give the text again.
std::string EncodeListText(const std::string& utf8, Utf8ToAnsiFn toAnsi);
