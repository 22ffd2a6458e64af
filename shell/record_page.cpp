#include "shell/record_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace {

constexpr int32_t GradeCount = 10;
// One per grade, 10級 first: hues far enough apart to tell on screen and on paper.
constexpr std::array<const char*, GradeCount> GradeColours = {
    "#4e79a7", "#f28e2b", "#e15759", "#76b7b2", "#59a14f",
    "#edc948", "#b07aa1", "#ff9da7", "#9c755f", "#6b6b6b"};
constexpr std::size_t ChartGames = 100;
constexpr std::size_t AverageGames = 10;
// The brain picture of nine wrinkles and more: ten such games in a row at a grade suggest the next.
constexpr int32_t SuggestFrom = 80;

// The chart in viewBox units: totals 0 to 100 from the plot's bottom to its top.
constexpr int32_t ChartWidth = 870, ChartHeight = 350;
constexpr int32_t PlotTop = 20, PlotBottom = 320;
constexpr int32_t UnitsPerPoint = 3;
constexpr int32_t FirstX = 54, StepX = 8;
constexpr int32_t ScaleFont = 15, CaptionFont = 14, OffFont = 14;

std::string number(int64_t value) {
    return std::to_string(value);
}

// A drawing of width x height viewBox units whose smallest text is smallestFont units: as wide
// as the column allows, never wider than its units, and never so narrow that its text shrinks
// below 11 pixels (on a phone it scrolls instead).
std::string svgSize(int32_t width, int32_t height, int32_t smallestFont) {
    constexpr int32_t LegiblePixels = 11;
    const int32_t narrowest = (width * LegiblePixels + smallestFont - 1) / smallestFont;
    return "viewBox=\"0 0 " + number(width) + " " + number(height) +
           "\" style=\"width:100%;min-width:" + number(narrowest) +
           "px;max-width:" + number(width) + "px\"";
}

// The score band lines of the brain pictures.
constexpr std::array<int32_t, 6> ScaleTotals = {0, 20, 40, 60, 80, 100};

int32_t yOf(int32_t total) {
    return PlotBottom - UnitsPerPoint * std::clamp(total, int32_t{0}, int32_t{100});
}

// 0 for 10級 ... 9 for 1級; a grade from elsewhere than parseRecords cannot index past the end.
std::size_t gradeSlot(int32_t grade) {
    return static_cast<std::size_t>(10 - std::clamp(grade, int32_t{1}, GradeCount));
}

std::string gradeName(int32_t grade) {
    return number(grade) + u8"級";
}

std::string slotName(std::size_t slot) {
    return gradeName(static_cast<int32_t>(10 - slot));
}

// A count of tenths, value >= 0, as a decimal: "12.3", and "12" for 120 unless always.
std::string tenths(int64_t value, bool always) {
    std::string text = number(value / 10);
    if (always || value % 10 != 0) {
        text += '.';
        text += static_cast<char>('0' + value % 10);
    }
    return text;
}

// The mean of count totals summing to sum, to one decimal, halves away from zero.
std::string average(int64_t sum, int64_t count) {
    const uint64_t magnitude =
        sum < 0 ? 0 - static_cast<uint64_t>(sum) : static_cast<uint64_t>(sum);
    const uint64_t divisor = static_cast<uint64_t>(count);
    const uint64_t rounded = (20 * magnitude + divisor) / (2 * divisor);
    return (sum < 0 && rounded != 0 ? "-" : "") + tenths(static_cast<int64_t>(rounded), true);
}

// Where the average of count totals summing to sum stands, in tenths of a unit, held inside the
// plot like the points.
int64_t averageYTenths(int64_t sum, int64_t count) {
    if (sum <= 0) {
        return 10 * PlotBottom;
    }
    if (sum >= 100 * count) {
        return 10 * PlotTop;
    }
    const int64_t tenthsTimesCount = 10 * PlotBottom * count - 10 * UnitsPerPoint * sum;
    return (2 * tenthsTimesCount + count) / (2 * count);
}

// Off-scale totals show their real value beside the point: outside the plot, or just inside it
// when the label before still covers the place, so that runs of them stay readable.
constexpr std::array<int32_t, 2> HighLabelY = {13, 35}, LowLabelY = {332, 311};

