// The record of finished games: the line each game adds to record.csv, the games read back from
// any bytes, and the section of the help page drawn from them.
#include "evaluation/game_record.h"
#include "settings/settings_state.h"
#include "shell/record_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace std::string_literals;

namespace {

// The games as the lines they came from, '|' before each.
std::string listed(const std::vector<GameRecord>& games) {
    std::string text;
    for (const GameRecord& g : games) {
        text += "|" + g.date;
        for (const int32_t value : {g.grade, g.symbols, g.seconds, g.problems, g.misses, g.total}) {
            text += "," + std::to_string(value);
        }
    }
    return text;
}

const LocalTime today{2026, 3, 9, 12, 0, 0};

GameRecord game(int day, int32_t grade, int32_t total) {
    return {"2026-03-0" + std::to_string(day) + " 10:00:00", grade, 5, 3, 9, 2, total};
}

} // namespace

TEST(RecordFile, LineOfAGame) {
    const struct {
        int32_t gradeIndex;
        ScoreBasis basis;
        int32_t misses;
        const char* values;
    } cases[] = {
        {5, {5, 3, 9}, 2, "5,5,3,9,2,68\r\n"},
        // An index off the list is played, and so recorded, as the nearest grade.
        {-3, {9, 1, 9}, 0, "10,9,1,9,0,100\r\n"},
        {12, {INT32_MIN, 10, INT32_MAX}, -1, "1,-2147483648,10,2147483647,-1,2\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recordLine({2026, 2, 7, 9, 5, 3}, c.gradeIndex, c.basis, c.misses),
                  "2026-02-07 09:05:03,"s + c.values);
    }
    // A new file gets the header first; a last line cut short is ended before the new one.
    const std::string header = "date,grade,symbols,seconds,problems,misses,total\r\n";
    EXPECT_EQ(recordAppendText(0, '\0', "L\r\n"), header + "L\r\n");
    EXPECT_EQ(recordAppendText(1, '1', "L\r\n"), "\r\nL\r\n");
    EXPECT_EQ(recordAppendText(84, '\n', "L\r\n"), "L\r\n");
    // Lines kept back are not written again where they went in before: the header, and whole lines
    // of the record's last part, whatever their line ends.
    EXPECT_EQ(linesNotInRecord("cut A\r\nA\r\nB\rC", header + "A\r\nD\rB\nC\r\nC2\r\nE"),
              "D\r\nC2\r\nE\r\n");
    // A store that holds only so many bytes keeps the header and the newest whole lines.
    const std::string record = header + "A\r\nBB\r\nCCC\r\n"; // 62 bytes
    EXPECT_EQ(recordKept(record, 62), record);
    EXPECT_EQ(recordKept(record, 59), header + "BB\r\nCCC\r\n");
    EXPECT_EQ(recordKept(record, 58), header + "CCC\r\n");
    // A game that ends: its line, of the grade chosen and the game's score, after those waiting.
    gradeIndex = 2, gameState.scoreBasis = {5, 3, 9}, gameState.missCount = 2;
    unwrittenRecordLines = "W\r\n";
    EXPECT_EQ(recordFinishedGame({2026, 2, 7, 9, 5, 3}),
              "W\r\n2026-02-07 09:05:03,8,5,3,9,2,68\r\n");
    resetGameState(), resetSettingsState(), resetRecordState();
}

