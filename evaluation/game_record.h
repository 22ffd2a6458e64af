// The record of finished games, record.csv: the line each game adds and the games read back from
// the file's end. No platform calls; the shell does the file work.
#pragma once

#include "core/game_state.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct LocalTime {
    int32_t year, month, day, hour, minute, second;
};

struct GameRecord {
    std::string date; // "YYYY-MM-DD HH:MM:SS"
    int32_t grade;    // the number of its 級: 10 for 10級 ... 1 for 1級
    int32_t symbols, seconds, problems, misses, total;
};

constexpr char RecordFileName[] = "record.csv";
constexpr std::size_t RecordGamesKept = 1000; // games read back at the most
// The longest valid line is 93 bytes (a 19-byte date, six values of up to 11 characters, six
// commas, CR LF), so 1,001 of them (the first may be cut) fit with room to spare; reading only
// the end keeps the start of the game quick however long the record grows.
constexpr std::size_t RecordTailBytes = 128 * 1024;

// Where reading the record back begins in a file of fileSize bytes: at its last RecordTailBytes.
uint64_t recordTailStart(uint64_t fileSize);

// The first line of a new file: "date,grade,symbols,seconds,problems,misses,total" and CR LF.
std::string recordHeader();

// One line, CR LF at its end, for a game that ended with this score basis and miss count while
// grade index gradeIndex (0 = 10級 ... 9 = 1級) was chosen. The values are those the evaluation
// showed; the total is evaluationTotal's.
std::string recordLine(const LocalTime& time, int32_t gradeIndex, const ScoreBasis& basis,
                       int32_t missCount);

// What appending lines (each ending in CR LF) to a record of fileSize bytes whose last byte is
// lastByte writes: a new file starts with the header, and a last line cut short (a crash, a full
// disk) is ended first, so that the new lines stay lines of their own.
std::string recordAppendText(uint64_t fileSize, char lastByte, const std::string& lines);

// The record as a store that holds at most limit bytes keeps it: as it is while it fits, else the
// header and the newest whole lines that fit with it. A limit above RecordTailBytes keeps every
// game the help page reads back.
std::string recordKept(const std::string& bytes, std::size_t limit);

// The games in bytes, oldest first, at most the last RecordGamesKept of them. bytes is the whole
// file (atFileStart) or its last part, whose text before the first line end is a cut line and is
// dropped. Lines end in LF or CR LF; a line that is not seven valid comma-separated fields (the
// header among them) is skipped. Any bytes are safe, in time linear in their length.
std::vector<GameRecord> parseRecords(const std::string& bytes, bool atFileStart);
