#include "settings/MiniReg.h"
#include "settings/Settings.h"
#include "settings/WindowRules.h"
#include "errors/MessageBox.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {
const char* const kKey = "SOFTWARE\\Quenbrook\\Paravue";

// Removes the program's keys so that every test starts as on a new machine.
void DeleteProgramKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenbrook");
}

bool KeyExists(HKEY root, const char* path) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Stores raw bytes straight through the registry, bypassing the helpers under test.
void StoreRaw(const char* name, DWORD type, const std::string& bytes) {
    HKEY key;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void StoreText(const char* name, const std::string& text) {
    StoreRaw(name, REG_SZ, text + '\0');
}

// Type and bytes of a stored value read straight from the registry; type 0 when absent.
struct RawValue {
    DWORD type = 0;
    std::string bytes;
};
RawValue LoadRaw(HKEY root, const char* keyPath, const char* name) {
    RawValue v;
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    char buffer[256];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(buffer), &size) ==
        ERROR_SUCCESS)
        v.bytes.assign(buffer, size);
    else
        v.type = 0;
    RegCloseKey(key);
    return v;
}

struct Position : PositionTarget {
    int32_t left = 902, top = 715;
    int32_t GetLeft() override { return left; }
    int32_t GetTop() override { return top; }
    void SetLeft(int32_t v) override { left = v; }
    void SetTop(int32_t v) override { top = v; }
};

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteProgramKey();
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
        TransparencyOn = false;
    }
    void TearDown() override {
        DeleteProgramKey();
        TransparencyOn = false;
    }
};
} // namespace

TEST_F(RegistryTest, FirstRunKeepsDefaultsAndTheSaveCreatesTheUsersKey) {
    Position form;
    LoadSettings(form);
    EXPECT_FALSE(TransparencyOn);
    EXPECT_EQ(form.left, 902);
    EXPECT_EQ(form.top, 715);
    // Loading writes nothing, not even the key.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));

    form.left = 300;
    form.top = 40;
    EXPECT_TRUE(SaveSettings(form));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey)) << "only the user's key is written";
    RawValue transparent = LoadRaw(HKEY_CURRENT_USER, kKey, "Transparent");
    RawValue left = LoadRaw(HKEY_CURRENT_USER, kKey, "Left");
    RawValue top = LoadRaw(HKEY_CURRENT_USER, kKey, "Top");
    EXPECT_EQ(transparent.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(transparent.bytes, "0\0"s);
    EXPECT_EQ(left.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(left.bytes, "300\0"s);
    EXPECT_EQ(top.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(top.bytes, "40\0"s);

    // The next run starts from what was saved.
    TransparencyOn = true;
    form.left = -20;
    SaveSettings(form);
    TransparencyOn = false;
    Position next;
    LoadSettings(next);
    EXPECT_TRUE(TransparencyOn);
    EXPECT_EQ(next.left, -20);
    EXPECT_EQ(next.top, 40);
    EXPECT_EQ(LoadRaw(HKEY_CURRENT_USER, kKey, "Left").bytes, "-20\0"s);
}

TEST_F(RegistryTest, TransparentIsOnOnlyForExactlyOne) {
    Position form;
    StoreText("Transparent", "1");
    LoadSettings(form);
    EXPECT_TRUE(TransparencyOn);

    for (const char* off : {"0", "true", "1 "}) {
        TransparencyOn = true;
        StoreText("Transparent", off);
        LoadSettings(form);
        EXPECT_FALSE(TransparencyOn) << off;
    }
    // An empty text leaves the current value, on or off.
    StoreText("Transparent", "");
    TransparencyOn = true;
    LoadSettings(form);
    EXPECT_TRUE(TransparencyOn);
    TransparencyOn = false;
    LoadSettings(form);
    EXPECT_FALSE(TransparencyOn);
}

TEST_F(RegistryTest, PositionTextsGiveTheirLeadingNumber) {
    struct Case {
        const char* text;
        int32_t left;
    } cases[] = {{"-20", -20}, {"12abc", 12}, {"abc", 0}};
    for (const Case& c : cases) {
        StoreText("Left", c.text);
        Position form;
        LoadSettings(form);
        EXPECT_EQ(form.left, c.left) << c.text;
        // Top is not stored: it keeps its default.
        EXPECT_EQ(form.top, 715) << c.text;
    }
}

TEST_F(RegistryTest, ValuesOfAnotherTypeOrWithoutBytesChangeNothing) {
    DWORD number = 300;
    StoreRaw("Left", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4));
    StoreRaw("Top", REG_SZ, "");
    StoreRaw("Transparent", REG_DWORD, std::string("\1\0\0\0", 4));
    TransparencyOn = false;
    Position form;
    LoadSettings(form);
    EXPECT_EQ(form.left, 902);
    EXPECT_EQ(form.top, 715);
    EXPECT_FALSE(TransparencyOn);

    std::string text = "stale";
    EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kLeftPath, text));
    EXPECT_EQ(text, "");
    // A zero-byte string is read, and is empty.
    text = "stale";
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kTopPath, text));
    EXPECT_EQ(text, "");
    // The raw value of the expected type is handed over whole.
    std::string bytes;
    EXPECT_TRUE(ReadRegValue(HKEY_LOCAL_MACHINE, kLeftPath, REG_DWORD, bytes));
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(&number), 4));
    EXPECT_FALSE(ReadRegValue(HKEY_LOCAL_MACHINE, kLeftPath, REG_SZ, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(RegistryTest, AStringStoredWithoutItsTerminatorKeepsEveryCharacter) {
    ASSERT_TRUE(WriteRegValue(HKEY_LOCAL_MACHINE, kLeftPath, REG_SZ, 2, "12"));
    std::string text;
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kLeftPath, text));
    EXPECT_EQ(text, "12");
    Position form;
    LoadSettings(form);
    EXPECT_EQ(form.left, 12);
}

