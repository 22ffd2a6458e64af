#include "shell/record_page.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr int32_t GradeCount = 10;
// One per grade, 10級 first: hues far enough apart to tell on screen and on paper.
constexpr std::array<const char*, GradeCount> GradeColours = {
    "#4e79a7", "#f28e2b", "#e15759", "#76b7b2", "#59a14f",
    "#edc948", "#b07aa1", "#ff9da7", "#9c755f", "#6b6b6b"};
constexpr std::size_t ChartGames = 100;
constexpr std::size_t AverageGames = 10;

// The chart in viewBox units: totals 0 to 100 from the plot's bottom to its top.
constexpr int32_t PlotTop = 20, PlotBottom = 320;
constexpr int32_t UnitsPerPoint = 3;
constexpr int32_t FirstX = 54, StepX = 8;

std::string number(int64_t value) {
    return std::to_string(value);
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
// freed first. A character of the labels is about six units wide.
std::size_t labelRow(std::array<int64_t, 2>& rowEnds, int64_t x, std::size_t characters) {
    const int64_t halfWidth = 3 * static_cast<int64_t>(characters) + 1;
    std::size_t row = 0;
    if (x - halfWidth < rowEnds[0]) {
        row = x - halfWidth >= rowEnds[1] || rowEnds[1] < rowEnds[0] ? 1 : 0;
    }
    rowEnds[row] = x + halfWidth;
    return row;
}

std::string swatch(const std::string& shape) {
    return "<svg width=\"24\" height=\"12\" aria-hidden=\"true\">" + shape + "</svg>";
}

std::string chart(const std::vector<GameRecord>& games, std::array<bool, GradeCount>& shown) {
    const std::size_t first = games.size() - std::min(games.size(), ChartGames);
    std::string svg = u8"<svg class=\"chart\" viewBox=\"0 0 870 350\" "
                      u8"style=\"width:100%;max-width:870px\" role=\"img\" "
                      u8"aria-label=\"得点のグラフ（直近" +
                      number(games.size() - first) + u8"回）\">\n";
    svg += "<rect class=\"frame\" x=\"50\" y=\"20\" width=\"800\" height=\"300\"/>\n";
    for (const int32_t total : ScaleTotals) {
        const std::string y = number(yOf(total));
        svg += "<line class=\"grid\" x1=\"50\" y1=\"" + y + "\" x2=\"850\" y2=\"" + y +
               "\"/><text class=\"scale\" x=\"44\" y=\"" + number(yOf(total) + 4) + "\">" +
               number(total) + "</text>\n";
    }
    svg += u8"<text class=\"caption\" x=\"14\" y=\"170\" transform=\"rotate(-90 14 170)\">得点"
           u8"</text>\n<text class=\"caption\" x=\"450\" y=\"348\">古い ← 回 → 新しい</text>\n";

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
            points += "<text class=\"off\" x=\"" + x + "\" y=\"" +
                      number(high ? HighLabelY[row] : LowLabelY[row]) + "\">" + value + "</text>\n";
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
                    gradeName(static_cast<int32_t>(10 - slot)) + "</span> ";
        }
    }
    return html + "<span>" +
           swatch("<line class=\"average\" x1=\"0\" y1=\"6\" x2=\"24\" y2=\"6\"/>") +
           u8"直近10回の平均</span></p>\n";
}

std::string table(const std::vector<GameRecord>& games) {
    struct Grade {
        int64_t count = 0, recentCount = 0, recentSum = 0;
        int32_t best = 0;
        const GameRecord* last = nullptr;
    };
    std::array<Grade, GradeCount> grades{};
    for (const GameRecord& game : games) {
        Grade& grade = grades[gradeSlot(game.grade)];
        grade.best = grade.count++ == 0 ? game.total : std::max(grade.best, game.total);
        grade.last = &game;
    }
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        Grade& grade = grades[gradeSlot(game->grade)];
        if (grade.recentCount < static_cast<int64_t>(AverageGames)) {
            ++grade.recentCount;
            grade.recentSum += game->total;
        }
    }
    std::string html = u8"<table class=\"record\">\n<thead><tr><th>級</th><th>回数</th>"
                       u8"<th>最高</th><th>最新</th><th>直近10回の平均</th>"
                       u8"<th>最後に遊んだ日</th></tr></thead>\n<tbody>\n";
    for (std::size_t slot = 0; slot < GradeCount; ++slot) {
        const Grade& grade = grades[slot];
        if (grade.count == 0) {
            continue;
        }
        html += "<tr><th>" + gradeName(static_cast<int32_t>(10 - slot)) + "</th><td>" +
                number(grade.count) + "</td><td>" + number(grade.best) + "</td><td>" +
                number(grade.last->total) + "</td><td>" +
                average(grade.recentSum, grade.recentCount) + "</td><td>" +
                grade.last->date.substr(0, 10) + "</td></tr>\n";
    }
    return html + "</tbody>\n</table>\n";
}

} // namespace

const char RecordBesideSettings[] =
    u8"記録は、ゲームを起動したフォルダ（setdata.ini と同じ場所）の "
    u8"<code>record.csv</code> にあります。";

std::string recordSection(const std::vector<GameRecord>& games, const char* whereKept) {
    std::string html = u8"<section id=\"record\">\n<h2>あなたの記録</h2>\n";
    if (games.empty()) {
        return html + u8"<p>ゲームを最後まで遊ぶと、ここに得点のグラフが出ます。</p>\n</section>\n";
    }
    html += u8"<p>記録：" + number(games.size()) + u8"回" +
            (games.size() >= RecordGamesKept ? u8"（数えるのは最近の1,000回までです）" : "") +
            u8"。グラフには直近100回までを表示します。" + whereKept + "</p>\n";
    std::array<bool, GradeCount> shown{};
    html += chart(games, shown);
    return html + legend(shown) + table(games) + "</section>\n";
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
