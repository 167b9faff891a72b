#include "errors/err.h"
#include "errors/ErrorTextIds.h"
#include "errors/WinValues.h"
#include <cstring>

namespace err {

namespace {

enum : unsigned { kLeft = 1, kPrefix = 2, kZero = 4, kUpper = 8 };

// Writes the digits of value just before end; gives where they start.
char* NumberText(char* end, char type, uint32_t value, bool upper) {
    char* p = end;
    unsigned base = type == 'x' ? 16 : 10;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        *--p = set[value % base];
        value /= base;
    } while (value);
    return p;
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
        // The field: [0x][-][zeros]text, padded with blanks to the width.
        char digits[16];
        const char* text = digits;
        size_t length = 0, zeros = 0;
        bool negative = false, hexPrefix = false;
        if (type == 'c' || type == 'C') {
            digits[0] = a && !a->isText ? static_cast<char>(a->number) : '\0';
            length = digits[0] ? 1 : 0;
        } else if (type == 's' || type == 'S') {
            text = a && a->isText ? a->text : "";
            length = std::strlen(text);
            if (precision && length > precision) length = precision;
        } else {
            uint32_t value = a && !a->isText ? a->number : 0;
            negative = type == 'd' && static_cast<int32_t>(value) < 0;
            char* end = digits + sizeof digits;
            text = NumberText(end, type, negative ? 0u - value : value, flags & kUpper);
            length = static_cast<size_t>(end - text);
            size_t len = length + (negative ? 1 : 0);
            size_t field = precision > len ? precision : len;
            if ((flags & kZero) && width > field) field = width;
            // Zeros go after the sign; the field counts the sign as a digit.
            zeros = field - len;
            hexPrefix = type == 'x' && (flags & kPrefix);
        }
        // Padding is measured without the hexadecimal prefix.
        const size_t body = (negative ? 1 : 0) + zeros + length;
        const size_t pad = width > body ? width - body : 0;
        if (!(flags & kLeft)) out.append(pad, ' ');
        if (hexPrefix) out += flags & kUpper ? "0X" : "0x";
        if (negative) out += '-';
        out.append(zeros, '0');
        out.append(text, length);
        if (flags & kLeft) out.append(pad, ' ');
    }
    if (out.size() > limit) out.resize(limit);
    return out;
}

namespace {

struct BuiltIn {
    int id;
    const char* text;
    bool isTemplate; // read each time an error is built, not once at start
};

const BuiltIn kBuiltInTexts[] = {
#define ERROR_TEXT(identifier, number, text, isTemplate) {identifier, text, isTemplate != 0},
#include "errors/ErrorTexts.def"
#undef ERROR_TEXT
};

constexpr int kTextCount = IDS_ERROR_TEXT_LAST - IDS_ERROR_TEXT_FIRST + 1;

TextLoader textLoader;

// The map messages as read at start; empty until then, when the built-in text
// is used.
struct LoadedTexts {
    std::string text[kTextCount];
    bool loaded[kTextCount] = {};
};

LoadedTexts& Loaded() {
    static LoadedTexts texts;
    return texts;
}

const BuiltIn* FindBuiltIn(int id) {
    for (const BuiltIn& b : kBuiltInTexts)
        if (b.id == id) return &b;
    return nullptr;
}

} // namespace

const char* BuiltInText(int id) {
    const BuiltIn* b = FindBuiltIn(id);
    return b ? b->text : nullptr;
}

void LoadErrorTexts(TextLoader loader) {
    textLoader = loader;
    LoadedTexts& texts = Loaded();
    for (const BuiltIn& b : kBuiltInTexts) {
        if (b.isTemplate) continue;
        const int slot = b.id - IDS_ERROR_TEXT_FIRST;
        std::string text;
        texts.loaded[slot] = loader && loader(b.id, text) && !text.empty();
        texts.text[slot] = texts.loaded[slot] ? text : std::string(b.text);
    }
}

const std::string& MapText(int id) {
    static const std::string none;
    if (id < IDS_ERROR_TEXT_FIRST || id > IDS_ERROR_TEXT_LAST) return none;
    LoadedTexts& texts = Loaded();
    const int slot = id - IDS_ERROR_TEXT_FIRST;
    // Before the texts are loaded, the built-in ones.
    if (!texts.loaded[slot] && texts.text[slot].empty())
        if (const char* builtIn = BuiltInText(id)) texts.text[slot] = builtIn;
    return texts.text[slot];
}

