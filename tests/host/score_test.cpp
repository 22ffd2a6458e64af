// The evaluation's score, the five lines the dialog draws byte for byte (compiled to Shift-JIS
// like the program's) and the brain picture the total earns.
#include "evaluation/score.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(Evaluation, LinesOfAnOrdinaryAndAnExtremeGame) {
    const struct {
        int32_t symbols, seconds, solved, misses;
        const char* lines;
    } cases[] = {
        {7, 2, 9, 2,
         "文字数7：得点7×4＝28点 おまけ１点|時間2秒：得点8×3＝24点|問題数9：得点9×4＝36点|"
         "間違数2：減点2×5＝10点|合計得点：79点／100点|"},
        // Every product and sum wraps in 32 bits; the sign shows as in signed decimal.
        {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN,
         "文字数-2147483648：得点-2147483648×4＝0点 おまけ１点|"
         "時間-2147483648秒：得点-2147483638×3＝-2147483618点|"
         "問題数-2147483648：得点-2147483648×4＝0点|"
         "間違数-2147483648：減点-2147483648×5＝-2147483648点|合計得点：31点／100点|"},
    };
    for (const auto& c : cases) {
        std::string lines;
        for (const auto& line : evaluationLines({c.symbols, c.seconds, c.solved}, c.misses)) {
            lines += std::string(line.data()) + "|";
        }
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(Evaluation, PictureOfEachBand) {
    const int32_t totals[][2] = {{INT32_MIN, 3}, {19, 3}, {20, 4}, {39, 4}, {40, 5}, {59, 5},
                                 {60, 6},        {79, 6}, {80, 7}, {99, 7}, {100, 8}};
    for (const auto& t : totals) {
        EXPECT_EQ(rankPicture(t[0]), t[1]) << "total " << t[0];
    }
}
