// The expected lines are written in UTF-8 like the code under test; the compiler turns both into
// Shift-JIS, so the comparisons below are byte for byte on what the dialog draws.
#include "evaluation/score.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>
#include <string>

namespace {

std::string hexBytes(const std::string& text) {
    std::string hex;
    char byte[4];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02X ", c);
        hex += byte;
    }
    return hex;
}

// The text of a line up to its terminator, after checking that the terminator is inside the
// buffer and every byte after it is zero, as a buffer cleared before formatting leaves it.
std::string lineText(const EvaluationLine& line) {
    const void* end = std::memchr(line.data(), '\0', line.size());
    EXPECT_NE(end, nullptr) << "line runs to the end of its 64-byte buffer without a terminator";
    if (end == nullptr) {
        return std::string(line.data(), line.size());
    }
    const std::size_t length = static_cast<const char*>(end) - line.data();
    for (std::size_t i = length; i < line.size(); ++i) {
        EXPECT_EQ(line[i], '\0') << "byte " << i << " after the terminator is not cleared";
    }
    return std::string(line.data(), length);
}

void expectLine(const EvaluationLine& line, const std::string& expected, const std::string& what) {
    const std::string got = lineText(line);
    EXPECT_EQ(got, expected) << what << "\n  got bytes:      " << hexBytes(got)
                             << "\n  expected bytes: " << hexBytes(expected);
}

struct GameCase {
    const char* name;
    ScoreBasis basis;
    int32_t misses;
    int32_t total;
    int picture;
    const char* lines[EvaluationLineCount];
};

const GameCase gameCases[] = {
    {"perfect 1級 game",
     {9, 1, 9},
     0,
     100,
     IDB_RANK6,
     {"文字数9：得点9×4＝36点 おまけ１点", "時間1秒：得点9×3＝27点", "問題数9：得点9×4＝36点",
      "間違数0：減点0×5＝0点", "合計得点：100点／100点"}},
    {"10級 without a miss",
     {3, 3, 3},
     0,
     46,
     IDB_RANK3,
     {"文字数3：得点3×4＝12点 おまけ１点", "時間3秒：得点7×3＝21点", "問題数3：得点3×4＝12点",
      "間違数0：減点0×5＝0点", "合計得点：46点／100点"}},
    {"2級 without a miss",
     {9, 2, 9},
     0,
     97,
     IDB_RANK5,
     {"文字数9：得点9×4＝36点 おまけ１点", "時間2秒：得点8×3＝24点", "問題数9：得点9×4＝36点",
      "間違数0：減点0×5＝0点", "合計得点：97点／100点"}},
    {"lowest total without a miss",
     {1, 9, 1},
     0,
     12,
     IDB_RANK1,
     {"文字数1：得点1×4＝4点 おまけ１点", "時間9秒：得点1×3＝3点", "問題数1：得点1×4＝4点",
      "間違数0：減点0×5＝0点", "合計得点：12点／100点"}},
    {"ten misses make it negative",
     {3, 3, 3},
     10,
     -4,
     IDB_RANK1,
     {"文字数3：得点3×4＝12点 おまけ１点", "時間3秒：得点7×3＝21点", "問題数3：得点3×4＝12点",
      "間違数10：減点10×5＝50点", "合計得点：-4点／100点"}},
    {"12 seconds give negative time points",
     {9, 12, 9},
     0,
     67,
     IDB_RANK4,
     {"文字数9：得点9×4＝36点 おまけ１点", "時間12秒：得点-2×3＝-6点", "問題数9：得点9×4＝36点",
      "間違数0：減点0×5＝0点", "合計得点：67点／100点"}},
    {"0 seconds print a total above 100 unchanged",
     {9, 0, 9},
     0,
     103,
     IDB_RANK6,
     {"文字数9：得点9×4＝36点 おまけ１点", "時間0秒：得点10×3＝30点", "問題数9：得点9×4＝36点",
      "間違数0：減点0×5＝0点", "合計得点：103点／100点"}},
    // Extreme values: every product and sum wraps like 32-bit two's complement.
    {"every field INT32_MIN",
     {INT32_MIN, INT32_MIN, INT32_MIN},
     INT32_MIN,
     31,
     IDB_RANK2,
     {"文字数-2147483648：得点-2147483648×4＝0点 おまけ１点",
      "時間-2147483648秒：得点-2147483638×3＝-2147483618点",
      "問題数-2147483648：得点-2147483648×4＝0点",
      "間違数-2147483648：減点-2147483648×5＝-2147483648点", "合計得点：31点／100点"}},
    {"every field INT32_MAX",
     {INT32_MAX, INT32_MAX, INT32_MAX},
     INT32_MAX,
     31,
     IDB_RANK2,
     {"文字数2147483647：得点2147483647×4＝-4点 おまけ１点",
      "時間2147483647秒：得点-2147483637×3＝-2147483615点",
      "問題数2147483647：得点2147483647×4＝-4点",
      "間違数2147483647：減点2147483647×5＝2147483643点", "合計得点：31点／100点"}},
    // The longest first line there is: three numbers of 11 characters fill 63 bytes.
    {"longest first line",
     {-1610612736, INT32_MAX, INT32_MIN},
     INT32_MIN,
     -2147483614,
     IDB_RANK1,
     {"文字数-1610612736：得点-1610612736×4＝-2147483648点 おまけ１点",
      "時間2147483647秒：得点-2147483637×3＝-2147483615点",
      "問題数-2147483648：得点-2147483648×4＝0点",
      "間違数-2147483648：減点-2147483648×5＝-2147483648点", "合計得点：-2147483614点／100点"}},
};

} // namespace