std::string TemplateText(int id) {
    std::string text;
    if (textLoader && textLoader(id, text) && !text.empty()) return text;
    const char* builtIn = BuiltInText(id);
    return builtIn ? builtIn : "";
}

ErrorInfo RunErrorInfo(int index) {
    // One row per index, kRunOutOfMemory on: the kind, and the text as its place
    // in the string table's range.
    constexpr auto T = [](int id) { return static_cast<uint8_t>(id - IDS_ERROR_TEXT_FIRST); };
    constexpr uint8_t kVariant = 22;
    static const uint8_t table[][2] = {
        {2, T(IDS_OUT_OF_MEMORY)},
        {15, T(IDS_INVALID_POINTER)},
        {6, T(IDS_DIVISION_BY_ZERO)},
        {7, T(IDS_RANGE_CHECK)},
        {8, T(IDS_INTEGER_OVERFLOW)},
        {11, T(IDS_INVALID_FLOAT_OPERATION)},
        {12, T(IDS_FLOAT_DIVISION_BY_ZERO)},
        {13, T(IDS_FLOAT_OVERFLOW)},
        {14, T(IDS_FLOAT_UNDERFLOW)},
        {16, T(IDS_INVALID_CAST)},
        {kKindAccessViolation, T(IDS_ACCESS_VIOLATION)},
        {19, T(IDS_PRIVILEGED_INSTRUCTION)},
        {21, T(IDS_CONTROL_BREAK)},
        {20, T(IDS_STACK_OVERFLOW)},
        {kVariant, T(IDS_VARIANT_ERROR)}, // kRunVariantFirst to kRunVariantLast
        {kVariant, T(IDS_VARIANT_ERROR)},
        {kVariant, T(IDS_VARIANT_ERROR)},
        {kVariant, T(IDS_VARIANT_ERROR)},
        {kVariant, T(IDS_VARIANT_ERROR)},
        {kVariant, T(IDS_VARIANT_ERROR)},
        {kKindAssertion, T(IDS_ASSERTION_FAILED)},
        {kKindExternal, T(IDS_EXTERNAL_EXCEPTION)},
        {27, T(IDS_INTERFACE_NOT_SUPPORTED)},
        {32, T(IDS_SAFECALL_EXCEPTION)},
    };
    static_assert(kRunOutOfMemory == 1 && kRunVariantFirst == 15 && kRunVariantLast == 20 &&
                  kRunSafecallError == sizeof table / sizeof *table);
    if (index < kRunOutOfMemory || index > kRunSafecallError) index = kRunExternalException;
    const uint8_t* row = table[index - kRunOutOfMemory];
    return {row[0], MapText(IDS_ERROR_TEXT_FIRST + row[1]).c_str()};
}

std::string IoErrorMessage(int32_t code) {
    static constexpr struct {
        int32_t code;
        int id;
    } named[] = {{2, IDS_FILE_NOT_FOUND},      {3, IDS_INVALID_FILENAME},
                 {4, IDS_TOO_MANY_OPEN_FILES}, {5, IDS_FILE_ACCESS_DENIED},
                 {100, IDS_END_OF_FILE},       {101, IDS_DISK_FULL}};
    for (const auto& n : named)
        if (n.code == code) return MapText(n.id);
    return FormatTemplate(MapText(IDS_IO_ERROR).c_str(), {code});
}

Exception IoError(int32_t code) {
    return Exception(kKindIo, IoErrorMessage(code), code);
}

Exception RunError(int index, int32_t ioResult) {
    if (index > kRunSafecallError) return IoError(ioResult);
    ErrorInfo info = RunErrorInfo(index);
    return Exception(info.kind, info.message);
}

