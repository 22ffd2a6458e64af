// The record of finished games, record.csv: the line each game adds, the lines still waiting to
// go in, and the games read back from the file's end. No platform calls; each front end's record
// store does the file work.
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
// Beside the record, in its form: the games a run could not append because another program (a
// spreadsheet) held the record open until the run ended. The next run appends them first.
constexpr char RecordPendingFileName[] = "record-pending.csv";
constexpr std::size_t RecordGamesKept = 1000; // games read back at the most
// The longest valid line is 98 bytes with CR LF (see parseRecords), so 1,001 of them (the first
// may be cut) fit with room to spare; reading only the end keeps the start of the game quick
// however long the record grows.
constexpr std::size_t RecordTailBytes = 128 * 1024;
// No run leaves more games than this for the next one; a pending file that holds more is not the
// game's and is left as it is.
constexpr std::size_t RecordPendingBytes = 1024 * 1024;

// Where reading the record back begins in a file of fileSize bytes: at its last RecordTailBytes.
uint64_t recordTailStart(uint64_t fileSize);

// The first line of a new file: "date,grade,symbols,seconds,problems,misses,total" and CR LF.
std::string recordHeader();

// One line, CR LF at its end, for a game that ended with this score basis and miss count while
// grade index gradeIndex (0 = 10級 ... 9 = 1級) was chosen. The values are those the evaluation
// showed; the total is evaluationTotal's.
std::string recordLine(const LocalTime& time, int32_t gradeIndex, const ScoreBasis& basis,
                       int32_t missCount);

// The lines of finished games that the record store has not taken yet (another program held
// record.csv open), oldest first, each ending in CR LF.
extern std::string unwrittenRecordLines;

// Back to the start-of-run values: no lines waiting.
void resetRecordState();

// A finished game goes into the record. Called by each front end as a game ends, before its
// evaluation shows: the game's line (the grade chosen for play, the game's score basis and misses,
// at the front end's local time now) joins unwrittenRecordLines, and all of those are what the
// front end's record store appends now, in the record's form (recordAppendText). The store empties
// unwrittenRecordLines once it holds them; one that could not write leaves them for the next game.
const std::string& recordFinishedGame(const LocalTime& now);

// What appending lines (each ending in CR LF) to a record of fileSize bytes whose last byte is
// lastByte writes: a new file starts with the header, and a last line cut short (a crash, a full
// disk) is ended first, so that the new lines stay lines of their own.
std::string recordAppendText(uint64_t fileSize, char lastByte, const std::string& lines);

// The lines of lines that the record does not hold yet, each ending in CR LF: neither the header
// nor a line that is already a whole line of recordTail, the record's last part. An append that
// went in before what it carried could be marked done (a pending file not removed after it, a
// write cut short) is thus never written twice. Only a game of another copy of the game that
// ended in the same second with the same values could be taken for one already there.
std::string linesNotInRecord(const std::string& recordTail, const std::string& lines);

// The record as a store that holds at most limit bytes keeps it: as it is while it fits, else the
// header and the newest whole lines that fit with it. A limit above RecordTailBytes keeps every
// game the help page reads back.
std::string recordKept(const std::string& bytes, std::size_t limit);

// The games in bytes, oldest first, at most the last RecordGamesKept of them. bytes is the whole
// file (atFileStart, where a UTF-8 byte-order mark may come first) or its last part, whose text
// before the first line end is a cut line and is dropped. Lines end in CR LF, LF or CR. A game is
// seven comma-separated fields, each of them as it is or in double quotes, as a spreadsheet saves
// them: the date as YYYY-MM-DD or YYYY/M/D, then H:MM with or without :SS; then six integers
// within int32 of at most ten digits, the grade from 1 to 10. Any other line (the header among
// them) is skipped. Any bytes are safe, in time linear in their length. The dates come back as
// "YYYY-MM-DD HH:MM:SS", seconds 00 where the line had none.
std::vector<GameRecord> parseRecords(const std::string& bytes, bool atFileStart);
