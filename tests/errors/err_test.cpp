#include "errors/err.h"
#include "errors/ErrorTextIds.h"
#include <gtest/gtest.h>
#include <iterator>
#include <string>

using namespace err;

TEST(ErrFormat, ConversionsOfTheMessageTemplates) {
    EXPECT_EQ(FormatTemplate("%p", {0x1234abcdu}), "1234ABCD");
    EXPECT_EQ(FormatTemplate("%p", {0u}), "00000000");
    EXPECT_EQ(FormatTemplate("%x", {0xABCDEFu}), "abcdef");
    EXPECT_EQ(FormatTemplate("%X|%u", {0xabcdefu, -5}), "ABCDEF|4294967291");
    EXPECT_EQ(FormatTemplate("%d %i %x", {-5, 42, -1}), "-5 42 ffffffff");
    EXPECT_EQ(FormatTemplate("%d", {INT32_MIN}), "-2147483648");
    EXPECT_EQ(FormatTemplate("<%s> %c%%", {"text", 'A'}), "<text> A%");
    EXPECT_EQ(FormatTemplate("%s", {static_cast<const char*>(nullptr)}), "(null)");
}

TEST(ErrFormat, OddTemplatesAndMissingValuesStaySafe) {
    // A character that is no conversion is written as it stands.
    EXPECT_EQ(FormatTemplate("%q %y%d", {3}), "q y3");
    EXPECT_EQ(FormatTemplate("%0-5d|", {3}), "-5d|");
    EXPECT_EQ(FormatTemplate("abc%", {}), "abc");
    // Values that are missing or of the wrong sort never read past the list.
    EXPECT_EQ(FormatTemplate("%s|%d|%p", {}), "|0|00000000");
    EXPECT_EQ(FormatTemplate("%s|%d", {12, "x"}), "|0");
    EXPECT_EQ(FormatTemplate(nullptr, {1}), "");
    std::string big(1500, 'a');
    EXPECT_EQ(FormatTemplate("%s", {big}), std::string(1023, 'a'));
    EXPECT_EQ(FormatTemplate("%s%s", {"abc", "def"}, 4), "abcd");
}

TEST(ErrTables, RunTimeErrorsByIndex) {
    struct Row {
        int index;
        uint8_t kind;
        const char* message;
    } rows[] = {
        {1, 2, "Out of memory"},
        {2, 15, "Invalid pointer operation"},
        {3, 6, "Division by zero"},
        {7, 12, "Division by zero"},
        {10, 16, "Invalid class typecast"},
        {11, 18, "Access violation at address %p. %s of address %p"},
        {13, 21, "^C"},
        {14, 20, "Stack overflow"},
        {15, 22, "EVariant"},
        {20, 22, "EVariant"},
        {21, 25, "Assertion failed"},
        {22, 4, "External exception %x"},
        {23, 27, "Interface not supported"},
        {24, 32, "Exception in safecall method"},
    };
    for (const Row& r : rows) {
        Exception e = RunError(r.index, 0);
        EXPECT_EQ(e.kind, r.kind) << r.index;
        EXPECT_EQ(e.message, r.message) << r.index;
        EXPECT_EQ(e.errorNumber, 0) << r.index;
        EXPECT_EQ(e.exceptionRecord, nullptr);
    }
    EXPECT_EQ(RunErrorInfo(0).kind, 4);
    EXPECT_EQ(RunErrorInfo(-1).kind, 4);
}

TEST(ErrTables, InputOutputErrorsCarryTheirCode) {
    Exception notFound = RunError(25, 2);
    EXPECT_EQ(notFound.kind, kKindIo);
    EXPECT_EQ(notFound.errorNumber, 2);
    EXPECT_EQ(notFound.message, "File not found");
    EXPECT_EQ(RunError(100, 101).message, "Disk full");
    Exception odd = RunError(30, 32);
    EXPECT_EQ(odd.kind, kKindIo);
    EXPECT_EQ(odd.errorNumber, 32);
    EXPECT_EQ(odd.message, "I/O error 32");
    EXPECT_EQ(IoErrorMessage(3), "Invalid filename");
    EXPECT_EQ(IoErrorMessage(4), "Too many open files");
    EXPECT_EQ(IoErrorMessage(5), "File access denied");
    EXPECT_EQ(IoErrorMessage(100), "End of file");
    EXPECT_EQ(IoErrorMessage(-7), "I/O error -7");
    EXPECT_EQ(IoErrorMessage(0), "I/O error 0");
}

