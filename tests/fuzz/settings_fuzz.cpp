// Any setdata.ini content: reading it in pieces, as the file hands them over, gives what reading
// it at once gives, and the values written back at exit read back the same.
#include "settings/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const SettingsValues whole = readSettingsValues(std::string(text, size));
    SettingsReader reader;
    // The input's own bytes choose the piece sizes, 1 to 32 bytes.
    for (std::size_t at = 0, piece; at < size; at += piece) {
        piece = std::min<std::size_t>(size - at, 1 + data[size - 1 - at] % 32);
        reader.feed(text + at, piece);
    }
    if (reader.finish() != whole || readSettingsValues(formatSettings(whole)) != whole) {
        std::abort();
    }
    return 0;
}
