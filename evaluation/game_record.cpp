#include "evaluation/game_record.h"

#include "evaluation/score.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr char DatePattern[] = "0000-00-00 00:00:00"; // '0' stands for any digit
constexpr std::size_t DateLength = sizeof DatePattern - 1;
constexpr int ValueCount = 6;
constexpr std::size_t ValueMaxLength = 11; // "-2147483648"
// Anything longer cannot be valid, so a huge line costs no more than its line-end search.
constexpr std::size_t LineMaxLength = DateLength + ValueCount * (1 + ValueMaxLength);

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool parseDate(const char* begin, const char* end, std::string& date) {
    if (static_cast<std::size_t>(end - begin) != DateLength) {
        return false;
    }
    for (std::size_t i = 0; i < DateLength; ++i) {
        if (DatePattern[i] == '0' ? !isDigit(begin[i]) : begin[i] != DatePattern[i]) {
            return false;
        }
    }
    date.assign(begin, end);
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

bool parseLine(const char* begin, const char* end, GameRecord& game) {
    if (begin != end && end[-1] == '\r') {
        --end;
    }
    if (static_cast<std::size_t>(end - begin) > LineMaxLength) {
        return false;
    }
    const char* fieldEnd = std::find(begin, end, ',');
    if (fieldEnd == end || !parseDate(begin, fieldEnd, game.date)) {
        return false;
    }
    int32_t* const values[ValueCount] = {&game.grade,    &game.symbols, &game.seconds,
                                         &game.problems, &game.misses,  &game.total};
    // fieldEnd is at a comma each time round; the last value runs to the line's end.
    for (int i = 0; i < ValueCount; ++i) {
        const bool last = i + 1 == ValueCount;
        const char* fieldBegin = fieldEnd + 1;
        fieldEnd = last ? end : std::find(fieldBegin, end, ',');
        if (!parseValue(fieldBegin, fieldEnd, *values[i]) || (!last && fieldEnd == end)) {
            return false;
        }
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

std::string recordAppendText(uint64_t fileSize, char lastByte, const std::string& lines) {
    return (fileSize == 0 ? recordHeader() : lastByte != '\n' ? "\r\n" : "") + lines;
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
    if (!atFileStart) {
        const std::size_t cut = bytes.find('\n');
        if (cut == std::string::npos) {
            return {};
        }
        start = cut + 1;
    }
    // From the end backwards, so that a long record stops being read after the games it keeps.
    std::vector<GameRecord> games;
    const char* const text = bytes.data();
    std::size_t end = bytes.size();
    for (;;) {
        std::size_t begin = end;
        while (begin > start && text[begin - 1] != '\n') {
            --begin;
        }
        GameRecord game{};
        if (parseLine(text + begin, text + end, game)) {
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