TEST(RecordFile, ReadsWholeValidLinesAsWrittenOrAsASpreadsheetSavesThem) {
    // After the date of a game, none of these makes its line one.
    const std::string skipped[] = {
        "9,3,3,5,1",     "9,3,3,5,1,34,",  "9,3,3,5,1,2147483648", "9,3,3,5,1,99999999999999999999",
        "9,+3,3,5,1,34", "9, 3,3,5,1,34",  "9,3,,5,-,34",          "11,3,3,5,1,34",
        "0,3,3,5,1,34",  "9,3,3,5,1,\"34", "9,3,3,5,1,\"3\"4\"",   "\"\"9\"\",3,3,5,1,34"};
    // A byte-order mark and a CR line end, as a spreadsheet may save them.
    std::string bytes = "\xEF\xBB\xBF"
                        "2026-01-01 00:00:00,10,3,3,3,0,31\r2026-01-02 00:00:00,9,3,3,5,1,34\r\n" +
                        recordHeader() + "\r\n\n";
    for (const std::string& line : skipped) {
        bytes += "2026-01-03 00:00:00," + line + "\n";
        // Alone, the line ends where its buffer does, so reading past it would be seen.
        const std::string alone = "2026-01-03 00:00:00," + line;
        EXPECT_EQ(listed(parseRecords(std::string(alone.begin(), alone.end()), true)), "") << line;
    }
    for (const char* date : {"2026-1-03 00:00:00", "2026-01-03T00:00:00", "2026/1/3 0:0",
                             "2026/1/3", "2026/1/3 00:00:00:00", "26/1/3 0:00", "2026/1-3 0:00"}) {
        bytes += date + ",9,3,3,5,1,34\n"s;
    }
    bytes += "\xff\0\x80,\0,\n2026-01-03 00:00:00,9,3,3,5,1,3\0004\n"s; // "\0004": a NUL, a 4
    // A Japanese Excel's dates, quoted fields, and the longest line a game can have.
    bytes +=
        "2026/12/7 20:42,1,9,1,9,21,-2147483648\n\"2026/1/5 9:05:07\",\"1\",9,1,9,0,\"100\"\r\n"
        "\"2026-12-31 23:59:59\",\"10\",\"-2147483648\",\"-2147483648\",\"-2147483648\","
        "\"-2147483648\",\"-2147483648\"";
    const std::string kept =
        "|2026-01-02 00:00:00,9,3,3,5,1,34|2026-12-07 20:42:00,1,9,1,9,21,-2147483648"
        "|2026-01-05 09:05:07,1,9,1,9,0,100|2026-12-31 23:59:59,10,-2147483648,-2147483648,"
        "-2147483648,-2147483648,-2147483648";
    EXPECT_EQ(listed(parseRecords(bytes, true)), "|2026-01-01 00:00:00,10,3,3,3,0,31" + kept);
    // Read from a tail, the first line may be the end of a cut one.
    EXPECT_EQ(listed(parseRecords(bytes, false)), kept);
}

TEST(RecordPage, ChartsEachGameAndTabulatesEachGrade) {
    const std::string html =
        recordSection({game(1, 10, 130), game(2, 5, -4), game(3, 5, -7), game(4, 1, 69),
                       game(4, 1, 70), game(4, 1, 70), game(5, 1, 72)},
                      today, 1);
    for (const char* part :
         {u8"<circle cx=\"54\" cy=\"20\" r=\"4\" fill=\"#4e79a7\"><title>2026-03-01 10:00:00 "
          u8"10級 130点</title>",
          ">130</text>", "cx=\"62\" cy=\"320\" r=\"4\" fill=\"#edc948\"", ">-7</text>",
          "cx=\"78\" cy=\"113\" r=\"4\" fill=\"#6b6b6b\"",
          "points=\"54,20 62,131 70,201 78,179 86,165.2 94,156 102,148.6\"",
          u8"<th>1級</th><td>4</td><td>72</td><td>2026-03-05</td><td>72</td><td>2026-03-05</td>",
          u8"<th>1級</th><td>70.3</td><td>70.3</td>"}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }
}

TEST(RecordPage, ChartsTheLastHundredOfTheLastThousandRead) {
    // A line too long to be a game's, then 1,005 games scoring 10, but 100 from the 901st to the
    // 910th and the most there is from the 1,001st on.
    std::string bytes = std::string(1 << 20, '7') + "\n";
    for (int i = 0; i < 1005; ++i) {
        const int32_t total = i >= 1000 ? INT32_MAX : i / 10 == 90 ? 100 : 10;
        bytes += "2026-03-01 10:00:00,7,5,3,9,2," + std::to_string(total) + "\n";
    }
    const std::string html = recordSection(parseRecords(bytes, true), today, 1);
    for (const char* part :
         {u8"<th>7級</th><td>1000</td><td>2147483647</td><td>2026-03-01</td><td>2147483647</td>",
          u8"<th>7級</th><td>10.0</td><td>1073741828.5</td><td>+1073741818.5</td>",
          "points=\"54,128 62,101 70,74 78,47 ", "cx=\"846\"", "1,000"}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(html.find("cx=\"854\""), std::string::npos);
}

TEST(RecordPage, EmptyRecordAndItsPlaceOnThePage) {
    const std::string empty = recordSection({}, today, 1);
    EXPECT_NE(empty.find(u8"ゲームを最後まで遊ぶと"), std::string::npos);
    EXPECT_EQ(empty.find("<svg"), std::string::npos);
    const char* const cases[][2] = {
        {"<p>v</p>\n<!-- record -->\n<nav>\n", "<p>v</p>\n<S>\n<nav>\n"},
        {"<p>v</p>\n<nav>\n", "<p>v</p>\n<nav>\n"},
        {"<p><!-- record --></p>\n<!-- record -->", "<p><!-- record --></p>\n<S>\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pageWithRecord(c[0], "<S>\n"), c[1]);
    }
}