// The row for a label of characters centred on x: the first that is free there, else the one
// freed first. A character of the labels is about eight units wide.
std::size_t labelRow(std::array<int64_t, 2>& rowEnds, int64_t x, std::size_t characters) {
    const int64_t halfWidth = 4 * static_cast<int64_t>(characters) + 1;
    std::size_t row = 0;
    if (x - halfWidth < rowEnds[0]) {
        row = x - halfWidth >= rowEnds[1] || rowEnds[1] < rowEnds[0] ? 1 : 0;
    }
    rowEnds[row] = x + halfWidth;
    return row;
}

std::string swatch(const std::string& shape, int32_t width = 24) {
    return "<svg width=\"" + number(width) + "\" height=\"12\" aria-hidden=\"true\">" + shape +
           "</svg>";
}

std::string chart(const std::vector<GameRecord>& games, std::array<bool, GradeCount>& shown) {
    const std::size_t first = games.size() - std::min(games.size(), ChartGames);
    std::string svg = "<svg class=\"chart\" " + svgSize(ChartWidth, ChartHeight, OffFont) +
                      " font-size=\"" + number(ScaleFont) +
                      u8"\" role=\"img\" aria-label=\"得点のグラフ（直近" +
                      number(games.size() - first) + u8"回）\">\n";
    svg += "<rect class=\"frame\" x=\"50\" y=\"20\" width=\"800\" height=\"300\"/>\n";
    for (const int32_t total : ScaleTotals) {
        const std::string y = number(yOf(total));
        svg += "<line class=\"grid\" x1=\"50\" y1=\"" + y + "\" x2=\"850\" y2=\"" + y +
               "\"/><text class=\"scale\" x=\"44\" y=\"" + number(yOf(total) + 4) + "\">" +
               number(total) + "</text>\n";
    }
    const std::string caption =
        "<text class=\"caption\" font-size=\"" + number(CaptionFont) + "\" ";
    svg += caption + u8"x=\"14\" y=\"170\" transform=\"rotate(-90 14 170)\">得点</text>\n" +
           caption + u8"x=\"450\" y=\"348\">古い ← 回 → 新しい</text>\n";

    std::string line = "<polyline class=\"average\" fill=\"none\" points=\"";
    std::string points;
    std::array<int64_t, 2> highEnds{}, lowEnds{};
    int64_t windowSum = 0;
    for (std::size_t j = 0; j < games.size(); ++j) {
        const GameRecord& game = games[j];
        windowSum += game.total;
        if (j >= AverageGames) {
            windowSum -= games[j - AverageGames].total;
        }
        if (j < first) {
            continue;
        }
        const int64_t xValue = FirstX + StepX * static_cast<int64_t>(j - first);
        const std::string x = number(xValue);
        const int64_t count = static_cast<int64_t>(std::min(j + 1, AverageGames));
        line += (j == first ? "" : " ") + x + "," + tenths(averageYTenths(windowSum, count), false);
        const std::size_t slot = gradeSlot(game.grade);
        shown[slot] = true;
        points += "<circle cx=\"" + x + "\" cy=\"" + number(yOf(game.total)) +
                  "\" r=\"4\" fill=\"" + GradeColours[slot] + "\"><title>" + game.date + " " +
                  gradeName(game.grade) + " " + number(game.total) + u8"点</title></circle>\n";
        if (game.total > 100 || game.total < 0) {
            const bool high = game.total > 100;
            const std::string value = number(game.total);
            const std::size_t row = labelRow(high ? highEnds : lowEnds, xValue, value.size());
            points += "<text class=\"off\" font-size=\"" + number(OffFont) + "\" x=\"" + x +
                      "\" y=\"" + number(high ? HighLabelY[row] : LowLabelY[row]) + "\">" + value +
                      "</text>\n";
        }
    }
    return svg + line + "\"/>\n" + points + "</svg>\n";
}

std::string legend(const std::array<bool, GradeCount>& shown) {
    std::string html = "<p class=\"legend\">";
    for (std::size_t slot = 0; slot < GradeCount; ++slot) {
        if (shown[slot]) {
            html += "<span>" +
                    swatch(std::string("<circle cx=\"12\" cy=\"6\" r=\"4\" fill=\"") +
                           GradeColours[slot] + "\"/>") +
                    slotName(slot) + "</span> ";
        }
    }
    return html + "<span>" +
           swatch("<line class=\"average\" x1=\"0\" y1=\"6\" x2=\"24\" y2=\"6\"/>") +
           u8"直近10回の平均</span></p>\n";
}

// ---- days -------------------------------------------------------------------------------------

struct Date {
    int64_t year;
    int32_t month, day;
};

