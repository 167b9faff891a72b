// Fuzzes the move-item captions: any window title gives a caption of the item's
// shape, never with half a character.
#include "errors/Utf8.h"
#include "screens/MoveCaptions.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string title(reinterpret_cast<const char*>(data + 1), size - 1);
    const int screen = 1 + data[0] % 9;
    const auto d = static_cast<MoveDirection>(data[0] / 9 % 3);

    std::string shortTitle = ShortenTitle(title);
    // At most 41 characters, and never half of one.
    if (Utf8Length(shortTitle) > 41 || ShortenTitle(shortTitle) != shortTitle) std::abort();
    if (IsValidUtf8(title) && !IsValidUtf8(shortTitle)) std::abort();
    const std::string caption = MoveCaption(screen, title, d);
    const std::string head = "Move " + std::to_string(screen) + ": " + shortTitle;
    if (caption.compare(0, head.size(), head) != 0) std::abort();
    if (IsValidUtf8(title) && !IsValidUtf8(caption)) std::abort();
    return 0;
}
