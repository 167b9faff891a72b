#include "ui/Services.h"
#include "errors/WinValues.h"

// One loop for both: the library's own conversion brings a table of digit pairs.
static std::string DecimalText(uint32_t v, bool negative) {
    char buf[12];
    char* p = buf + sizeof buf;
    *--p = 0;
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative) *--p = '-';
    return p;
}

std::string IntToText(int32_t n) {
    // Work in unsigned so that -2147483648 converts too.
    return DecimalText(n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n), n < 0);
}

std::string UIntToText(uint32_t n) {
    return DecimalText(n, false);
}

int32_t TextToInt(const char* text) {
    if (!text) return 0;
    bool negative = false;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

static bool IsSeparator(char c) {
    return c != 0 && static_cast<unsigned char>(c) <= 0x20;
}

// Moves p past parameter text (quoted runs included) and returns where it began.
static const char* NextParam(const char*& p) {
    for (;;) {
        while (IsSeparator(*p))
            ++p;
        // An empty pair of quotes standing alone is no parameter.
        if (p[0] == '"' && p[1] == '"' && (p[2] == 0 || IsSeparator(p[2])))
            p += 2;
        else
            break;
    }
    const char* start = p;
    while (*p && !IsSeparator(*p)) {
        if (*p++ == '"') {
            while (*p && *p != '"')
                ++p;
            if (*p) ++p;
        }
    }
    return start;
}

std::string CommandLineParam(const char* commandLine, int n) {
    if (!commandLine || n < 0) return {};
    const char* p = commandLine;
    const char* start = NextParam(p);
    for (int i = 0; i < n && *start; ++i)
        start = NextParam(p);
    std::string param(start, p);
    if (param.size() > 1 && param.front() == '"' && param.back() == '"')
        param = param.substr(1, param.size() - 2);
    return param;
}

int CommandLineParamCount(const char* commandLine) {
    int n = 0;
    while (!CommandLineParam(commandLine, n + 1).empty())
        ++n;
    return n;
}

static size_t LastDelimiter(const std::string& path) {
    return path.find_last_of(":\\");
}

std::string FileNamePart(const std::string& path) {
    size_t i = LastDelimiter(path);
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string FileDirPart(const std::string& path) {
    size_t i = LastDelimiter(path);
    return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}

char* StrCopy(char* dest, const char* source) {
    char* d = dest;
    while ((*d++ = *source++)) {
    }
    return dest;
}

size_t StrLength(const char* text) {
    size_t n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

bool NTPlatformFor(bool versionKnown, uint32_t platformId) {
    return versionKnown && platformId == kVER_PLATFORM_WIN32_NT;
}
