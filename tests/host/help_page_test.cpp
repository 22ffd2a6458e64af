// The help page built into the program states the default grades, the score rules and the score
// bands; it must say what the program does, so it is read against the program's own numbers.
#include "evaluation/score.h"
#include "resources/resource.h"
#include "settings/grades.h"
#include "shell/help_address.h"

#include <gtest/gtest.h>

#include <fstream>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The runs of ASCII digits in text. No byte of a multi-byte character is an ASCII digit, in UTF-8
// or in Shift-JIS.
std::vector<int32_t> numbersIn(const std::string& text) {
    std::vector<int32_t> numbers;
    for (size_t at = 0; (at = text.find_first_of("0123456789", at)) != std::string::npos;) {
        const size_t end = text.find_first_not_of("0123456789", at);
        numbers.push_back(std::stoi(text.substr(at, end - at)));
        at = end;
    }
    return numbers;
}

// The numbers in each stretch of text from an opener up to the next closer.
std::vector<std::vector<int32_t>> numbersAfterEach(const std::string& text, const char* opener,
                                                   const char* closer) {
    std::vector<std::vector<int32_t>> found;
    for (size_t at = 0; (at = text.find(opener, at)) != std::string::npos;) {
        at += std::strlen(opener);
        found.push_back(numbersIn(text.substr(at, text.find(closer, at) - at)));
    }
    return found;
}

std::ifstream file(MABATAKIBAN_HELP_PAGE, std::ios::binary);
const std::string page(std::istreambuf_iterator<char>(file), {});

} // namespace

TEST(HelpPage, StatesTheProgramsVersionGradesScoreAndBands) {
    EXPECT_NE(page.find("<p class=\"note\">Ver1.20</p>"), std::string::npos);
    std::vector<std::vector<int32_t>> grades;
    for (const auto& row : numbersAfterEach(page, "<tr><th>", "</tr>")) {
        if (row.size() == 4) { // the heads of the tables hold no number
            grades.push_back(row);
        }
    }
    ASSERT_EQ(grades.size(), 10u);
    for (int32_t i = 0; i < 10; ++i) {
        const GradeSetting& grade = defaultGrades[i];
        EXPECT_EQ(grades[i], (std::vector<int32_t>{10 - i, grade.symbolCount, grade.showSeconds,
                                                   grade.tryCount}));
    }
    // The worked example: five lines as the evaluation shows them for the numbers they name.
    const size_t example = page.find("<pre class=\"evaluation\">");
    const std::string block = page.substr(example, page.find("</pre>", example) - example);
    const auto lines = numbersAfterEach("\n" + block.substr(block.find('>') + 1), "\n", "\n");
    ASSERT_EQ(lines.size(), 5u);
    const EvaluationLines shown =
        evaluationLines({lines[0][0], lines[1][0], lines[2][0]}, lines[3][0]);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lines[i], numbersIn(shown[i].data())) << "line " << i + 1;
    }
    const auto bands = numbersAfterEach(page, "<tr><td>", "</td>");
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
