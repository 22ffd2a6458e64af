// The help page's long view of the record, read in its HTML as a player reads the page: the
// calendar of the days played and the days in a row, the bests with their dates, the progress by
// grade, and the suggestion of a harder grade.
#include "shell/record_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Games as "day grade total", or "day" for a game of 9級 scoring 50.
std::vector<GameRecord> games(const std::vector<std::string>& played) {
    std::vector<GameRecord> games;
    for (const std::string& game : played) {
        const bool full = game.size() > 10;
        games.push_back({game.substr(0, 10) + " 10:00:00", full ? std::stoi(game.substr(11)) : 9, 5,
                         3, 9, 2, full ? std::stoi(game.substr(game.rfind(' '))) : 50});
    }
    return games;
}

// Totals at a grade, each on one of nine days.
std::vector<std::string> at(int grade, std::vector<int> totals,
                            std::vector<std::string> games = {}) {
    for (const int total : totals) {
        games.push_back("2026-03-0" + std::to_string(1 + games.size() % 9) + " " +
                        std::to_string(grade) + " " + std::to_string(total));
    }
    return games;
}

// The section on today, "YYYY-MM-DD", with grade index grade chosen.
std::string page(const std::vector<std::string>& played, const std::string& today,
                 int32_t grade = 1) {
    const LocalTime time{
        std::stoi(today), std::stoi(today.substr(5)), std::stoi(today.substr(8)), 12, 0, 0};
    return recordSection(games(played), time, grade);
}

// The text between opener and the closer after it; "<none>" without the opener.
std::string between(const std::string& html, const std::string& opener, const char* closer) {
    const std::size_t at = html.find(opener);
    const std::size_t from = at + opener.size();
    return at == std::string::npos ? "<none>" : html.substr(from, html.find(closer, from) - from);
}

} // namespace

