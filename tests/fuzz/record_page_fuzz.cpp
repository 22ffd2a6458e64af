// Any record.csv read on any clock, with any grade chosen: the help page's record section comes out
// whole (every drawing and table closed, the calendar 53 weeks long) and without a fault that the
// sanitizers see.
#include "shell/record_page.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// The times part occurs in text.
static std::size_t count(const std::string& text, const char* part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// The first six bytes choose the clock (year, month and day, off the calendar as often as not),
// the grade index and whether the bytes are the record's start; the rest is the record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 6) {
        return 0;
    }
    const int32_t year = data[0] | data[1] << 8;
    const LocalTime today{year, static_cast<int8_t>(data[2]), static_cast<int8_t>(data[3]), 12, 0,
                          0};
    const std::string bytes(reinterpret_cast<const char*>(data) + 6, size - 6);
    const std::vector<GameRecord> games = parseRecords(bytes, (data[5] & 1) != 0);
    const std::string html = recordSection(games, today, static_cast<int8_t>(data[4]));
    const std::size_t calendar = html.find("<svg class=\"calendar\"");
    const std::size_t days =
        calendar == std::string::npos
            ? 0
            : count(html.substr(calendar, html.find("</svg>", calendar) - calendar), "<rect");
    const bool whole = count(html, "<svg") == count(html, "</svg>") &&
                       count(html, "<table") == count(html, "</table>") &&
                       (games.empty() ? days == 0 : days >= 52 * 7 + 1 && days <= 53 * 7);
    if (!whole) {
        std::abort();
    }
    return 0;
}