TEST(ErrTables, StatusesMapOnlyInsideTheKnownRange) {
    const uint32_t statuses[] = {0xC0000094u, 0xC000008Cu, 0xC0000095u, 0xC000008Fu, 0xC0000090u,
                                 0xC0000092u, 0xC000008Eu, 0xC0000091u, 0xC000008Du, 0xC0000093u,
                                 0xC0000005u, 0xC0000096u, 0xC00000FDu};
    const int indexes[] = {3, 4, 5, 6, 6, 6, 7, 8, 9, 9, 11, 12, 14};
    for (size_t i = 0; i < std::size(statuses); ++i)
        EXPECT_EQ(StatusToRunError(statuses[i]), indexes[i]) << std::hex << statuses[i];
    for (uint32_t other : {0u, 0x80000003u, 0xBFFFFFFFu, 0xC0000000u, 0xC00000FEu, 0xE06D7363u})
        EXPECT_EQ(StatusToRunError(other), 22) << std::hex << other;
}

TEST(ErrTranslate, AccessViolationNamesTheModuleWhenKnown) {
    ExceptionFacts f;
    f.status = 0xC0000005u;
    f.address = 0x00401234u;
    f.accessKind = 0;
    f.accessed = 0;
    f.inModule = true;
    f.moduleName = "C:\\Program Files\\Para-Vue\\paravue.exe";
    Exception e = TranslateException(f);
    EXPECT_EQ(e.kind, kKindAccessViolation);
    EXPECT_EQ(e.message,
              "Access violation at address 00401234 in module 'paravue.exe'. Read of address "
              "00000000");
    f.inModule = false;
    f.accessKind = 1;
    f.accessed = 0xDEADBEEFu;
    EXPECT_EQ(TranslateException(f).message,
              "Access violation at address 00401234. Write of address DEADBEEF");
}

TEST(ErrTranslate, OtherStatusesBecomeTableErrorsOrExternal) {
    int record = 0;
    ExceptionFacts f;
    f.record = &record;
    f.status = 0xC0000094u;
    Exception div = TranslateException(f);
    EXPECT_EQ(div.kind, 6);
    EXPECT_EQ(div.message, "Division by zero");
    EXPECT_EQ(div.exceptionRecord, nullptr);
    f.status = 0xC00000FDu;
    EXPECT_EQ(TranslateException(f).message, "Stack overflow");
    f.status = 0xE06D7363u;
    Exception ext = TranslateException(f);
    EXPECT_EQ(ext.kind, kKindExternal);
    EXPECT_EQ(ext.message, "External exception e06d7363");
    EXPECT_EQ(ext.exceptionRecord, &record);
}

TEST(ErrAssert, MessageFileAndLine) {
    Exception e = AssertionError("", "x", 12);
    EXPECT_EQ(e.kind, kKindAssertion);
    EXPECT_EQ(e.message, "Assertion failed (x, line 12)");
    EXPECT_EQ(AssertionError("list empty", "Unit1.cpp", -1).message,
              "list empty (Unit1.cpp, line -1)");
    // A message holding a conversion is text, not a template.
    EXPECT_EQ(AssertionError("100%s done", "y", 3).message, "100%s done (y, line 3)");
}

TEST(ErrReport, ShownAddressAndReportText) {
    EXPECT_EQ(ShownAddress(0x10001234u, true, 0x10000000u), 0x1234u);
    EXPECT_EQ(ShownAddress(0x00405000u, false, 0), 0x00404000u);
    EXPECT_EQ(ShownAddress(0, false, 0), 0u);
    EXPECT_EQ(ShownAddress(0, true, 0x400000u), 0u);

    EXPECT_EQ(UnhandledReport("C:\\pv\\paravue.exe", 0x1234u, "Division by zero"),
              "Exception Exception in module C:\\pv\\paravue.exe at 00001234.\nDivision by zero");
    // An empty message still leaves the second line, empty.
    EXPECT_EQ(UnhandledReport("C:\\pv\\paravue.exe", 0, ""),
              "Exception Exception in module C:\\pv\\paravue.exe at 00000000.\n");
    std::string longMessage(2000, 'm');
    std::string report = UnhandledReport("C:\\pv\\paravue.exe", 1, longMessage);
    EXPECT_EQ(report.size(), 1023u);
    EXPECT_EQ(report.back(), 'm');
}

