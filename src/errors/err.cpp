#include "errors/err.h"
#include "ui/Services.h"

namespace err {

namespace {

enum : unsigned { kLeft = 1, kPrefix = 2, kZero = 4, kUpper = 8 };

std::string NumberText(char type, uint32_t value, bool upper) {
    char digits[16];
    char* end = digits + sizeof digits;
    char* p = end;
    uint32_t v = value;
    unsigned base = type == 'x' ? 16 : 10;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        *--p = set[v % base];
        v /= base;
    } while (v);
    return std::string(p, end);
}

} // namespace

std::string FormatTemplate(const char* format, std::initializer_list<FormatArg> args,
                           size_t limit) {
    std::string out;
    if (!format) return out;
    const FormatArg* arg = args.begin();
    auto next = [&]() -> const FormatArg* { return arg != args.end() ? arg++ : nullptr; };

    const char* f = format;
    while (*f) {
        if (*f != '%') {
            out += *f++;
            continue;
        }
        const char* spec = f + 1;
        const char* p = spec;
        unsigned flags = 0;
        size_t width = 0, precision = 0;
        // The flags are read in this fixed order, each at most once.
        if (*p == '-') {
            flags |= kLeft;
            ++p;
        }
        if (*p == '#') {
            flags |= kPrefix;
            ++p;
        }
        if (*p == '0') {
            flags |= kZero;
            ++p;
        }
        for (; *p >= '0' && *p <= '9'; ++p)
            width = width * 10 + (*p - '0');
        if (*p == '.')
            for (++p; *p >= '0' && *p <= '9'; ++p)
                precision = precision * 10 + (*p - '0');
        if (*p == 'l' || *p == 'h' || *p == 'w') ++p;

        char type = *p;
        switch (type) {
        case 'c':
        case 'C':
        case 's':
        case 'S':
        case 'd':
        case 'i':
        case 'u':
        case 'x':
            break;
        case 'X':
            flags |= kUpper;
            type = 'x';
            break;
        case 'p':
            width = 8; // a 32-bit address, always all of its digits
            flags |= kZero | kUpper;
            type = 'x';
            break;
        default:
            // Not a conversion: the character itself is written (this is how
            // "%%" gives "%"); a zero byte ends the template.
            f = p;
            if (*p) out += *f++;
            continue;
        }
        f = p + 1;
        if (type == 'i') type = 'd';
        if (flags & kLeft) flags &= ~kZero; // left alignment pads with blanks only

        const FormatArg* a = next();
        std::string body;
        size_t zeros = 0;
        bool hexPrefix = false;
        if (type == 'c' || type == 'C') {
            char c = a && !a->isText ? static_cast<char>(a->number) : '\0';
            if (c) body = c;
        } else if (type == 's' || type == 'S') {
            body = a && a->isText ? a->text : std::string();
            if (precision && body.size() > precision) body.resize(precision);
        } else {
            uint32_t value = a && !a->isText ? a->number : 0;
            bool negative = type == 'd' && static_cast<int32_t>(value) < 0;
            std::string digits = NumberText(type, negative ? 0u - value : value, flags & kUpper);
            size_t len = digits.size() + (negative ? 1 : 0);
            size_t field = precision > len ? precision : len;
            if ((flags & kZero) && width > field) field = width;
            // Zeros go after the sign; the field counts the sign as a digit.
            zeros = field - len;
            hexPrefix = type == 'x' && (flags & kPrefix);
            if (negative) body.push_back('-');
            body.append(zeros, '0');
            body.append(digits);
        }
        // Padding is measured without the hexadecimal prefix.
        size_t pad = width > body.size() ? width - body.size() : 0;
        if (hexPrefix) body = std::string(flags & kUpper ? "0X" : "0x") + body;
        if (!(flags & kLeft)) out.append(pad, ' ');
        out += body;
        if (flags & kLeft) out.append(pad, ' ');
    }
    if (out.size() > limit) out.resize(limit);
    return out;
}

