#include "core/game_state.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettingsState();
        resetGameState();
    }
};

SettingsValues valuesOf(std::initializer_list<int32_t> list) {
    SettingsValues values{};
    std::copy(list.begin(), list.end(), values.begin());
    return values;
}

std::string joined(const SettingsValues& values, int count, const char* separator) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(values[i]) + separator;
    }
    return text;
}

const SettingsValues sample = [] {
    SettingsValues values{};
    for (int i = 0; i < SettingsValueCount; ++i) {
        values[i] = (i % 3 == 0 ? -1 : 1) * (i * 37 + 1);
    }
    return values;
}();

} // namespace

TEST(IntegerConversion, FollowsTheTextRules) {
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"7abc", 7},
        {"abc", 0},
        {"+4", 4},
        {"007", 7},
        {"-2", -2},
        {"4294967299", 3},
        {" \t\r\n\v\f-12", -12},
        {"- 5", 0},
        {"-", 0},
        {"", 0},
        {"2147483648", INT32_MIN},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"12 34", 12},
        {"\xa0"
         "5",
         0},
        {"99999999999999999999", static_cast<int32_t>(1661992959)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInteger(c.text), c.expected) << "text \"" << c.text << "\"";
    }
}

TEST(SettingsRead, MissingValuesAreZero) {
    EXPECT_EQ(readSettingsValues(""), SettingsValues{});
    EXPECT_EQ(readSettingsValues(" \r\n\t "), SettingsValues{});

    SettingsValues forty = sample;
    forty[40] = 0;
    EXPECT_EQ(readSettingsValues(joined(sample, 40, "\r\n")), forty);

    SettingsValues twenty{};
    std::copy(sample.begin(), sample.begin() + 20, twenty.begin());
    EXPECT_EQ(readSettingsValues(joined(sample, 20, "\r\n")), twenty);
}

TEST(SettingsRead, AnySeparatorsReadAlike) {
    EXPECT_EQ(readSettingsValues(joined(sample, 41, " ")), sample);
    EXPECT_EQ(readSettingsValues(joined(sample, 41, "\n")), sample);
    EXPECT_EQ(readSettingsValues(joined(sample, 41, "\t\v\f  \r\r\n")), sample);
    // The last value needs no line end.
    std::string text = joined(sample, 41, "\r\n");
    text.resize(text.size() - 2);
    EXPECT_EQ(readSettingsValues(text), sample);
}

TEST(SettingsRead, CtrlZEndsTheData) {
    std::string text = joined(sample, 10, "\r\n") + "\x1a" + joined(sample, 41, "\r\n");
    SettingsValues expected{};
    std::copy(sample.begin(), sample.begin() + 10, expected.begin());
    EXPECT_EQ(readSettingsValues(text), expected);
    // Glued to a token, it still ends both the token and the data.
    EXPECT_EQ(readSettingsValues("12\x1a"
                                 "34 56"),
              valuesOf({12}));
}

TEST(SettingsRead, ExtraTokensAreIgnored) {
    EXPECT_EQ(readSettingsValues(joined(sample, 41, "\r\n") + "7 8 9\r\n"), sample);
}

TEST(SettingsRead, LongTokensStayOneValueAndCannotOverrun) {
    // 30 digits: the first 19 are read (wrapping), the rest dropped, and the next token is the
    // next value.
    const std::string digits = "123456789012345678901234567890";
    EXPECT_EQ(readSettingsValues(digits + " 5 " + std::string(10000, 'x') + " -6"),
              valuesOf({parseInteger(digits.substr(0, 19).c_str()), 5, 0, -6}));
}

TEST(SettingsRead, PiecesOfAnySizeReadAlike) {
    const std::string text = "  3 -44\r\n" + std::string(25, '9') + "\n+7 x 12\x1a 8";
    const SettingsValues whole = readSettingsValues(text);
    for (std::size_t piece : {1u, 2u, 3u, 7u, 64u}) {
        SettingsReader reader;
        for (std::size_t at = 0; at < text.size(); at += piece) {
            reader.feed(text.data() + at, std::min(piece, text.size() - at));
        }
        EXPECT_EQ(reader.finish(), whole) << "pieces of " << piece;
    }
}