bool isLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t daysInMonth(int64_t year, int32_t month) {
    constexpr std::array<int32_t, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// Days from 1970-01-01 to a date of the Gregorian calendar (counted in eras of 400 years, which
// repeat exactly, from a year that starts in March so that the leap day comes last).
int64_t dayNumber(const Date& date) {
    const int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear =
        (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date dateOfDay(int64_t number) {
    const int64_t shifted = number + 719468;
    const int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t fromMarch = (5 * dayOfYear + 2) / 153;
    const int32_t month = static_cast<int32_t>(fromMarch < 10 ? fromMarch + 3 : fromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
            static_cast<int32_t>(dayOfYear - (153 * fromMarch + 2) / 5 + 1)};
}

// As the record writes its dates.
std::string dayText(int64_t number) {
    const Date date = dateOfDay(number);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(date.year),
                  static_cast<int>(date.month), static_cast<int>(date.day));
    return text;
}

// 0 for Monday ... 6 for Sunday: 1970-01-01 was a Thursday.
int64_t weekday(int64_t number) {
    return ((number + 3) % 7 + 7) % 7;
}

// The day of a record's date ("YYYY-MM-DD HH:MM:SS"); false where it names no calendar day.
bool dayOfGame(const std::string& date, int64_t& number) {
    if (date.size() < 10 || date[4] != '-' || date[7] != '-') {
        return false;
    }
    int32_t fields[3] = {};
    const std::size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t at = starts[i]; at < starts[i] + lengths[i]; ++at) {
            if (date[at] < '0' || date[at] > '9') {
                return false;
            }
            fields[i] = fields[i] * 10 + (date[at] - '0');
        }
    }
    if (fields[1] < 1 || fields[1] > 12 || fields[2] < 1 ||
        fields[2] > daysInMonth(fields[0], fields[1])) {
        return false;
    }
    number = dayNumber({fields[0], fields[1], fields[2]});
    return true;
}

// The front end's date, held to a calendar day of a four-digit year.
int64_t dayOfToday(const LocalTime& today) {
    const int32_t year = std::clamp(today.year, int32_t{1}, int32_t{9999});
    const int32_t month = std::clamp(today.month, int32_t{1}, int32_t{12});
    return dayNumber({year, month, std::clamp(today.day, int32_t{1}, daysInMonth(year, month))});
}

struct DayPlayed {
    int64_t number;
    int64_t games;
    int32_t best;
};

// The days with games up to today, in order; and the games left out: those dated after today
// (the machine's clock was ahead then, or is behind now) and those whose date is no day.
struct DaysPlayed {
    std::vector<DayPlayed> days;
    int64_t later = 0, undated = 0;
};

DaysPlayed daysPlayed(const std::vector<GameRecord>& games, int64_t today) {
    DaysPlayed played;
    std::vector<std::pair<int64_t, int32_t>> dated; // the day and total of each game
    for (const GameRecord& game : games) {
        int64_t day = 0;
        if (!dayOfGame(game.date, day)) {
            ++played.undated;
        } else if (day > today) {
            ++played.later;
        } else {
            dated.emplace_back(day, game.total);
        }
    }
    // By day, whatever order the record's dates came in.
    std::sort(dated.begin(), dated.end());
    for (const auto& [day, total] : dated) {
        if (played.days.empty() || played.days.back().number != day) {
            played.days.push_back({day, 0, total});
        }
        DayPlayed& last = played.days.back();
        ++last.games;
        last.best = std::max(last.best, total);
    }
    return played;
}

// The number of games from which each shade of the calendar begins; fewer games, no shade.
constexpr std::array<int64_t, 4> ShadeFrom = {1, 2, 5, 10};

std::size_t shadeOf(int64_t games) {
    std::size_t shade = 0;
    while (shade < ShadeFrom.size() && games >= ShadeFrom[shade]) {
        ++shade;
    }
    return shade;
}

// The calendar in viewBox units: a column a week, Monday at the top, the month above the week of
// its first day.
constexpr int64_t CalendarWeeks = 53;
constexpr int32_t DayPitch = 13, DaySize = 11, CalendarFont = 12;
constexpr int32_t CalendarLeft = 22, CalendarTop = 16;
// Room after the last week for the label of a month that begins in it.
constexpr int32_t CalendarWidth =
    CalendarLeft + static_cast<int32_t>(CalendarWeeks) * DayPitch + 16;
constexpr int32_t CalendarHeight = CalendarTop + 7 * DayPitch;