ErrorInfo RunErrorInfo(int index) {
    static const ErrorInfo table[] = {
        {2, "Out of memory"},
        {15, "Invalid pointer operation"},
        {6, "Division by zero"},
        {7, "Range check error"},
        {8, "Integer overflow"},
        {11, "Invalid floating point operation"},
        {12, "Division by zero"},
        {13, "Floating point overflow"},
        {14, "Floating point underflow"},
        {16, "Invalid class typecast"},
        {18, "Access violation at address %p. %s of address %p"},
        {19, "Privileged instruction"},
        {21, "^C"},
        {20, "Stack overflow"},
        {22, "EVariant"},
        {22, "EVariant"},
        {22, "EVariant"},
        {22, "EVariant"},
        {22, "EVariant"},
        {22, "EVariant"},
        {25, "Assertion failed"},
        {4, "External exception %x"},
        {27, "Interface not supported"},
        {32, "Exception in safecall method"},
    };
    if (index < 1 || index > 24) index = 22;
    return table[index - 1];
}

std::string IoErrorMessage(int32_t code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 100:
        return "End of file";
    case 101:
        return "Disk full";
    default:
        return FormatTemplate("I/O error %d", {code});
    }
}

Exception IoError(int32_t code) {
    return Exception(kKindIo, IoErrorMessage(code), code);
}

Exception RunError(int index, int32_t ioResult) {
    if (index > 24) return IoError(ioResult);
    ErrorInfo info = RunErrorInfo(index);
    return Exception(info.kind, info.message);
}

int StatusToRunError(uint32_t status) {
    // Only the error statuses of the system's own range are known by name.
    if (status < 0xC0000000u || status > 0xC00000FDu) return 22;
    switch (status) {
    case 0xC0000094u:
        return 3;
    case 0xC000008Cu:
        return 4;
    case 0xC0000095u:
        return 5;
    case 0xC000008Fu:
    case 0xC0000090u:
    case 0xC0000092u:
        return 6;
    case 0xC000008Eu:
        return 7;
    case 0xC0000091u:
        return 8;
    case 0xC000008Du:
    case 0xC0000093u:
        return 9;
    case 0xC0000005u:
        return 11;
    case 0xC0000096u:
        return 12;
    case 0xC00000FDu:
        return 14;
    default:
        return 22;
    }
}

std::string AccessViolationMessage(const ExceptionFacts& facts) {
    const char* access = facts.accessKind == 0 ? "Read" : "Write";
    if (facts.inModule)
        return FormatTemplate(
            "Access violation at address %p in module '%s'. %s of address %p",
            {facts.address, FileNamePart(facts.moduleName), access, facts.accessed});
    return FormatTemplate("Access violation at address %p. %s of address %p",
                          {facts.address, access, facts.accessed});
}

Exception TranslateException(const ExceptionFacts& facts) {
    int index = StatusToRunError(facts.status);
    if (index == 11) return Exception(kKindAccessViolation, AccessViolationMessage(facts));
    if ((index >= 3 && index <= 10) || (index >= 12 && index <= 21)) {
        ErrorInfo info = RunErrorInfo(index);
        return Exception(info.kind, info.message);
    }
    return Exception(kKindExternal, FormatTemplate("External exception %x", {facts.status}), 0,
                     facts.record);
}

Exception AssertionError(const std::string& message, const std::string& file, int line) {
    return Exception(kKindAssertion,
                     FormatTemplate("%s (%s, line %d)",
                                    {message.empty() ? std::string("Assertion failed") : message,
                                     file, static_cast<int32_t>(line)}));
}

uint32_t ShownAddress(uint32_t address, bool inModule, uint32_t allocationBase) {
    if (address == 0) return 0;
    // Outside any module the address is taken as one in our own code section,
    // which starts 0x1000 into the image.
    return inModule ? address - allocationBase : address - 0x1000;
}

std::string UnhandledReport(const std::string& modulePath, uint32_t shownAddress,
                            const std::string& message) {
    return FormatTemplate("Exception %s in module %s at %p.\n%s%s",
                          {"Exception", modulePath, shownAddress, message, ""}, 1023);
}

void RaiseRunError(int index, int32_t ioResult) {
    throw RunError(index, ioResult);
}

void RaiseAssertion(const std::string& message, const std::string& file, int line) {
    throw AssertionError(message, file, line);
}

} // namespace err
