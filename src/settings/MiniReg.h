// Registry helpers. A path names the key and the value in one text: the key path,
// a backslash, the value name. An empty value name means the key's default value.
#pragma once
#include <cstdint>
#include <string>

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

// ---- Win32 ----
// Creates missing keys on the way. True when the value was stored; on false the
// thread's last error holds the registry's reason.
bool WriteRegValue(HKEY__* root, const std::string& path, uint32_t type, uint32_t size,
                   const void* data);
// True when a value of exactly the expected type was read; data then holds its
// bytes (data.size() is the stored size). data is emptied on false. extraAccess
// is added to the key's read access (the view of a 64-bit registry, say).
bool ReadRegValue(HKEY__* root, const std::string& path, uint32_t expectedType, std::string& data,
                  uint32_t extraAccess = 0);
// Removes the value; the key stays. True when there is no such value afterwards.
bool DeleteRegValue(HKEY__* root, const std::string& path);
// Stores text followed by one zero byte as REG_SZ.
bool WriteRegString(HKEY__* root, const std::string& path, const std::string& text);
// True when a REG_SZ value was read; text is "" whenever the result is false.
bool ReadRegString(HKEY__* root, const std::string& path, std::string& text,
                   uint32_t extraAccess = 0);