namespace {
// The system's own error statuses start here; below are warnings and notices.
constexpr uint32_t kErrorStatusFirst = 0xC0000000u;

bool IsSystemErrorStatus(uint32_t status) {
    return status >= kErrorStatusFirst && status <= kSTATUS_STACK_OVERFLOW;
}

struct StatusError {
    uint32_t status;
    int runError;
};
constexpr StatusError kStatusErrors[] = {
    {kSTATUS_INTEGER_DIVIDE_BY_ZERO, kRunDivisionByZero},
    {kSTATUS_ARRAY_BOUNDS_EXCEEDED, kRunRangeCheck},
    {kSTATUS_INTEGER_OVERFLOW, kRunIntegerOverflow},
    {kSTATUS_FLOAT_INEXACT_RESULT, kRunInvalidFloatOperation},
    {kSTATUS_FLOAT_INVALID_OPERATION, kRunInvalidFloatOperation},
    {kSTATUS_FLOAT_STACK_CHECK, kRunInvalidFloatOperation},
    {kSTATUS_FLOAT_DIVIDE_BY_ZERO, kRunFloatDivisionByZero},
    {kSTATUS_FLOAT_OVERFLOW, kRunFloatOverflow},
    {kSTATUS_FLOAT_DENORMAL_OPERAND, kRunFloatUnderflow},
    {kSTATUS_FLOAT_UNDERFLOW, kRunFloatUnderflow},
    {kSTATUS_ACCESS_VIOLATION, kRunAccessViolation},
    {kSTATUS_PRIVILEGED_INSTRUCTION, kRunPrivilegedInstruction},
    {kSTATUS_STACK_OVERFLOW, kRunStackOverflow},
};
} // namespace

int StatusToRunError(uint32_t status) {
    // Only the error statuses of the system's own range are known by name.
    for (const StatusError& e : kStatusErrors)
        if (e.status == status) return e.runError;
    return kRunExternalException;
}

bool IsOwnFault(uint32_t status, uint32_t address, uint32_t imageBase, uint32_t imageSize,
                bool inAModule) {
    // Error statuses of the system's own range only: the others are warnings,
    // notices and the language run-times' own raised exceptions.
    if (!IsSystemErrorStatus(status)) return false;
    return !inAModule || (address >= imageBase && address - imageBase < imageSize);
}

// The module's file name without its folder, as the report names it.
static std::string ModuleFileName(const std::string& path) {
    const size_t i = path.find_last_of(":\\");
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string AccessViolationMessage(const ExceptionFacts& facts) {
    const char* access = facts.accessKind == 0 ? "Read" : "Write";
    if (facts.inModule)
        return FormatTemplate(
            TemplateText(IDS_ACCESS_VIOLATION_IN_MODULE).c_str(),
            {facts.address, ModuleFileName(facts.moduleName), access, facts.accessed});
    return FormatTemplate(MapText(IDS_ACCESS_VIOLATION).c_str(),
                          {facts.address, access, facts.accessed});
}

Exception TranslateException(const ExceptionFacts& facts) {
    int index = StatusToRunError(facts.status);
    if (index == kRunAccessViolation)
        return Exception(kKindAccessViolation, AccessViolationMessage(facts));
    if (index >= kRunDivisionByZero && index <= kRunAssertionFailed) {
        ErrorInfo info = RunErrorInfo(index);
        return Exception(info.kind, info.message);
    }
    return Exception(kKindExternal,
                     FormatTemplate(MapText(IDS_EXTERNAL_EXCEPTION).c_str(), {facts.status}), 0,
                     facts.record);
}

Exception AssertionError(const std::string& message, const std::string& file, int line) {
    return Exception(kKindAssertion,
                     FormatTemplate(TemplateText(IDS_ASSERTION_TEMPLATE).c_str(),
                                    {message.empty() ? MapText(IDS_ASSERTION_FAILED) : message,
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
    return FormatTemplate(TemplateText(IDS_EXCEPTION_REPORT).c_str(),
                          {"Exception", modulePath, shownAddress, message, ""}, 1023);
}

// Kept out of line, so that the caller's address is the place of the fault.
__attribute__((noinline)) void RaiseRunError(int index, int32_t ioResult) {
    Exception e = RunError(index, ioResult);
    e.raisedAt = __builtin_return_address(0);
    throw e;
}

__attribute__((noinline)) void RaiseAssertion(const std::string& message, const std::string& file,
                                              int line) {
    Exception e = AssertionError(message, file, line);
    e.raisedAt = __builtin_return_address(0);
    throw e;
}

} // namespace err