TEST_F(SettingsTest, DefaultFileIsExactly123Bytes) {
    loadDefaultGrades();
    gradeIndex = 1;
    const std::string expected = "3\r\n3\r\n3\r\n0\r\n3\r\n3\r\n5\r\n0\r\n3\r\n3\r\n7\r\n0\r\n"
                                 "3\r\n3\r\n9\r\n0\r\n5\r\n3\r\n5\r\n0\r\n5\r\n3\r\n9\r\n0\r\n"
                                 "7\r\n3\r\n5\r\n0\r\n7\r\n2\r\n9\r\n0\r\n9\r\n2\r\n9\r\n0\r\n"
                                 "9\r\n1\r\n9\r\n0\r\n1\r\n";
    const std::string written = formatSettings(currentSettingsValues());
    EXPECT_EQ(written.size(), 123u);
    EXPECT_EQ(written, expected);
}

TEST_F(SettingsTest, WriteThenReadGivesEveryValueBack) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    for (int round = 0; round < 200; ++round) {
        SettingsValues values;
        for (auto& value : values) {
            value = any(random);
        }
        values[round % SettingsValueCount] = round % 2 ? INT32_MIN : INT32_MAX;
        applySettingsValues(values);
        const std::string text = formatSettings(currentSettingsValues());
        resetSettingsState();
        applySettingsValues(readSettingsValues(text));
        ASSERT_EQ(currentSettingsValues(), values) << text;
    }
}

TEST_F(SettingsTest, ValuesLandInTheirFields) {
    applySettingsValues(sample);
    EXPECT_EQ(gradeTable[0].symbolCount, sample[0]);
    EXPECT_EQ(gradeTable[0].reserved, sample[3]);
    EXPECT_EQ(gradeTable[9].symbolCount, sample[36]);
    EXPECT_EQ(gradeTable[9].tryCount, sample[38]);
    EXPECT_EQ(gradeIndex, sample[40]);
}

TEST_F(SettingsTest, DefaultsLeaveTheChosenGradeAlone) {
    gradeIndex = 7;
    loadDefaultGrades();
    EXPECT_EQ(gradeIndex, 7);
    EXPECT_EQ(gradeTable[7].showSeconds, 2);
    EXPECT_EQ(gradeTable[9].showSeconds, 1);
}

TEST_F(SettingsTest, PlayParametersComeFromTheChosenGrade) {
    loadDefaultGrades();
    gradeIndex = 8;
    derivePlayParameters();
    EXPECT_EQ(gameState.symbolCount, 9);
    EXPECT_EQ(gameState.showMillis, 2000);
    EXPECT_EQ(gameState.tryCount, 9);
    // Nothing else of the game changes.
    EXPECT_EQ(gameState.phase, GamePhase::Idle);
    EXPECT_EQ(gameState.missCount, 0);
}

TEST_F(SettingsTest, OutOfRangeIndexPlaysTheNearestGrade) {
    loadDefaultGrades();
    const struct {
        int32_t index;
        int32_t row;
    } cases[] = {{-1, 0}, {INT32_MIN, 0}, {10, 9}, {15, 9}, {INT32_MAX, 9}};
    for (const auto& c : cases) {
        gradeIndex = c.index;
        derivePlayParameters();
        EXPECT_EQ(gameState.tryCount, defaultGrades[c.row].tryCount) << "index " << c.index;
        EXPECT_EQ(gameState.showMillis, defaultGrades[c.row].showSeconds * 1000)
            << "index " << c.index;
        EXPECT_EQ(gradeIndex, c.index) << "the chosen grade itself is kept";
    }
}

TEST_F(SettingsTest, UnplayableValuesAreLimitedButKept) {
    const struct {
        GradeSetting grade;
        int32_t symbols, millis, tries;
    } cases[] = {
        {{0, 0, 0, 0}, 1, 1000, 1},
        {{-3, -1, -9, 0}, 1, 1000, 1},
        {{11, 5, 12, 0}, 10, 5000, 10},
        {{10, 2147483, 10, 0}, 10, 2147483000, 10},
        {{INT32_MAX, INT32_MAX, INT32_MAX, 0}, 10, 2147483000, 10},
        {{INT32_MIN, INT32_MIN, INT32_MIN, 0}, 1, 1000, 1},
    };
    gradeIndex = 4;
    for (const auto& c : cases) {
        gradeTable[4] = c.grade;
        derivePlayParameters();
        EXPECT_EQ(gameState.symbolCount, c.symbols) << "symbolCount " << c.grade.symbolCount;
        EXPECT_EQ(gameState.showMillis, c.millis) << "showSeconds " << c.grade.showSeconds;
        EXPECT_EQ(gameState.tryCount, c.tries) << "tryCount " << c.grade.tryCount;
        EXPECT_EQ(gradeTable[4].showSeconds, c.grade.showSeconds) << "the table keeps the value";
    }
}