TEST_F(RegistryTest, MissingValuesAndKeysReadAsFalse) {
    std::string text = "stale";
    EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kTopPath, text));
    EXPECT_EQ(text, "");
    StoreText("Left", "5");
    text = "stale";
    EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kTopPath, text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kLeftPath, text));
    EXPECT_EQ(text, "5");
}

TEST_F(RegistryTest, DeletingAValueKeepsTheKeyAndTheOtherValues) {
    StoreText("Left", "5");
    StoreText("Top", "6");
    EXPECT_TRUE(DeleteRegValue(HKEY_LOCAL_MACHINE, kLeftPath));
    EXPECT_EQ(LoadRaw(HKEY_LOCAL_MACHINE, kKey, "Left").type, 0u);
    EXPECT_EQ(LoadRaw(HKEY_LOCAL_MACHINE, kKey, "Top").bytes, "6\0"s);
    // Gone already, or never there: nothing to do, and nothing is created.
    EXPECT_TRUE(DeleteRegValue(HKEY_LOCAL_MACHINE, kLeftPath));
    DeleteProgramKey();
    EXPECT_TRUE(DeleteRegValue(HKEY_LOCAL_MACHINE, kLeftPath));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
}

TEST_F(RegistryTest, APathWithoutBackslashIsRefusedWithoutTouchingTheRegistry) {
    const char* name = "ParavueNoKeyPath";
    RegDeleteValueA(HKEY_CURRENT_USER, name);
    EXPECT_FALSE(WriteRegString(HKEY_CURRENT_USER, name, "x"));
    EXPECT_EQ(LoadRaw(HKEY_CURRENT_USER, "", name).type, 0u);

    // Even when the root holds a value of that name, it is not read.
    ASSERT_EQ(
        RegSetValueExA(HKEY_CURRENT_USER, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2),
        ERROR_SUCCESS);
    std::string text = "stale";
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, name, text));
    EXPECT_EQ(text, "");
    RegDeleteValueA(HKEY_CURRENT_USER, name);
}

TEST_F(RegistryTest, AnEmptyValueNameAddressesTheDefaultValue) {
    const std::string path = std::string(kKey) + "\\";
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, path, "unnamed"));
    RawValue raw = LoadRaw(HKEY_LOCAL_MACHINE, kKey, nullptr);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw.bytes, "unnamed\0"s);
    std::string text;
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, path, text));
    EXPECT_EQ(text, "unnamed");
    // No named value was made on the way.
    EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kKey, text));
}

namespace {
const char* const kStoreWow =
    "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Quenbrook\\Paravue";
const char* const kStore = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Quenbrook\\Paravue";

void StoreUserText(const char* keyPath, const char* name, const std::string& text) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::string shownBox;
int NoteBox(void*, const char* text, const char*, unsigned) {
    shownBox += text;
    return IDOK;
}
bool RefuseWrite(const char*, const std::string&) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}
} // namespace

