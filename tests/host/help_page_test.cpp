// The help page built into the program states the default grades, the score rules and the score
// bands; it must say what the program does.
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

std::string helpPage() {
    std::ifstream file(MABATAKIBAN_RESOURCE_DIR "/help.html", std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// The runs of ASCII digits in text; no byte of a multi-byte character is an ASCII digit, in
// UTF-8 or in Shift-JIS.
std::vector<int32_t> numbersIn(const std::string& text) {
    std::vector<int32_t> numbers;
    const std::regex digits("[0-9]+");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), digits);
         it != std::sregex_iterator(); ++it) {
        numbers.push_back(std::stoi(it->str()));
    }
    return numbers;
}

// The text between the opening tag with class name and its closing tag, split into lines or rows.
std::vector<std::string> partsOf(const std::string& page, const std::string& opening,
                                 const std::string& closing, const std::string& separator) {
    const size_t start = page.find(opening);
    const size_t end = page.find(closing, start);
    EXPECT_NE(start, std::string::npos) << opening;
    std::vector<std::string> parts;
    std::string block = page.substr(start + opening.size(), end - start - opening.size());
    for (size_t at; (at = block.find(separator)) != std::string::npos;) {
        parts.push_back(block.substr(0, at));
        block.erase(0, at + separator.size());
    }
    parts.push_back(block);
    return parts;
}

} // namespace

TEST(HelpPage, GradeTableIsTheDefaultOne) {
    std::vector<std::string> rows =
        partsOf(helpPage(), "<table class=\"grades\">", "</tbody>", "<tr><th>");
    rows.erase(rows.begin(), rows.begin() + 2); // the table's start and the head row
    ASSERT_EQ(rows.size(), 10u);
    for (int32_t i = 0; i < 10; ++i) {
        const std::vector<int32_t> want = {10 - i, defaultGrades[i].symbolCount,
                                           defaultGrades[i].showSeconds, defaultGrades[i].tryCount};
        EXPECT_EQ(numbersIn(rows[static_cast<size_t>(i)]), want) << rows[static_cast<size_t>(i)];
    }
}

TEST(HelpPage, WorkedExampleIsWhatTheEvaluationShows) {
    const std::vector<std::string> lines =
        partsOf(helpPage(), "<pre class=\"evaluation\">", "</pre>", "\n");
    ASSERT_EQ(lines.size(), 5u);
    const ScoreBasis basis{numbersIn(lines[0])[0], numbersIn(lines[1])[0], numbersIn(lines[2])[0]};
    const EvaluationLines shown = evaluationLines(basis, numbersIn(lines[3])[0]);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(numbersIn(lines[i]), numbersIn(shown[i].data())) << lines[i];
    }
}

TEST(HelpPage, ScoreBandsAreThoseOfTheBrainPictures) {
    std::vector<std::string> rows =
        partsOf(helpPage(), "<table class=\"ranks\">", "</tbody>", "<tr><td>");
    rows.erase(rows.begin());
    ASSERT_EQ(rows.size(), 6u);
    for (size_t band = 0; band < 6; ++band) {
        const std::string bounds = rows[band].substr(0, rows[band].find("</td>"));
        for (int32_t total : numbersIn(bounds)) {
            EXPECT_EQ(rankPicture(total), IDB_RANK1 + static_cast<int>(band)) << bounds;
        }
    }
}

TEST(HelpPage, FileAddressKeepsOnlyPlainBytes) {
    // The path in UTF-8: 一時 (E4 B8 80 E6 99 82), a space and a tilde.
    EXPECT_EQ(fileAddress("C:\\users\\\xE4\xB8\x80\xE6\x99\x82 x\\~a-b_c.html"),
              "file:///C:/users/%E4%B8%80%E6%99%82%20x/~a-b_c.html");
}