std::string dayRect(std::size_t shade, int64_t x, int64_t y, const char* more = "") {
    return "<rect class=\"day" + number(static_cast<int64_t>(shade)) + more + "\" x=\"" +
           number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(DaySize) + "\" height=\"" +
           number(DaySize) + "\"";
}

std::string calendar(const std::vector<DayPlayed>& days, int64_t today, int64_t first) {
    std::string svg = "<svg class=\"calendar\" " +
                      svgSize(CalendarWidth, CalendarHeight, CalendarFont) + " font-size=\"" +
                      number(CalendarFont) +
                      u8"\" role=\"img\" aria-label=\"遊んだ日のカレンダー（" + dayText(first) +
                      u8"〜" + dayText(today) + u8"）\">\n";
    const char* const labelled[] = {u8"月", u8"水", u8"金"};
    for (std::size_t i = 0; i < 3; ++i) {
        svg += "<text x=\"0\" y=\"" +
               number(CalendarTop + static_cast<int32_t>(2 * i) * DayPitch + DaySize - 1) + "\">" +
               labelled[i] + "</text>";
    }
    svg += "\n";
    auto played = std::lower_bound(days.begin(), days.end(), first,
                                   [](const DayPlayed& day, int64_t n) { return day.number < n; });
    for (int64_t day = first; day <= today; ++day) {
        const int64_t x = CalendarLeft + (day - first) / 7 * DayPitch;
        const int64_t y = CalendarTop + (day - first) % 7 * DayPitch;
        const Date date = dateOfDay(day);
        if (date.day == 1) {
            svg += "<text x=\"" + number(x) + "\" y=\"" + number(CalendarTop - 4) + "\">" +
                   number(date.month) + u8"月</text>\n";
        }
        const char* const mark = day == today ? " today" : "";
        if (played != days.end() && played->number == day) {
            svg += dayRect(shadeOf(played->games), x, y, mark) + "><title>" + dayText(day) + " " +
                   number(played->games) + u8"回 最高" + number(played->best) +
                   u8"点</title></rect>\n";
            ++played;
        } else {
            svg += dayRect(0, x, y, mark) + "/>\n";
        }
    }
    return svg + "</svg>\n";
}

std::string calendarLegend() {
    std::string html = "<p class=\"legend\">";
    for (std::size_t shade = 0; shade <= ShadeFrom.size(); ++shade) {
        std::string words = u8"遊ばなかった日";
        if (shade > 0) {
            const int64_t from = ShadeFrom[shade - 1];
            words = number(from) + u8"回";
            if (shade == ShadeFrom.size()) {
                words += u8"以上";
            } else if (ShadeFrom[shade] - 1 > from) {
                words = number(from) + u8"〜" + number(ShadeFrom[shade] - 1) + u8"回";
            }
        }
        html += "<span>" +
                swatch("<rect class=\"day" + number(static_cast<int64_t>(shade)) +
                           "\" x=\"0.5\" y=\"0.5\" width=\"11\" height=\"11\"/>",
                       12) +
                words + "</span> ";
    }
    return html + "</p>\n";
}

struct Run {
    int64_t first, last;
};

// The current run (ending today, or yesterday: a day not over yet breaks no run) and the longest,
// the first of them where several are as long; no run for no days.
std::pair<Run, Run> runsOf(const std::vector<DayPlayed>& days) {
    Run longest{0, -1}, run{0, -1};
    for (const DayPlayed& day : days) {
        run = run.last == day.number - 1 ? Run{run.first, day.number} : Run{day.number, day.number};
        if (run.last - run.first > longest.last - longest.first) {
            longest = run;
        }
    }
    return {run, longest};
}

std::string daysInARow(const std::vector<DayPlayed>& days, int64_t today) {
    if (days.empty()) {
        return "";
    }
    const auto [current, longest] = runsOf(days);
    std::string html = "<p class=\"runs\">";
    if (current.last >= today - 1) {
        html += (current.last == today ? u8"今日" : u8"昨日") + std::string(u8"まで<strong>") +
                number(current.last - current.first + 1) + u8"日</strong>続けて遊んでいます。";
    } else {
        html += u8"最後に遊んだ日は " + dayText(current.last) + u8" です。";
    }
    html += u8"いちばん長く続いたのは<strong>" + number(longest.last - longest.first + 1) +
            u8"日</strong>（" + dayText(longest.first);
    if (longest.last != longest.first) {
        html += u8"〜" + dayText(longest.last);
    }
    return html + u8"）です。</p>\n";
}