// Taken away one by one from the front, each source in turn decides the value.
TEST_F(RegistryTest, EachValueComesFromTheUserThenTheCopiesOfWindowsThenTheMachine) {
    StoreText("Left", "4");
    StoreUserText(kStore, "Left", "3");
    StoreUserText(kStoreWow, "Left", "2");
    StoreUserText(kKey, "Left", "1");
    StoreText("Top", "33"); // Top only in the machine key: each value on its own
    for (int expected = 1; expected <= 4; ++expected) {
        Position form;
        LoadSettings(form);
        EXPECT_EQ(form.left, expected);
        EXPECT_EQ(form.top, 33);
        RegDeleteKeyA(HKEY_CURRENT_USER, expected == 1 ? kKey : expected == 2 ? kStoreWow : kStore);
    }
    std::string hotkey;
    StoreText("Hotkey", "Ctrl+F5");
    EXPECT_TRUE(ReadHotkeySetting(hotkey));
    EXPECT_EQ(hotkey, "Ctrl+F5") << "an administrator's key for everyone";
    EXPECT_FALSE(ReadHotkeySetting(hotkey, kMoveHotkeyPath))
        << "the move key has a value of its own";
    StoreText("MoveHotkey", "Win+M");
    StoreUserText(kKey, "MoveHotkey", "");
    EXPECT_TRUE(ReadHotkeySetting(hotkey, kMoveHotkeyPath));
    EXPECT_EQ(hotkey, "") << "the user's empty value: no move key, whatever the machine says";
    ASSERT_TRUE(ReadHotkeySetting(hotkey));
    EXPECT_EQ(hotkey, "Ctrl+F5");
    RegDeleteKeyA(HKEY_CURRENT_USER, kStore);
    RegDeleteKeyA(HKEY_CURRENT_USER, kStoreWow);
}

TEST_F(RegistryTest, ARefusedWriteIsToldOnceWithItsReason) {
    MessageBoxFn oldBox = SetMessageBoxFunction(NoteBox);
    shownBox.clear();
    Position form;
    ReportSettingsNotKept();
    EXPECT_EQ(shownBox, "") << "nothing failed, nothing told";

    WriteSettingFn oldWriter = SetSettingsWriter(RefuseWrite);
    EXPECT_FALSE(SaveSettings(form));
    SetSettingsWriter(oldWriter);
    ReportSettingsNotKept();
    ReportSettingsNotKept();
    SetMessageBoxFunction(oldBox);
    EXPECT_EQ(shownBox.find("Para-Vue could not keep its settings"), 0u) << shownBox;
    EXPECT_NE(shownBox.find("HKEY_CURRENT_USER\\Software\\Quenbrook\\Paravue:\r\n"),
              std::string::npos);
    EXPECT_EQ(shownBox.find("unknown error"), std::string::npos) << "the system's reason";
    EXPECT_EQ(shownBox.find("could not", 10), std::string::npos) << "once: " << shownBox;
}

TEST_F(RegistryTest, LinesKeepEveryScriptAndNamesMatchInAnyCase) {
    // "éditeur.exe=both", "Ωmega.exe=2" and a line that is no rule.
    const std::vector<std::string> lines{"\xc3\xa9"
                                         "diteur.exe=both",
                                         "\xce\xa9mega.exe=2", "; mine"};
    const std::string path = std::string(kKey) + "\\WindowRules";
    ASSERT_TRUE(WriteRegLines(HKEY_CURRENT_USER, path, lines));
    std::vector<std::string> read{"stale"};
    ASSERT_TRUE(ReadRegLines(HKEY_CURRENT_USER, path, read));
    EXPECT_EQ(read, lines);
    // Another type reads as no lines.
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, path, "x.exe=both"));
    EXPECT_FALSE(ReadRegLines(HKEY_CURRENT_USER, path, read));
    EXPECT_TRUE(read.empty());
    // "ÉDITEUR.EXE" and "ωMEGA.EXE": the system folds case in every script.
    EXPECT_TRUE(SameProgramName("\xc3\x89"
                                "DITEUR.EXE",
                                "\xc3\xa9"
                                "diteur.exe"));
    EXPECT_EQ(RuleOf(lines, "\xcf\x89MEGA.EXE", 2, SameProgramName), 2);
    EXPECT_FALSE(SameProgramName("editeur.exe", "\xc3\xa9"
                                                "diteur.exe"));
}
