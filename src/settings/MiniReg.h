// Registry helpers. A path names the key and the value in one text: the key path,
// a backslash, the value name. An empty value name means the key's default value.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The registry's root-key handle type, named without pulling in <windows.h>.
struct HKEY__;

// ---- portable ----
// 1-based position of the last c in text; 0 when there is none.
int LastCharPos(char c, const std::string& text);
// Splits path at its last backslash; false when it has none.
bool SplitRegPath(const std::string& path, std::string& keyPath, std::string& valueName);
// The text of stored REG_SZ bytes: the terminating zero is dropped when present.
// Values written without one keep every character.
std::string DecodeRegString(const std::string& bytes);
// The lines (UTF-8) of stored REG_MULTI_SZ bytes (UTF-16, little-endian): each ends
// with a zero, an empty one ends the list; a last line without its zero still counts.
std::vector<std::string> DecodeMultiString(std::string_view bytes);
// The bytes to store for lines; empty lines are left out, as the format has no room
// for them.
std::string EncodeMultiString(const std::vector<std::string>& lines);

// ---- Win32 ----
// Creates missing keys on the way. True when the value was stored; on false the
// thread's last error holds the registry's reason.
// wide: text types are given in UTF-16 and stored as they are.
bool WriteRegValue(HKEY__* root, const std::string& path, uint32_t type, uint32_t size,
                   const void* data, bool wide = false);
// True when a value of exactly the expected type was read; data then holds its
// bytes (data.size() is the stored size). data is emptied on false. extraAccess
// is added to the key's read access (the view of a 64-bit registry, say). wide
// reads text types as the system stores them (UTF-16), not in the ANSI code page.
bool ReadRegValue(HKEY__* root, const std::string& path, uint32_t expectedType, std::string& data,
                  uint32_t extraAccess = 0, bool wide = false);
// Removes the value; the key stays. True when there is no such value afterwards.
bool DeleteRegValue(HKEY__* root, const std::string& path);
// Stores text followed by one zero byte as REG_SZ.
bool WriteRegString(HKEY__* root, const std::string& path, const std::string& text);
// True when a REG_SZ value was read; text is "" whenever the result is false.
bool ReadRegString(HKEY__* root, const std::string& path, std::string& text,
                   uint32_t extraAccess = 0);
// REG_MULTI_SZ, in any script; lines is empty whenever the result is false.
bool ReadRegLines(HKEY__* root, const std::string& path, std::vector<std::string>& lines);
bool WriteRegLines(HKEY__* root, const std::string& path, const std::vector<std::string>& lines);