std::string daysSection(const std::vector<GameRecord>& games, const LocalTime& now) {
    const int64_t today = dayOfToday(now);
    const int64_t first = today - weekday(today) - 7 * (CalendarWeeks - 1);
    const DaysPlayed played = daysPlayed(games, today);
    std::string html = u8"<h3>遊んだ日</h3>\n<p class=\"note\">" + dayText(first) + u8"〜" +
                       dayText(today) + u8"の" + number(CalendarWeeks) +
                       u8"週間。1日が1マスで、色の濃い日ほど多く遊んだ日です"
                       u8"（マスに重ねると、その日の回数と最高得点が出ます）。</p>\n"
                       u8"<div class=\"scroll newest\">\n" +
                       calendar(played.days, today, first) + "</div>\n" + calendarLegend() +
                       daysInARow(played.days, today);
    if (played.later > 0 || played.undated > 0) {
        std::string left;
        if (played.later > 0) {
            left = u8"日付が今日より後の" + number(played.later) + u8"回";
        }
        if (played.undated > 0) {
            left += (left.empty() ? "" : u8"と、") + std::string(u8"日付が暦にない") +
                    number(played.undated) + u8"回";
        }
        html += u8"<p class=\"note\">カレンダーと続けて遊んだ日数には、" + left +
                u8"を入れていません。</p>\n";
    }
    return html;
}

// ---- grades -----------------------------------------------------------------------------------

struct GradeFigures {
    int64_t count = 0;
    const GameRecord* best = nullptr; // the first game that reached the best total
    const GameRecord* last = nullptr;
    int64_t firstSum = 0, lastSum = 0; // of the first and the last AverageGames
    bool lastAllHigh = true;           // every one of the last AverageGames reached SuggestFrom
};

using Figures = std::array<GradeFigures, GradeCount>;

Figures gradeFigures(const std::vector<GameRecord>& games) {
    Figures grades{};
    for (const GameRecord& game : games) {
        GradeFigures& grade = grades[gradeSlot(game.grade)];
        if (grade.best == nullptr || game.total > grade.best->total) {
            grade.best = &game;
        }
        grade.last = &game;
        if (grade.count++ < static_cast<int64_t>(AverageGames)) {
            grade.firstSum += game.total;
        }
    }
    std::array<int64_t, GradeCount> seen{};
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        const std::size_t slot = gradeSlot(game->grade);
        if (seen[slot]++ < static_cast<int64_t>(AverageGames)) {
            grades[slot].lastSum += game->total;
            grades[slot].lastAllHigh = grades[slot].lastAllHigh && game->total >= SuggestFrom;
        }
    }
    return grades;
}

std::string tableHead(std::initializer_list<const char*> heads) {
    std::string html = "<div class=\"scroll\">\n<table class=\"record\">\n<thead><tr>";
    for (const char* head : heads) {
        html += std::string("<th>") + head + "</th>";
    }
    return html + "</tr></thead>\n<tbody>\n";
}

const char TableEnd[] = "</tbody>\n</table>\n</div>\n";

std::string bestOfAll(const Figures& grades) {
    std::size_t top = GradeCount;
    for (std::size_t slot = 0; slot < GradeCount; ++slot) {
        const GameRecord* best = grades[slot].best;
        // Equal totals of two grades: the one reached first.
        if (best != nullptr &&
            (top == GradeCount || best->total > grades[top].best->total ||
             (best->total == grades[top].best->total && best < grades[top].best))) {
            top = slot;
        }
    }
    const GameRecord& best = *grades[top].best;
    return u8"<p>これまでの最高は、" + slotName(top) + u8"の<strong>" + number(best.total) +
           u8"点</strong>（" + best.date.substr(0, 10) + u8"）です。</p>\n";
}

std::string gradeTable(const Figures& grades) {
    std::string html =
        tableHead({u8"級", u8"回数", u8"最高", u8"最高を出した日", u8"最新", u8"最後に遊んだ日"});
    for (std::size_t slot = 0; slot < GradeCount; ++slot) {
        const GradeFigures& grade = grades[slot];
        if (grade.count > 0) {
            html += "<tr><th>" + slotName(slot) + "</th><td>" + number(grade.count) + "</td><td>" +
                    number(grade.best->total) + "</td><td>" + grade.best->date.substr(0, 10) +
                    "</td><td>" + number(grade.last->total) + "</td><td>" +
                    grade.last->date.substr(0, 10) + "</td></tr>\n";
        }
    }
    return html + TableEnd +
           u8"<p class=\"note\">最高を出した日は、その得点をはじめて出した日です。</p>\n";
}

