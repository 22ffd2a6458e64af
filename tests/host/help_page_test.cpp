// The help page built into the program states the default grades, the score rules and the score
// bands; it must say what the program does, so it is read against the program's own numbers.
#include "evaluation/score.h"
#include "resources/resource.h"
#include "settings/grades.h"
#include "shell/help_address.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The numbers (runs of ASCII digits) of each match of pattern in text, or of its group. No byte of
// a multi-byte character is an ASCII digit, in UTF-8 or in Shift-JIS.
std::vector<std::vector<int32_t>> numbersOfEach(const std::string& text, const char* pattern) {
    std::vector<std::vector<int32_t>> found;
    const std::regex match(pattern), digits("[0-9]+");
    for (std::sregex_iterator it(text.begin(), text.end(), match), end; it != end; ++it) {
        const std::string part = it->str(it->size() > 1 ? 1 : 0);
        found.emplace_back();
        for (std::sregex_iterator d(part.begin(), part.end(), digits); d != end; ++d) {
            found.back().push_back(std::stoi(d->str()));
        }
    }
    return found;
}

const std::string page = [] {
    std::stringstream content;
    content << std::ifstream(MABATAKIBAN_RESOURCE_DIR "/help.html").rdbuf();
    return content.str();
}();

} // namespace

TEST(HelpPage, StatesTheProgramsGradesScoreAndBands) {
    const auto grades = numbersOfEach(page, "<tr><th>[0-9]+[^<]*</th>(?:<td>[0-9]+</td>){3}</tr>");
    ASSERT_EQ(grades.size(), 10u);
    for (int32_t i = 0; i < 10; ++i) {
        const GradeSetting& grade = defaultGrades[i];
        EXPECT_EQ(grades[i], (std::vector<int32_t>{10 - i, grade.symbolCount, grade.showSeconds,
                                                   grade.tryCount}));
    }
    // The worked example: five lines as the evaluation shows them for the numbers they name.
    const auto lines =
        numbersOfEach(page.substr(page.find("<pre class=\"evaluation\">")), "[^\n]+");
    const EvaluationLines shown =
        evaluationLines({lines[0][0], lines[1][0], lines[2][0]}, lines[3][0]);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lines[i], numbersOfEach(shown[i].data(), ".+")[0]) << "line " << i + 1;
    }
    const auto bands = numbersOfEach(page, "<tr><td>([^<]*)</td>");
    ASSERT_EQ(bands.size(), 6u);
    for (size_t band = 0; band < 6; ++band) {
        for (int32_t total : bands[band]) {
            EXPECT_EQ(rankPicture(total), IDB_RANK1 + static_cast<int>(band)) << total;
        }
    }
}

TEST(HelpPage, FileAddressKeepsOnlyPlainBytes) {
    // The path in UTF-8: 一時 (E4 B8 80 E6 99 82), a space and a tilde.
    EXPECT_EQ(fileAddress("C:\\users\\\xE4\xB8\x80\xE6\x99\x82 x\\~a-b_c.html"),
              "file:///C:/users/%E4%B8%80%E6%99%82%20x/~a-b_c.html");
}
