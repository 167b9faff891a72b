#include "errors/Wide_win.h"
#include <windows.h>

WideText::WideText(const char* text) : null_(!text), text_(text ? Utf8ToUtf16(text) : u"") {}

std::string NarrowText(const wchar_t* text, int length) {
    if (!text) return {};
    const size_t n = length < 0 ? wcslen(text) : static_cast<size_t>(length);
    return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), n));
}

std::string ModulePath(const void* module) {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(static_cast<HMODULE>(const_cast<void*>(module)),
                                           reinterpret_cast<wchar_t*>(path.data()),
                                           static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        // A name cut to the buffer fills it (and, before Windows Vista, has no
        // terminator): ask again with room to spare.
        if (n < path.size()) return Utf16ToUtf8(std::u16string_view(path.data(), n));
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

std::string ProgramPath() {
    return ModulePath(nullptr);
}

std::string AnsiToUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::u16string wide(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                        static_cast<int>(wide.size()));
    return Utf16ToUtf8(wide);
}

bool Utf8ToAnsi(std::string_view text, std::string& ansi) {
    ansi.clear();
    const WideText wide(text);
    if (wide.size() == 0) return true;
    // No best fit: a letter the code page lacks must not turn into a look-alike.
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                      static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
    if (n <= 0 || lost) return false;
    ansi.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        ansi.data(), n, nullptr, &lost);
    // A round trip proves it: some code pages map without saying anything was lost.
    return !lost && AnsiToUtf8(ansi) == text;
}