namespace {
// A string table whose answers the test changes: some texts in other words, the
// rest missing.
std::string outOfMemoryAnswer;
bool TestTable(int id, std::string& text) {
    switch (id) {
    case IDS_OUT_OF_MEMORY:
        text = outOfMemoryAnswer;
        return true;
    case IDS_EXCEPTION_REPORT:
        text = "%s|%s|%p|%s%s";
        return true;
    case IDS_ASSERTION_TEMPLATE:
        text = outOfMemoryAnswer + " %s/%s/%d";
        return true;
    case IDS_FILE_NOT_FOUND:
        text = ""; // an empty text is as good as missing
        return true;
    default:
        return false;
    }
}
} // namespace

TEST(ErrTexts, LoadedTextsStandInForTheBuiltInOnes) {
    outOfMemoryAnswer = "Kein Speicher";
    LoadErrorTexts(TestTable);
    EXPECT_EQ(RunError(1, 0).message, "Kein Speicher");
    EXPECT_EQ(UnhandledReport("m", 0x10, "x"), "Exception|m|00000010|x");
    // What the table lacks comes from the program itself.
    EXPECT_EQ(RunError(2, 0).message, "Invalid pointer operation");
    EXPECT_EQ(IoError(2).message, "File not found");
    EXPECT_EQ(IoError(32).message, "I/O error 32");

    // Map messages are read once, templates whenever an error is built.
    outOfMemoryAnswer = "Later";
    EXPECT_EQ(RunError(1, 0).message, "Kein Speicher");
    EXPECT_EQ(AssertionError("a", "f", 3).message, "Later a/f/3");

    LoadErrorTexts(nullptr);
    EXPECT_EQ(RunError(1, 0).message, "Out of memory");
    EXPECT_EQ(AssertionError("a", "f", 3).message, "a (f, line 3)");
    EXPECT_EQ(UnhandledReport("m", 0x10, "x"), "Exception Exception in module m at 00000010.\nx");
}

TEST(ErrTexts, EveryIdentifierOfTheRangeIsOursOrFree) {
    EXPECT_EQ(BuiltInText(IDS_ERROR_TEXT_FIRST - 1), nullptr);
    for (int id = IDS_ERROR_TEXT_FIRST; id <= IDS_IO_ERROR; ++id)
        EXPECT_NE(BuiltInText(id), nullptr) << id;
    for (int id = IDS_IO_ERROR + 1; id <= IDS_ERROR_TEXT_LAST + 1; ++id)
        EXPECT_EQ(BuiltInText(id), nullptr) << id;
    EXPECT_STREQ(BuiltInText(65508), "Exception %s in module %s at %p.\n%s%s");
}

TEST(ErrFaults, OnlyErrorStatusesInsideTheImageOrOutsideEveryModuleAreOurs) {
    const uint32_t base = 0x400000, size = 0x20000;
    EXPECT_TRUE(IsOwnFault(0xC0000005u, base, base, size, true));
    EXPECT_TRUE(IsOwnFault(0xC0000094u, base + size - 1, base, size, true));
    EXPECT_TRUE(IsOwnFault(0xC00000FDu, base + 0x100, base, size, true));
    EXPECT_FALSE(IsOwnFault(0xC0000005u, base + size, base, size, true));
    EXPECT_FALSE(IsOwnFault(0xC0000005u, base - 1, base, size, true));
    // A jump through a broken pointer: no module's code runs there.
    EXPECT_TRUE(IsOwnFault(0xC0000005u, 0, base, size, false));
    EXPECT_TRUE(IsOwnFault(0xC0000005u, 0x10000000u, base, size, false));
    // Breakpoints, debugger notices and C++ throws are not faults.
    EXPECT_FALSE(IsOwnFault(0x80000003u, base + 0x100, base, size, true));
    EXPECT_FALSE(IsOwnFault(0x40010006u, base + 0x100, base, size, true));
    EXPECT_FALSE(IsOwnFault(0x20474343u, base + 0x100, base, size, true));
    EXPECT_FALSE(IsOwnFault(0xC00000FEu, base + 0x100, base, size, true));
    EXPECT_FALSE(IsOwnFault(0x20474343u, 0, base, size, false));
}
