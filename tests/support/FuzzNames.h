// What the fuzz targets of launch lists share: a check that stops the run, and
// which names "exist", chosen by the input's first byte.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <string>

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// A mix of answers that depends on the name and the mask; a name with a double
// quote never exists, as on Windows.
inline bool NameExists(uint8_t mask, const std::string& p) {
    if (p.find('"') != std::string::npos) return false;
    const auto h = static_cast<uint8_t>(p.size() * 31u + (p.empty() ? 0 : p.back()));
    return (h & mask) != 0;
}
