#include "settings/Settings.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
// The stored texts by full path, and every write made.
std::map<std::string, std::string> stored;
std::vector<std::string> writes;

bool ReadStored(const char* path, std::string& text) {
    auto it = stored.find(path);
    text = it == stored.end() ? "" : it->second;
    return it != stored.end();
}

bool WriteStored(const char* path, const std::string& text) {
    writes.push_back(path);
    stored[path] = text;
    return true;
}

struct Position : PositionTarget {
    int32_t left = 902, top = 715;
    bool throwOnLeft = false;
    int sets = 0;
    int32_t GetLeft() override { return left; }
    int32_t GetTop() override { return top; }
    void SetLeft(int32_t v) override {
        ++sets;
        if (throwOnLeft) throw std::runtime_error("bad position");
        left = v;
    }
    void SetTop(int32_t v) override {
        ++sets;
        top = v;
    }
};

class SettingsLogic : public ::testing::Test {
  protected:
    void SetUp() override {
        stored.clear();
        writes.clear();
        TransparencyOn = false;
    }
    void TearDown() override { TransparencyOn = false; }
};
} // namespace

TEST(SettingsDecision, OnlyExactlyOneTurnsTransparencyOn) {
    EXPECT_TRUE(TransparencyFromText("1", false));
    for (const char* off : {"0", "01", "yes", "true", "1 ", " 1"}) {
        EXPECT_FALSE(TransparencyFromText(off, false)) << off;
        EXPECT_FALSE(TransparencyFromText(off, true)) << off;
    }
    // An empty text decides nothing.
    EXPECT_TRUE(TransparencyFromText("", true));
    EXPECT_FALSE(TransparencyFromText("", false));
}

TEST(SettingsDecision, AStoredScreenCountOutsideTwoToNineIsTheNearestOfThem) {
    const struct {
        uint32_t stored;
        int screens;
    } rows[] = {{0, 2}, {1, 2},  {2, 2},           {3, 3},
                {9, 9}, {10, 9}, {0x80000000u, 9}, {0xFFFFFFFFu, 9}};
    for (const auto& row : rows)
        EXPECT_EQ(ScreenCountFromValue(row.stored), row.screens) << row.stored;
}

TEST_F(SettingsLogic, NothingStoredKeepsTheDefaultsAndWritesNothing) {
    Position form;
    LoadSettingsWith(ReadStored, form);
    EXPECT_FALSE(TransparencyOn);
    EXPECT_EQ(form.left, 902);
    EXPECT_EQ(form.top, 715);
    EXPECT_EQ(form.sets, 0);
    EXPECT_TRUE(writes.empty());
}

TEST_F(SettingsLogic, StoredTextsSetTransparencyAndPosition) {
    stored = {{kTransparentPath, "1"}, {kLeftPath, "12abc"}, {kTopPath, "-20"}};
    Position form;
    LoadSettingsWith(ReadStored, form);
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(form.left, 12);
    EXPECT_EQ(form.top, -20);
    EXPECT_TRUE(writes.empty());

    // Empty texts change nothing; a non-numeric one gives 0.
    stored = {{kTransparentPath, ""}, {kLeftPath, ""}, {kTopPath, "abc"}};
    LoadSettingsWith(ReadStored, form);
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(form.left, 12);
    EXPECT_EQ(form.top, 0);
}

TEST_F(SettingsLogic, AFailureWhileThePositionIsAppliedIsSwallowed) {
    stored = {{kTransparentPath, "1"}, {kLeftPath, "300"}, {kTopPath, "40"}};
    Position form;
    form.throwOnLeft = true;
    EXPECT_NO_THROW(LoadSettingsWith(ReadStored, form));
    // The transparency read before stays; the rest of the position is skipped.
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(form.left, 902);
    EXPECT_EQ(form.top, 715);
}