std::string progressTable(const Figures& grades) {
    std::string html = tableHead({u8"級", u8"最初の10回の平均", u8"直近10回の平均", u8"差"});
    for (std::size_t slot = 0; slot < GradeCount; ++slot) {
        const GradeFigures& grade = grades[slot];
        if (grade.count == 0) {
            continue;
        }
        const int64_t counted = std::min(grade.count, static_cast<int64_t>(AverageGames));
        // Up to ten games the first and the last ten are the same games: there is no difference.
        std::string difference = u8"—";
        if (grade.count > static_cast<int64_t>(AverageGames)) {
            const int64_t gain = grade.lastSum - grade.firstSum;
            difference = (gain > 0 ? "+" : "") + average(gain, counted);
        }
        html += "<tr><th>" + slotName(slot) + "</th><td>" + average(grade.firstSum, counted) +
                "</td><td>" + average(grade.lastSum, counted) + "</td><td>" + difference +
                "</td></tr>\n";
    }
    return html + TableEnd + u8"<p class=\"note\">10回に満たない級は、その回数の平均です。</p>\n";
}

// Only where the last ten games at the grade chosen for play all reached SuggestFrom; the grade
// itself is the player's to change.
std::string suggestion(const Figures& grades, int32_t gradeIndex) {
    const std::size_t slot =
        static_cast<std::size_t>(std::clamp(gradeIndex, int32_t{0}, int32_t{9}));
    const GradeFigures& grade = grades[slot];
    if (grade.count < static_cast<int64_t>(AverageGames) || !grade.lastAllHigh) {
        return "";
    }
    std::string html = u8"<p class=\"suggestion\">いま選んでいる" + slotName(slot) +
                       u8"の直近10回は、どれも" + number(SuggestFrom) + u8"点以上でした。";
    if (slot + 1 == GradeCount) {
        return html + slotName(slot) + u8"はいちばん難しい級です。頂上に着きました。</p>\n";
    }
    return html + u8"ひとつ難しい<strong>" + slotName(slot + 1) +
           u8"</strong>を試してみてはどうでしょう（級はツールバーの <b>Set</b>"
           u8"（ゲーム設定）で選べます）。</p>\n";
}

} // namespace

const char RecordBesideSettings[] =
    u8"記録は、ゲームを起動したフォルダ（setdata.ini と同じ場所）の "
    u8"<code>record.csv</code> にあります。";

std::string recordSection(const std::vector<GameRecord>& games, const LocalTime& today,
                          int32_t gradeIndex, const char* whereKept) {
    std::string html = u8"<section id=\"record\">\n<h2>あなたの記録</h2>\n";
    if (games.empty()) {
        return html + u8"<p>ゲームを最後まで遊ぶと、ここに得点のグラフが出ます。</p>\n</section>\n";
    }
    html += u8"<p>記録：" + number(games.size()) + u8"回" +
            (games.size() >= RecordGamesKept ? u8"（数えるのは最近の1,000回までです）" : "") +
            u8"。" + whereKept + "</p>\n";
    html += daysSection(games, today);
    std::array<bool, GradeCount> shown{};
    const std::string scores = chart(games, shown); // before the legend of what it shows
    html += u8"<h3>得点</h3>\n<p class=\"note\">グラフには直近100回までを表示します。</p>\n"
            u8"<div class=\"scroll newest\">\n" +
            scores + "</div>\n" + legend(shown);
    const Figures grades = gradeFigures(games);
    html += u8"<h3>級ごとの記録</h3>\n" + bestOfAll(grades) + gradeTable(grades) +
            u8"<h3>上達</h3>\n" + progressTable(grades) + suggestion(grades, gradeIndex);
    return html + "</section>\n";
}

std::string pageWithRecord(const std::string& page, const std::string& section) {
    static const std::string mark = "<!-- record -->";
    for (std::size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at + 1)) {
        std::size_t end = at + mark.size();
        if (end < page.size() && page[end] == '\r') {
            ++end;
        }
        const bool lineStart = at == 0 || page[at - 1] == '\n';
        if (lineStart && (end == page.size() || page[end] == '\n')) {
            end += end < page.size() ? 1 : 0;
            return page.substr(0, at) + section + page.substr(end);
        }
    }
    return page;
}
