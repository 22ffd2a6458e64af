#include "evaluation/game_record.h"

#include "core/game_state.h"
#include "evaluation/score.h"
#include "settings/settings_state.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string_view>
#include <unordered_set>

namespace {

constexpr int ValueCount = 6;
constexpr std::size_t ValueMaxLength = 11; // "-2147483648"
// Anything longer cannot be valid, so a huge line costs no more than its line-end search: every
// field quoted, a date of 19 characters, the grade 10 and five values of 11 characters.
constexpr std::size_t LineMaxLength = (19 + 2) + (1 + 2 + 2) + 5 * (1 + ValueMaxLength + 2);

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// From minimum to maximum digits at `at`, which moves past them.
bool readDigits(const char*& at, const char* end, int minimum, int maximum, int32_t& value) {
    value = 0;
    int count = 0;
    for (; at != end && isDigit(*at) && count < maximum; ++at, ++count) {
        value = value * 10 + (*at - '0');
    }
    return count >= minimum;
}

bool readChar(const char*& at, const char* end, char c) {
    if (at == end || *at != c) {
        return false;
    }
    ++at;
    return true;
}

// The date as this game writes it or as a spreadsheet saves it again ("2026/12/7 20:42"), in the
// form this game writes.
bool parseDate(const char* at, const char* end, std::string& date) {
    int32_t year, month, day, hour, minute, second = 0;
    const bool slashes = end - at > 4 && at[4] == '/';
    const char separator = slashes ? '/' : '-';
    const int dayDigits = slashes ? 1 : 2;
    if (!readDigits(at, end, 4, 4, year) || !readChar(at, end, separator) ||
        !readDigits(at, end, dayDigits, 2, month) || !readChar(at, end, separator) ||
        !readDigits(at, end, dayDigits, 2, day) || !readChar(at, end, ' ') ||
        !readDigits(at, end, 1, 2, hour) || !readChar(at, end, ':') ||
        !readDigits(at, end, 2, 2, minute) ||
        (at != end && (!readChar(at, end, ':') || !readDigits(at, end, 2, 2, second))) ||
        at != end) {
        return false;
    }
    char text[20];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day), static_cast<int>(hour),
                  static_cast<int>(minute), static_cast<int>(second));
    date = text;
    return true;
}

// Optional '-', then 1 to 10 digits, within int32.
bool parseValue(const char* begin, const char* end, int32_t& value) {
    const bool negative = begin != end && *begin == '-';
    if (negative) {
        ++begin;
    }
    if (begin == end || end - begin > 10) {
        return false;
    }
    int64_t magnitude = 0;
    for (const char* at = begin; at != end; ++at) {
        if (!isDigit(*at)) {
            return false;
        }
        magnitude = magnitude * 10 + (*at - '0');
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<int32_t>::min() ||
        signedValue > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    value = static_cast<int32_t>(signedValue);
    return true;
}

// A field in double quotes loses them; no valid field holds a quote or a comma of its own.
void unquote(const char*& begin, const char*& end) {
    if (end - begin >= 2 && *begin == '"' && end[-1] == '"') {
        ++begin;
        --end;
    }
}

bool parseLine(const char* begin, const char* end, GameRecord& game) {
    if (static_cast<std::size_t>(end - begin) > LineMaxLength) {
        return false;
    }
    int32_t* const values[ValueCount] = {&game.grade,    &game.symbols, &game.seconds,
                                         &game.problems, &game.misses,  &game.total};
    // The date, then the values; each field runs to its comma, the last one to the line's end.
    const char* fieldBegin = begin;
    for (int i = 0; i <= ValueCount; ++i) {
        const bool last = i == ValueCount;
        const char* const fieldEnd = last ? end : std::find(fieldBegin, end, ',');
        if (!last && fieldEnd == end) {
            return false;
        }
        const char* from = fieldBegin;
        const char* to = fieldEnd;
        unquote(from, to);
        if (!(i == 0 ? parseDate(from, to, game.date) : parseValue(from, to, *values[i - 1]))) {
            return false;
        }
        fieldBegin = fieldEnd + 1;
    }
    return game.grade >= 1 && game.grade <= 10;
}

} // namespace

