// The help page's long view of the record, read in its HTML as a player reads the page: the
// calendar of the days played and the days in a row, the bests with their dates, the progress by
// grade, and the suggestion of a harder grade.
#include "shell/record_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Played {
    std::string day;
    int32_t grade, total;
};

std::vector<GameRecord> games(const std::vector<Played>& played) {
    std::vector<GameRecord> games;
    for (const Played& p : played) {
        games.push_back({p.day + " 10:00:00", p.grade, 5, 3, 9, 2, p.total});
    }
    return games;
}

std::vector<Played> days(std::initializer_list<const char*> days, int32_t times = 1) {
    std::vector<Played> played;
    for (const char* day : days) {
        played.insert(played.end(), static_cast<std::size_t>(times), {day, 9, 50});
    }
    return played;
}

std::vector<Played> totals(int32_t grade, std::initializer_list<int32_t> totals) {
    std::vector<Played> played;
    for (const int32_t total : totals) {
        played.push_back({"2026-03-0" + std::to_string(1 + played.size() % 9), grade, total});
    }
    return played;
}

std::vector<Played> operator+(std::vector<Played> a, const std::vector<Played>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

LocalTime on(int32_t year, int32_t month, int32_t day) {
    return {year, month, day, 23, 59, 59};
}

// The text between opener and the closer after it; "<none>" without the opener.
std::string between(const std::string& html, const std::string& opener, const char* closer) {
    const std::size_t at = html.find(opener);
    if (at == std::string::npos) {
        return "<none>";
    }
    const std::size_t from = at + opener.size();
    return html.substr(from, html.find(closer, from) - from);
}

} // namespace

TEST(RecordPage, CountsDaysInARowOverMonthsYearsAndLeapDays) {
    const struct {
        std::vector<Played> played;
        LocalTime today;
        const char* runs;
        const char* left; // games not on the calendar
    } cases[] = {
        {days({"2024-02-27", "2024-02-28", "2024-02-29", "2024-03-01"}), on(2024, 3, 1),
         u8"今日まで<strong>4日</strong>続けて遊んでいます。いちばん長く続いたのは<strong>4日"
         u8"</strong>（2024-02-27〜2024-03-01）です。",
         "<none>"},
        // 2000 had a leap day, 2100 has none: its 29 February is no day, and March follows.
        {days({"2000-02-28", "2000-02-29", "2000-03-01"}), on(2000, 3, 2),
         u8"昨日まで<strong>3日</strong>続けて遊んでいます。いちばん長く続いたのは<strong>3日"
         u8"</strong>（2000-02-28〜2000-03-01）です。",
         "<none>"},
        {days({"2100-02-28", "2100-02-29", "2100-03-01", "2100-04-31"}), on(2100, 3, 1),
         u8"今日まで<strong>2日</strong>続けて遊んでいます。いちばん長く続いたのは<strong>2日"
         u8"</strong>（2100-02-28〜2100-03-01）です。",
         u8"日付が暦にない2回"},
        // Out of order, as records put together from several copies are: the end of November
        // to December and the turn of the year.
        {days({"2026-01-01", "2025-12-31", "2025-12-01", "2025-11-30", "2025-12-30", "2025-12-03",
               "2025-12-02"}),
         on(2026, 1, 2),
         u8"昨日まで<strong>3日</strong>続けて遊んでいます。いちばん長く続いたのは<strong>4日"
         u8"</strong>（2025-11-30〜2025-12-03）です。",
         "<none>"},
        // A day missed ends a run; of two as long, the first is the longest.
        {days({"2026-03-01", "2026-03-02", "2026-03-04", "2026-03-05"}), on(2026, 3, 7),
         u8"最後に遊んだ日は 2026-03-05 です。いちばん長く続いたのは<strong>2日</strong>"
         u8"（2026-03-01〜2026-03-02）です。",
         "<none>"},
        {days({"2026-03-08"}), on(2026, 3, 8),
         u8"今日まで<strong>1日</strong>続けて遊んでいます。いちばん長く続いたのは<strong>1日"
         u8"</strong>（2026-03-08）です。",
         "<none>"},
        // Games dated after today (a clock set wrong) and on no day count for neither.
        {days({"2026-03-07", "2026-03-08", "2026-03-09", "2027-01-01", "2026-13-01", "2026-00-10",
               "2026-03-00"}),
         on(2026, 3, 8),
         u8"今日まで<strong>2日</strong>続けて遊んでいます。いちばん長く続いたのは<strong>2日"
         u8"</strong>（2026-03-07〜2026-03-08）です。",
         u8"日付が今日より後の2回と、日付が暦にない3回"},
    };
    for (const auto& c : cases) {
        const std::string html = recordSection(games(c.played), c.today, 1);
        EXPECT_EQ(between(html, "<p class=\"runs\">", "</p>"), c.runs) << c.played[0].day;
        EXPECT_EQ(between(html, u8"カレンダーと続けて遊んだ日数には、", u8"を入れていません"),
                  c.left)
            << c.played[0].day;
    }
}

