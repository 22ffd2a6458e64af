#include "settings/grade_choice.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>

namespace {

std::string hexBytes(const std::string& text) {
    std::string out;
    char byte[4];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02X ", c);
        out += byte;
    }
    return out;
}

} // namespace

// Written as bytes, so that a wrong source or execution character set shows up here.
TEST(GradeLabels, AreTheShiftJisTextsInIndexOrder) {
    const char* const expected[GradeCount] = {
        "0:10\x8B\x89",       "1:\x82\x58\x8B\x89", "2:\x82\x57\x8B\x89", "3:\x82\x56\x8B\x89",
        "4:\x82\x55\x8B\x89", "5:\x82\x54\x8B\x89", "6:\x82\x53\x8B\x89", "7:\x82\x52\x8B\x89",
        "8:\x82\x51\x8B\x89", "9:\x82\x50\x8B\x89",
    };
    for (int i = 0; i < GradeCount; ++i) {
        EXPECT_EQ(hexBytes(gradeLabels[i]), hexBytes(expected[i])) << "label of index " << i;
    }
}

TEST(GradeLabels, OkOnALabelChoosesItsOwnIndex) {
    for (int32_t i = 0; i < GradeCount; ++i) {
        EXPECT_EQ(gradeLabels[i][0], '0' + i) << "first byte of label " << i;
        for (int32_t current : {0, 9, 42}) {
            EXPECT_EQ(chosenGradeIndex(gradeLabels[i], current), i)
                << "label " << i << " with grade " << current << " before";
        }
    }
}

TEST(ChosenGradeIndex, TakesTheLowFourBitsOfTheFirstByte) {
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"0", 0},        {"1", 1},
        {"5", 5},        {"9", 9},
        {"9:１級", 9},   {"", 0},
        {"A", 1},        {"E", 5},
        {"I", 9},        {"a", 1},
        {"e", 5},        {"i", 9},
        {"@", 0},        {"P", 0},
        {"p", 0},        {"\x82\x50\x8B\x89", 2}, // "１級": the lead byte of the full-width digits
        {"\x82\x58", 2},                          // "９" as well
        {"\x90", 0},     {" 7", 0},
        {"\t", 9},
    };
    for (const auto& c : cases) {
        for (int32_t current : {0, 4, 9}) {
            EXPECT_EQ(chosenGradeIndex(c.text, current), c.expected)
                << "text bytes " << hexBytes(c.text) << "with grade " << current << " before";
        }
    }
}

TEST(ChosenGradeIndex, KeepsTheGradeWhenTheFirstByteNamesNone) {
    // Every byte whose low four bits are 10 to 15.
    for (int byte = 0; byte < 256; ++byte) {
        if ((byte & 0x0F) < 10) {
            continue;
        }
        const char text[] = {static_cast<char>(byte), '1', '\0'};
        for (int32_t current : {0, 3, 9, -1, 12}) {
            EXPECT_EQ(chosenGradeIndex(text, current), current)
                << "first byte " << hexBytes(text).substr(0, 2) << " with grade " << current
                << " before";
        }
    }
}

TEST(GradeOfRadio, MapsTheTenRadioButtonsAndNothingElse) {
    const struct {
        int id;
        int32_t grade;
    } radios[] = {
        {102, 0}, {109, 1}, {110, 2}, {111, 3}, {112, 4},
        {113, 5}, {114, 6}, {115, 7}, {116, 8}, {117, 9},
    };
    std::set<int> radioIds;
    for (const auto& r : radios) {
        EXPECT_EQ(gradeOfRadio(r.id), r.grade) << "id " << r.id;
        radioIds.insert(r.id);
    }
    // The labels, lists, group box and OK between and after them, Enter and Esc, and the rest.
    for (int id = -2; id < 0x10000; ++id) {
        if (radioIds.count(id) == 0) {
            ASSERT_EQ(gradeOfRadio(id), -1) << "id " << id;
        }
    }
}

TEST(NumberText, IsSignedDecimal) {
    const struct {
        int32_t value;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {-1, "-1"},
        {123456789, "123456789"},
        {INT32_MAX, "2147483647"},
        {INT32_MIN, "-2147483648"},
    };
    for (const auto& c : cases) {
        const NumberText text = numberText(c.value);
        EXPECT_STREQ(text.data(), c.expected) << "value " << c.value;
        // The rest of the buffer stays cleared.
        for (std::size_t i = std::strlen(c.expected); i < text.size(); ++i) {
            EXPECT_EQ(text[i], '\0') << "byte " << i << " of the text of " << c.value;
        }
    }
}
