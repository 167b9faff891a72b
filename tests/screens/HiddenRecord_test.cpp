#include "screens/HiddenRecord.h"
#include <gtest/gtest.h>

TEST(HiddenRecord, WhatIsWrittenReadsBackAndDamageIsRefusedWhole) {
    HiddenWindowsRecord r;
    r.processId = 0xDEADBEEF;
    r.windows = {{0x10, "Owner"},
                 {0x20, ""},
                 {0xFFFFFFFF, std::string(255, 'x')},
                 {0x30, "a\0b"},
                 {0x40, "Отчёт \xF0\x9F\x98\x80"},
                 {0x50, std::string(5000, 'w')}};
    const std::string bytes = EncodeRecord(r);
    HiddenWindowsRecord back;
    ASSERT_TRUE(DecodeRecord(bytes, back));
    EXPECT_EQ(back.processId, r.processId);
    ASSERT_EQ(back.windows.size(), r.windows.size());
    for (size_t i = 0; i < r.windows.size(); ++i) {
        EXPECT_EQ(back.windows[i].handle, r.windows[i].handle);
        EXPECT_EQ(back.windows[i].title, r.windows[i].title);
    }
    EXPECT_FALSE(back.ansiTitles);
    // Beyond the limit a title is cut, never inside a character; a title that
    // is not UTF-8 goes in repaired rather than spoil the record.
    r.windows = {{1, std::string(kMaxRecordedTitle - 1, 'y') + "Ж"}, {2, "bad\xFF"}};
    ASSERT_TRUE(DecodeRecord(EncodeRecord(r), back));
    EXPECT_EQ(back.windows[0].title, std::string(kMaxRecordedTitle - 1, 'y'));
    EXPECT_EQ(back.windows[1].title, "bad\xEF\xBF\xBD");

    // Every cut-short record, a trailing byte, another version: refused, and
    // nothing of it is kept.
    back.windows = {{9, "stale"}};
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(DecodeRecord(bytes.substr(0, n), back)) << n;
    EXPECT_TRUE(back.windows.empty());
    EXPECT_FALSE(DecodeRecord(bytes + "x", back));
    std::string other = bytes;
    other[3] = '3';
    EXPECT_FALSE(DecodeRecord(other, back));
    // A title that is not UTF-8 in a record of this version.
    std::string broken = EncodeRecord({1, {{2, "ab"}}});
    broken.back() = '\xFF';
    EXPECT_FALSE(DecodeRecord(broken, back));
    // A count that promises more than the bytes hold.
    std::string huge = EncodeRecord({1, {}});
    huge[8] = huge[9] = huge[10] = huge[11] = '\xFF';
    EXPECT_FALSE(DecodeRecord(huge, back));
}

// The end after an unhandled error reads the handles alone: those of a whole
// record in its order, none of a record cut short (the fuzz target holds the
// reader to DecodeRecord on any other bytes).
TEST(HiddenRecord, TheHandlesAreReadInOrderFromAWholeRecordOnly) {
    const std::string bytes = EncodeRecord({7, {{0x30, "Owner"}, {0x10, ""}, {0xFFFFFFFF, "x"}}});
    for (size_t n = 0; n <= bytes.size(); ++n) {
        std::vector<uint32_t> seen;
        const bool whole = VisitRecordedHandles(
            bytes.data(), n,
            [](uint32_t h, void* c) { static_cast<std::vector<uint32_t>*>(c)->push_back(h); },
            &seen);
        EXPECT_EQ(whole, n == bytes.size()) << n;
        const std::vector<uint32_t> all = {0x30, 0x10, 0xFFFFFFFF};
        EXPECT_EQ(seen, whole ? all : std::vector<uint32_t>()) << n;
    }
}

TEST(HiddenRecord, ARecordOfTheFirstVersionIsStillRead) {
    // "PVH1", process 7, two windows, one length byte per title (code page bytes).
    const std::string v1("PVH1\x07\0\0\0\x02\0\0\0"
                         "\x10\0\0\0\x04"
                         "Caf\xE9"
                         "\x20\0\0\0\x00",
                         26);
    HiddenWindowsRecord back;
    ASSERT_TRUE(DecodeRecord(v1, back));
    EXPECT_TRUE(back.ansiTitles);
    EXPECT_EQ(back.processId, 7u);
    ASSERT_EQ(back.windows.size(), 2u);
    EXPECT_EQ(back.windows[0].handle, 0x10u);
    EXPECT_EQ(back.windows[0].title, "Caf\xE9");
    EXPECT_EQ(back.windows[1].title, "");
    for (size_t n = 0; n < v1.size(); ++n)
        EXPECT_FALSE(DecodeRecord(v1.substr(0, n), back)) << n;
}

TEST(HiddenRecord, TheGuardsCommandLine) {
    GuardArgs a{12, 34, 56, 4000000000u};
    GuardArgs b;
    const std::string line = "\"C:\\Program Files\\pv\\paravue.exe\" " + FormatGuardArgs(a);
    ASSERT_TRUE(ParseGuardArgs(line.c_str(), b));
    EXPECT_EQ(b.process, 12u);
    EXPECT_EQ(b.section, 34u);
    EXPECT_EQ(b.event, 56u);
    EXPECT_EQ(b.processId, 4000000000u);
    // A launch list and anything short of the exact form is no guard.
    for (const char* no :
         {"paravue.exe", "paravue.exe list.txt", "paravue.exe /ParavueGuard 1 2 3",
          "paravue.exe /ParavueGuard 1 2 3 4 5", "paravue.exe /paravueguard 1 2 3 4",
          "paravue.exe /ParavueGuard 1 2 x 4", "paravue.exe /ParavueGuard 1 2 -3 4",
          "paravue.exe /ParavueGuard 1 2 3 99999999999", "paravue.exe \"/ParavueGuard 1\" 2 3 4"})
        EXPECT_FALSE(ParseGuardArgs(no, b)) << no;
    EXPECT_FALSE(ParseGuardArgs(nullptr, b));
}