TEST(RecordPage, CalendarShadesTheLast53WeeksFromMonday) {
    // Today is a Wednesday; the first week shown begins on Monday 2025-12-08.
    std::vector<Played> played =
        days({"2025-12-07", "2026-01-01"}) + days({"2026-12-01"}, 5) + days({"2026-12-09"}, 4);
    for (int i = 0; i < 300; ++i) {
        played.push_back({"2026-03-03", 1 + i % 10, i == 150 ? 85 : 20});
    }
    const std::string html = recordSection(games(played), on(2026, 12, 9), 1);
    const std::string calendar = between(html, "<svg class=\"calendar\"", "</svg>");
    EXPECT_NE(calendar.find(u8"aria-label=\"遊んだ日のカレンダー（2025-12-08〜2026-12-09）\""),
              std::string::npos);
    std::size_t squares = 0;
    for (std::size_t at = 0; (at = calendar.find("<rect", at)) != std::string::npos; ++at) {
        ++squares;
    }
    EXPECT_EQ(squares, 52u * 7 + 3) << "52 whole weeks and this one to Wednesday";
    for (const char* square :
         {"<rect class=\"day0\" x=\"22\" y=\"16\" width=\"11\" height=\"11\"/>",
          u8"<rect class=\"day1\" x=\"61\" y=\"55\" width=\"11\" height=\"11\"><title>"
          u8"2026-01-01 1回 最高50点</title>",
          u8"<rect class=\"day4\" x=\"178\" y=\"29\" width=\"11\" height=\"11\"><title>"
          u8"2026-03-03 300回 最高85点</title>",
          u8"<rect class=\"day3\" x=\"685\" y=\"29\" width=\"11\" height=\"11\"><title>"
          u8"2026-12-01 5回 最高50点</title>",
          u8"<rect class=\"day2 today\" x=\"698\" y=\"42\" width=\"11\" height=\"11\"><title>"
          u8"2026-12-09 4回 最高50点</title>",
          u8"<text x=\"61\" y=\"12\">1月</text>", u8"<text x=\"113\" y=\"12\">2月</text>",
          u8"<text x=\"685\" y=\"12\">12月</text>"}) {
        EXPECT_NE(calendar.find(square), std::string::npos) << square;
    }
    EXPECT_EQ(calendar.find("2025-12-07"), std::string::npos) << "before the first week";
    // The shades as the legend names them.
    EXPECT_NE(html.find(u8"day2\" x=\"0.5\" y=\"0.5\" width=\"11\" height=\"11\"/></svg>2〜4回"),
              std::string::npos);
    // A date off the calendar stands for the nearest day: 2026-02-28, a Saturday.
    const std::string clamped = recordSection(games(days({"2026-02-28"})), on(2026, 2, 31), 1);
    EXPECT_NE(clamped.find(u8"<rect class=\"day1 today\" x=\"698\" y=\"81\""), std::string::npos);
}

