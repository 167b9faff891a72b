// The program's string table holds every error text exactly as built in.
#include "errors/ErrorTextIds.h"
#include "errors/err.h"
#include "support/OtherProgram.h"
#include <gtest/gtest.h>

TEST(ErrTextsOnWindows, TheProgramsStringTableHoldsEveryText) {
    HMODULE program =
        LoadLibraryExA((TestBinDir() + "paravue.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    for (int id = IDS_ERROR_TEXT_FIRST; id <= IDS_ERROR_TEXT_LAST; ++id) {
        std::string text;
        const bool found = err::LoadTextFrom(program, id, text);
        if (const char* builtIn = err::BuiltInText(id)) {
            EXPECT_TRUE(found) << id;
            EXPECT_EQ(text, builtIn) << id;
        } else {
            EXPECT_FALSE(found) << id << ": " << text;
        }
    }
    FreeLibrary(program);
    // This test program has no string table: nothing is found there.
    std::string text;
    EXPECT_FALSE(err::LoadTextFrom(nullptr, IDS_EXCEPTION_REPORT, text));
}