TEST(RecordPage, CountsDaysInARowOverMonthsYearsAndLeapDays) {
    // The days played, today, the start of the runs' sentence, the longest run, and the games not
    // on the calendar.
    const char* const cases[][5] = {
        // 2000 had a leap day, 2100 has none: its 29 February is no day, and March follows.
        {"2000-02-28 2000-02-29 2000-03-01", "2000-03-02", u8"昨日まで<strong>3日",
         u8"3日</strong>（2000-02-28〜2000-03-01）", "<none>"},
        {"2100-02-28 2100-02-29 2100-03-01 2100-04-31", "2100-03-01", u8"今日まで<strong>2日",
         u8"2日</strong>（2100-02-28〜2100-03-01）", u8"日付が暦にない2回"},
        // Out of order, as records put together from several copies are.
        {"2026-01-01 2025-12-31 2025-12-01 2025-11-30 2025-12-30 2025-12-03 2025-12-02",
         "2026-01-02", u8"昨日まで<strong>3日", u8"4日</strong>（2025-11-30〜2025-12-03）",
         "<none>"},
        // A day missed ends a run; of two as long, the first is the longest.
        {"2026-03-01 2026-03-02 2026-03-04 2026-03-05", "2026-03-07",
         u8"最後に遊んだ日は 2026-03-05 です。", u8"2日</strong>（2026-03-01〜2026-03-02）",
         "<none>"},
        {"2026-03-08", "2026-03-08", u8"今日まで<strong>1日", u8"1日</strong>（2026-03-08）",
         "<none>"},
        // After today (a clock set wrong) or on no day, a game counts for neither.
        {"2026-03-07 2026-03-08 2026-03-09 2027-01-01 2026-13-01 2026-00-10 2026-03-00",
         "2026-03-08", u8"今日まで<strong>2日", u8"2日</strong>（2026-03-07〜2026-03-08）",
         u8"日付が今日より後の2回と、日付が暦にない3回"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> days;
        for (const char* day = c[0]; *day != '\0'; day += day[10] == ' ' ? 11 : 10) {
            days.emplace_back(day, 10);
        }
        const std::string html = page(days, c[1]);
        const std::string runs = between(html, "<p class=\"runs\">", "</p>");
        EXPECT_EQ(runs.find(c[2]), 0u) << runs;
        EXPECT_NE(runs.find(std::string(u8"いちばん長く続いたのは<strong>") + c[3]),
                  std::string::npos)
            << runs;
        EXPECT_EQ(between(html, u8"日数には、", u8"を入れて"), c[4]) << c[0];
    }
}

TEST(RecordPage, CalendarShadesTheLast53WeeksFromMonday) {
    // Today is a Wednesday; the first week shown begins on Monday 2025-12-08.
    std::vector<std::string> played = {"2025-12-07", "2026-01-01", "2026-12-01",
                                       "2026-12-01", "2026-12-01", "2026-12-01",
                                       "2026-12-01", "2026-12-09", "2026-12-09"};
    for (int i = 0; i < 300; ++i) {
        played.push_back("2026-03-03 " + std::to_string(1 + i % 10) + (i == 150 ? " 85" : " 20"));
    }
    const std::string calendar =
        between(page(played, "2026-12-09"), "<svg class=\"calendar\"", "</svg>");
    EXPECT_NE(calendar.find(u8"（2025-12-08〜2026-12-09）"), std::string::npos);
    // 52 whole weeks and this one to today, Wednesday: none after it.
    EXPECT_EQ(calendar.find("x=\"698\" y=\"55\""), std::string::npos);
    for (const char* square :
         {"<rect class=\"day0\" x=\"22\" y=\"16\" width=\"11\" height=\"11\"/>",
          u8"\"day1\" x=\"61\" y=\"55\" width=\"11\" height=\"11\"><title>2026-01-01 1回 最高50点",
          u8"\"day4\" x=\"178\" y=\"29\" width=\"11\" height=\"11\"><title>2026-03-03 300回 "
          u8"最高85点",
          u8"\"day3\" x=\"685\" y=\"29\" width=\"11\" height=\"11\"><title>2026-12-01 5回",
          u8"\"day2 today\" x=\"698\" y=\"42\" width=\"11\" height=\"11\"><title>2026-12-09 2回",
          u8"<text x=\"61\" y=\"12\">1月</text>", u8"<text x=\"113\" y=\"12\">2月</text>",
          u8"<text x=\"685\" y=\"12\">12月</text>"}) {
        EXPECT_NE(calendar.find(square), std::string::npos) << square;
    }
    EXPECT_EQ(calendar.find("2025-12-07"), std::string::npos) << "before the first week";
    // A date off the calendar stands for the nearest day: 2026-02-28, a Saturday.
    EXPECT_NE(page({"2026-02-28"}, "2026-02-31").find("\"day1 today\" x=\"698\" y=\"81\""),
              std::string::npos);
}

TEST(RecordPage, BestsWithTheDayFirstReachedAndProgressByGrade) {
    const std::string first =
        page({"2026-03-01 5 70", "2026-03-02 5 85", "2026-03-01 10 -7", "2026-03-03 5 85",
              "2026-03-04 10 -4", "2026-03-05 1 85", "2026-03-06 5 60", "2026-03-07 10 -4"},
             "2026-03-08");
    // Ten games at two grades among those of others; then one more at one of them; twenty at a
    // third.
    const std::string later =
        page(at(4, {90, 88, 86, 84, 82, 80, 78, 76, 74, 72, 70, 68, 66, 64, 62, 60, 58, 56, 54, 52},
                at(3, {61},
                   at(2, {90, 90, 90, 90, 90, 90, 90, 90, 90, 90},
                      at(3, {50, 50, 50, 50, 50, 50, 50, 50, 50, 52})))),
             "2026-03-09");
    for (const auto& [html, part] : std::vector<std::pair<std::string, const char*>>{
             {first, u8"これまでの最高は、5級の<strong>85点</strong>（2026-03-02）"},
             {first, u8"<th>10級</th><td>3</td><td>-4</td><td>2026-03-04</td><td>-4</td>"},
             {first, u8"<th>5級</th><td>4</td><td>85</td><td>2026-03-02</td><td>60</td>"},
             // Up to ten games, the first and the last ten are the same.
             {first, u8"<th>10級</th><td>-5.0</td><td>-5.0</td><td>—</td>"},
             {later, u8"<th>2級</th><td>90.0</td><td>90.0</td><td>—</td>"},
             {later, u8"<th>3級</th><td>50.2</td><td>51.3</td><td>+1.1</td>"},
             {later, u8"<th>4級</th><td>81.0</td><td>61.0</td><td>-20.0</td>"},
             {later, u8"これまでの最高は、2級の<strong>90点</strong>（2026-03-02）"}}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }
}

TEST(RecordPage, SuggestsTheNextGradeAfterTenGamesOf80AtTheChosenOne) {
    const std::vector<int> good = {80, 80, 80, 80, 80, 80, 80, 80, 80, 100};
    const char* const next = u8"いま選んでいる9級の直近10回は、どれも80点以上でした。ひとつ難しい"
                             u8"<strong>8級</strong>を試してみてはどうでしょう（級はツールバーの "
                             u8"<b>Set</b>（ゲーム設定）で選べます）。";
    const char* const top = u8"いま選んでいる1級の直近10回は、どれも80点以上でした。1級はいちばん"
                            u8"難しい級です。頂上に着きました。";
    const struct {
        std::vector<std::string> played;
        int32_t gradeIndex;
        const char* said;
    } cases[] = {
        {at(9, good, at(9, {40})), 1, next},
        {at(5, {10}, at(9, good)), 1, next},
        {at(9, {79, 100, 100, 100, 100, 100, 100, 100, 100, 100}), 1, "<none>"},
        {at(9, {80, 80, 80, 80, 80, 80, 80, 80, 80}), 1, "<none>"},
        {at(9, good), 2, "<none>"},
        {at(1, good), 9, top},
        {at(1, good), 12, top},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(between(page(c.played, "2026-03-09", c.gradeIndex), "\"suggestion\">", "</p>"),
                  c.said)
            << c.played.size() << " games, grade index " << c.gradeIndex;
    }
}