TEST_F(SettingsLogic, SaveWritesTheCurrentValuesAsDecimalTexts) {
    Position form;
    form.left = 300;
    form.top = -40;
    SaveSettingsWith(WriteStored, form);
    EXPECT_EQ(stored[kTransparentPath], "0");
    EXPECT_EQ(stored[kLeftPath], "300");
    EXPECT_EQ(stored[kTopPath], "-40");
    EXPECT_EQ(writes.size(), 3u);

    TransparencyOn = true;
    SaveSettingsWith(WriteStored, form);
    EXPECT_EQ(stored[kTransparentPath], "1");

    // What was saved loads back to the same state.
    TransparencyOn = false;
    Position next;
    LoadSettingsWith(ReadStored, next);
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(next.left, 300);
    EXPECT_EQ(next.top, -40);
}

namespace {
// What each source holds, by the key's full value path; every source asked, in order.
std::map<std::pair<bool, std::string>, std::string> sources;
std::vector<std::string> asked;

bool ReadSource(bool machine, const std::string& path, std::string& text) {
    asked.push_back((machine ? "HKLM\\" : "HKCU\\") + path);
    auto it = sources.find({machine, path});
    text = it == sources.end() ? "" : it->second;
    return it != sources.end();
}

const std::string kUser = "Software\\Quenbrook\\Paravue\\Left";
const std::string kStoreWow =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Quenbrook\\Paravue\\Left";
const std::string kStore =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Quenbrook\\Paravue\\Left";
const std::string kMachine = "SOFTWARE\\Quenbrook\\Paravue\\Left";
} // namespace

// Each source answers when the ones before it hold nothing; a value that is there,
// even empty, ends the search.
TEST(SettingsChain, TheUserKeyThenBothPerUserCopiesThenTheMachineKey) {
    struct Row {
        std::vector<std::pair<bool, std::string>> holding; // each holds its own name
        const char* expected;
        size_t asks;
    } rows[] = {
        {{{false, kUser}, {false, kStoreWow}, {false, kStore}, {true, kMachine}}, "HKCU\\", 1},
        {{{false, kStoreWow}, {false, kStore}, {true, kMachine}},
         "HKCU\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node",
         2},
        {{{false, kStore}, {true, kMachine}},
         "HKCU\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Quenbrook",
         3},
        {{{true, kMachine}}, "HKLM\\", 4},
        {{}, "", 4},
    };
    for (const Row& r : rows) {
        sources.clear();
        asked.clear();
        for (const auto& h : r.holding)
            sources[h] = (h.first ? "HKLM\\" : "HKCU\\") + h.second;
        std::string text = "stale";
        const bool found = ReadSettingChain(ReadSource, kLeftPath, text);
        SCOPED_TRACE(r.expected);
        EXPECT_EQ(found, r.expected[0] != '\0');
        EXPECT_EQ(text.rfind(r.expected, 0), 0u) << text;
        EXPECT_EQ(asked.size(), r.asks);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"HKCU\\" + kUser, "HKCU\\" + kStoreWow,
                                               "HKCU\\" + kStore, "HKLM\\" + kMachine}));

    sources = {{{false, kUser}, ""}, {{true, kMachine}, "300"}};
    asked.clear();
    std::string text;
    EXPECT_TRUE(ReadSettingChain(ReadSource, kLeftPath, text));
    EXPECT_EQ(text, "") << "the user's own empty value stands";
}

TEST_F(SettingsLogic, AFailedWriteIsToldAndTheOthersAreStillWritten) {
    Position form;
    EXPECT_TRUE(SaveSettingsWith(WriteStored, form));
    writes.clear();
    const WriteSettingFn refuseLeft = [](const char* path, const std::string& text) {
        writes.push_back(path);
        return std::string(path) != kLeftPath && WriteStored(path, text);
    };
    EXPECT_FALSE(SaveSettingsWith(refuseLeft, form));
    EXPECT_EQ(std::count(writes.begin(), writes.end(), std::string(kTopPath)), 2)
        << "Top after Left";

    const std::string text = SettingsNotKeptText("Access denied.\r\n");
    EXPECT_EQ(text, "Para-Vue could not keep its settings (translucency and the strip's place) in "
                    "HKEY_CURRENT_USER\\Software\\Quenbrook\\Paravue:\r\nAccess denied.");
}