uint64_t recordTailStart(uint64_t fileSize) {
    return fileSize > RecordTailBytes ? fileSize - RecordTailBytes : 0;
}

std::string recordHeader() {
    return "date,grade,symbols,seconds,problems,misses,total\r\n";
}

std::string recordLine(const LocalTime& time, int32_t gradeIndex, const ScoreBasis& basis,
                       int32_t missCount) {
    // The game plays an index outside 0..9 as the nearest grade, so that is the grade played.
    const int32_t grade = 10 - std::clamp(gradeIndex, int32_t{0}, int32_t{9});
    char line[160]; // twelve values of up to 11 characters and their separators
    std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d,%d,%d,%d,%d,%d,%d\r\n",
                  static_cast<int>(time.year), static_cast<int>(time.month),
                  static_cast<int>(time.day), static_cast<int>(time.hour),
                  static_cast<int>(time.minute), static_cast<int>(time.second),
                  static_cast<int>(grade), static_cast<int>(basis.symbols),
                  static_cast<int>(basis.seconds), static_cast<int>(basis.solved),
                  static_cast<int>(missCount), static_cast<int>(evaluationTotal(basis, missCount)));
    return line;
}

std::string unwrittenRecordLines;

void resetRecordState() {
    unwrittenRecordLines.clear();
}

const std::string& recordFinishedGame(const LocalTime& now) {
    unwrittenRecordLines += recordLine(now, gradeIndex, gameState.scoreBasis, gameState.missCount);
    return unwrittenRecordLines;
}

std::string recordAppendText(uint64_t fileSize, char lastByte, const std::string& lines) {
    return (fileSize == 0 ? recordHeader() : isLineEnd(lastByte) ? "" : "\r\n") + lines;
}

std::string linesNotInRecord(const std::string& recordTail, const std::string& lines) {
    const auto eachLine = [](const std::string& text, const auto& take) {
        for (std::size_t begin = 0; begin < text.size();) {
            const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
            if (end > begin) {
                take(std::string_view(text).substr(begin, end - begin));
            }
            begin = end + 1;
        }
    };
    std::unordered_set<std::string_view> there;
    eachLine(recordTail, [&](std::string_view line) { there.insert(line); });
    const std::string header = recordHeader();
    there.insert(std::string_view(header).substr(0, header.size() - 2));
    std::string missing;
    eachLine(lines, [&](std::string_view line) {
        if (there.count(line) == 0) {
            missing.append(line).append("\r\n");
        }
    });
    return missing;
}

std::string recordKept(const std::string& bytes, std::size_t limit) {
    if (bytes.size() <= limit) {
        return bytes;
    }
    const std::string header = recordHeader();
    const std::size_t room = limit > header.size() ? limit - header.size() : 0;
    // From the first line that begins inside the last `room` bytes.
    std::size_t start = bytes.size() - room;
    if (bytes[start - 1] != '\n') {
        const std::size_t lineEnd = bytes.find('\n', start);
        start = lineEnd == std::string::npos ? bytes.size() : lineEnd + 1;
    }
    return header + bytes.substr(start);
}

std::vector<GameRecord> parseRecords(const std::string& bytes, bool atFileStart) {
    std::size_t start = 0;
    if (atFileStart) {
        start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    } else {
        const std::size_t cut = bytes.find_first_of("\r\n");
        if (cut == std::string::npos) {
            return {};
        }
        start = cut + 1;
    }
    // From the end backwards, so that a long record stops being read after the games it keeps.
    // A CR LF gives an empty line between its two bytes, which is passed over.
    std::vector<GameRecord> games;
    const char* const text = bytes.data();
    std::size_t end = bytes.size();
    for (;;) {
        std::size_t begin = end;
        while (begin > start && !isLineEnd(text[begin - 1])) {
            --begin;
        }
        GameRecord game{};
        if (begin < end && parseLine(text + begin, text + end, game)) {
            games.push_back(std::move(game));
        }
        if (begin == start || games.size() == RecordGamesKept) {
            break;
        }
        end = begin - 1;
    }
    std::reverse(games.begin(), games.end());
    return games;
}
