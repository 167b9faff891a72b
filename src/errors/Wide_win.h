// The edge between the program's UTF-8 text and the system's wide calls:
// WideText turns UTF-8 into a UTF-16 string for a W call, NarrowText turns what
// a W call gave back into UTF-8. The ANSI code page is met only where a file or
// another program hands over bytes in it.
#pragma once
#include "errors/Utf8.h"
#include <string>
#include <string_view>

class WideText {
  public:
    explicit WideText(std::string_view text) : text_(Utf8ToUtf16(text)) {}
    // A null text stays null (an optional argument of a W call).
    // Out of line: one copy for the whole program.
    explicit WideText(const char* text);
    operator const wchar_t*() const { return null_ ? nullptr : data(); }
    const wchar_t* data() const { return reinterpret_cast<const wchar_t*>(text_.c_str()); }
    // For calls that want a writable buffer (CreateProcessW's command line).
    wchar_t* buffer() { return reinterpret_cast<wchar_t*>(text_.data()); }
    size_t size() const { return text_.size(); }

  private:
    bool null_ = false;
    std::u16string text_;
};

// UTF-8 of a wide text: length characters, or up to the terminator for -1.
std::string NarrowText(const wchar_t* text, int length = -1);

// The file a loaded module was read from (an HMODULE; null: this program), of
// any length: the folder may have a long name in any script. "" when unknown.
std::string ModulePath(const void* module);
// This program's own file, as ModulePath gives it.
std::string ProgramPath();

// Bytes in the system's ANSI code page, as UTF-8.
std::string AnsiToUtf8(std::string_view text);
// text in the ANSI code page; false when a character has no exact place in it.
bool Utf8ToAnsi(std::string_view text, std::string& ansi);