TEST(Evaluation, GamesGiveTheirTotalLinesAndPicture) {
    for (const GameCase& c : gameCases) {
        SCOPED_TRACE(c.name);
        const int32_t total = evaluationTotal(c.basis, c.misses);
        EXPECT_EQ(total, c.total);
        EXPECT_EQ(rankPicture(total), c.picture) << "total " << total;
        const EvaluationLines lines = evaluationLines(c.basis, c.misses);
        for (int i = 0; i < EvaluationLineCount; ++i) {
            expectLine(lines[i], c.lines[i], "line " + std::to_string(i + 1));
        }
    }
}

TEST(Evaluation, LongestFirstLineFillsTheBufferExactly) {
    const EvaluationLines lines = evaluationLines({-1610612736, 0, 0}, 0);
    EXPECT_EQ(std::strlen(lines[0].data()), 63u);
}

TEST(Evaluation, PictureBandsMeetAtTheirEdges) {
    const struct {
        int32_t total;
        int picture;
    } cases[] = {
        {INT32_MIN, IDB_RANK1}, {-1, IDB_RANK1},  {0, IDB_RANK1},         {19, IDB_RANK1},
        {20, IDB_RANK2},        {39, IDB_RANK2},  {40, IDB_RANK3},        {59, IDB_RANK3},
        {60, IDB_RANK4},        {79, IDB_RANK4},  {80, IDB_RANK5},        {99, IDB_RANK5},
        {100, IDB_RANK6},       {101, IDB_RANK6}, {INT32_MAX, IDB_RANK6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rankPicture(c.total), c.picture) << "total " << c.total;
    }
}

// Every field at every extreme, and random values, against two independent references: the
// total computed exactly in 64 bits and then reduced, and the lines formatted by the C library's
// %d, which writes signed decimals exactly as wsprintfA does.
TEST(Evaluation, AnyValuesMatchWrappingArithmeticAndDecimalFormatting) {
    const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    std::vector<std::array<int32_t, 4>> inputs;
    for (int field = 0; field < 4; ++field) {
        for (int32_t extreme : extremes) {
            std::array<int32_t, 4> values = {9, 1, 9, 0};
            values[field] = extreme;
            inputs.push_back(values);
        }
    }
    std::mt19937 random(20240601u);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    for (int i = 0; i < 2000; ++i) {
        inputs.push_back({any(random), any(random), any(random), any(random)});
    }

    auto wrapped = [](int64_t value) {
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
    };
    auto printed = [](const char* format, auto... values) {
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, format, values...);
        return std::string(buffer);
    };

    for (const auto& v : inputs) {
        const ScoreBasis basis{v[0], v[1], v[2]};
        const int32_t misses = v[3];
        SCOPED_TRACE("symbols " + std::to_string(v[0]) + ", seconds " + std::to_string(v[1]) +
                     ", solved " + std::to_string(v[2]) + ", misses " + std::to_string(v[3]));
        const int32_t symbolPoints = wrapped(4 * int64_t{v[0]});
        const int32_t timeFactor = wrapped(10 - int64_t{v[1]});
        const int32_t timePoints = wrapped(3 * (10 - int64_t{v[1]}));
        const int32_t problemPoints = wrapped(4 * int64_t{v[2]});
        const int32_t deduction = wrapped(5 * int64_t{v[3]});
        const int32_t total = wrapped(4 * int64_t{v[0]} + 3 * (10 - int64_t{v[1]}) +
                                      4 * int64_t{v[2]} - 5 * int64_t{v[3]} + 1);

        EXPECT_EQ(evaluationTotal(basis, misses), total);
        const EvaluationLines lines = evaluationLines(basis, misses);
        expectLine(lines[0],
                   printed("文字数%d：得点%d×4＝%d点 おまけ１点", v[0], v[0], symbolPoints),
                   "line 1");
        expectLine(lines[1], printed("時間%d秒：得点%d×3＝%d点", v[1], timeFactor, timePoints),
                   "line 2");
        expectLine(lines[2], printed("問題数%d：得点%d×4＝%d点", v[2], v[2], problemPoints),
                   "line 3");
        expectLine(lines[3], printed("間違数%d：減点%d×5＝%d点", v[3], v[3], deduction), "line 4");
        expectLine(lines[4], printed("合計得点：%d点／100点", total), "line 5");
    }
}