TEST(RecordPage, BestsWithTheDayFirstReachedAndProgressByGrade) {
    const std::vector<Played> played = {
        {"2026-03-01", 5, 70}, {"2026-03-02", 5, 85},  {"2026-03-01", 10, -7},
        {"2026-03-03", 5, 85}, {"2026-03-04", 10, -4}, {"2026-03-05", 1, 85},
        {"2026-03-06", 5, 60}, {"2026-03-07", 10, -4},
    };
    const std::string html = recordSection(games(played), on(2026, 3, 8), 1);
    EXPECT_NE(html.find(u8"これまでの最高は、5級の<strong>85点</strong>（2026-03-02）です。"),
              std::string::npos);
    for (const char* row : {u8"<tr><th>10級</th><td>3</td><td>-4</td><td>2026-03-04</td><td>-4</td>"
                            u8"<td>2026-03-07</td></tr>",
                            u8"<tr><th>5級</th><td>4</td><td>85</td><td>2026-03-02</td><td>60</td>"
                            u8"<td>2026-03-06</td></tr>",
                            // Up to ten games, the first and the last ten are the same.
                            u8"<tr><th>10級</th><td>-5.0</td><td>-5.0</td><td>—</td></tr>",
                            u8"<tr><th>5級</th><td>75.0</td><td>75.0</td><td>—</td></tr>"}) {
        EXPECT_NE(html.find(row), std::string::npos) << row;
    }
    // Ten games at two grades among those of others; then one more at one of them; twenty at a
    // third.
    std::vector<Played> progress = totals(3, {50, 50, 50, 50, 50, 50, 50, 50, 50, 52}) +
                                   totals(2, {90, 90, 90, 90, 90, 90, 90, 90, 90, 90});
    progress = progress + totals(3, {61}) + totals(4, {90, 88, 86, 84, 82, 80, 78, 76, 74, 72});
    progress = progress + totals(4, {70, 68, 66, 64, 62, 60, 58, 56, 54, 52});
    const std::string later = recordSection(games(progress), on(2026, 3, 9), 1);
    for (const char* row : {u8"<tr><th>4級</th><td>81.0</td><td>61.0</td><td>-20.0</td></tr>",
                            u8"<tr><th>3級</th><td>50.2</td><td>51.3</td><td>+1.1</td></tr>",
                            u8"<tr><th>2級</th><td>90.0</td><td>90.0</td><td>—</td></tr>"}) {
        EXPECT_NE(later.find(row), std::string::npos) << row;
    }
    EXPECT_NE(later.find(u8"これまでの最高は、2級の<strong>90点</strong>（2026-03-01）です。"),
              std::string::npos)
        << "as high as 4級's later 90";
}

TEST(RecordPage, SuggestsTheNextGradeAfterTenGamesOf80AtTheChosenOne) {
    const std::vector<Played> good = totals(9, {80, 80, 80, 80, 80, 80, 80, 80, 80, 100});
    const char* const next = u8"いま選んでいる9級の直近10回は、どれも80点以上でした。ひとつ難しい"
                             u8"<strong>8級</strong>を試してみてはどうでしょう（級はツールバーの "
                             u8"<b>Set</b>（ゲーム設定）で選べます）。";
    const char* const top = u8"いま選んでいる1級の直近10回は、どれも80点以上でした。1級はいちばん"
                            u8"難しい級です。頂上に着きました。";
    const struct {
        std::vector<Played> played;
        int32_t gradeIndex;
        const char* said;
    } cases[] = {
        {totals(9, {40}) + good, 1, next},
        {totals(9, {80}) + good + totals(5, {10}), 1, next},
        {totals(9, {79, 100, 100, 100, 100, 100, 100, 100, 100, 100}), 1, "<none>"},
        {totals(9, {80, 80, 80, 80, 80, 80, 80, 80, 80}), 1, "<none>"},
        {good, 2, "<none>"},
        {totals(1, {100, 100, 100, 100, 100, 100, 100, 100, 100, 80}), 9, top},
        {totals(1, {100, 100, 100, 100, 100, 100, 100, 100, 100, 80}), 12, top},
    };
    for (const auto& c : cases) {
        const std::string html = recordSection(games(c.played), on(2026, 3, 9), c.gradeIndex);
        EXPECT_EQ(between(html, "<p class=\"suggestion\">", "</p>"), c.said)
            << c.played.size() << " games, grade index " << c.gradeIndex;
    }
}
