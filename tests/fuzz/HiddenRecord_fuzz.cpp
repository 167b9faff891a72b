// Fuzzes the reader of the record of hidden windows, which the next start reads
// from the registry whatever state an ended run left it in: any bytes are
// either refused or read into a record that writes back to the very same bytes.
#include "screens/HiddenRecord.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    HiddenWindowsRecord record;
    if (DecodeRecord(bytes, record) && EncodeRecord(record) != bytes) std::abort();
    GuardArgs args;
    ParseGuardArgs(bytes.c_str(), args);
    return 0;
}
