// Saving a file whole or not at all. The file name is UTF-8.
#pragma once
#include <string>

// Replaces the file with bytes (or makes it), or leaves it as it was: the bytes
// are written whole beside it first and then take its place, as the same file
// (ReplaceFileW; MoveFileExW for a new one). False, with the old file whole and
// nothing left beside it, when they could not be; the reason is the thread's
// last error.
bool WriteFileBytes(const std::string& name, const std::string& bytes);
