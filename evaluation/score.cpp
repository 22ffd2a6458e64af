#include "evaluation/score.h"

#include "resources/resource.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

// The player's settings can hold any 32-bit value, so products and sums may leave the 32-bit
// range: they wrap, as 32-bit arithmetic does, and unsigned types keep that free of undefined
// behaviour.
int32_t wrap(uint32_t value) {
    return static_cast<int32_t>(value);
}
int32_t times(int32_t factor, int32_t value) {
    return wrap(static_cast<uint32_t>(factor) * static_cast<uint32_t>(value));
}
int32_t minus(int32_t left, int32_t right) {
    return wrap(static_cast<uint32_t>(left) - static_cast<uint32_t>(right));
}
int32_t plus(int32_t left, int32_t right) {
    return wrap(static_cast<uint32_t>(left) + static_cast<uint32_t>(right));
}

int32_t symbolPoints(const ScoreBasis& basis) {
    return times(4, basis.symbols);
}
int32_t timeFactor(const ScoreBasis& basis) {
    return minus(10, basis.seconds);
}
int32_t timePoints(const ScoreBasis& basis) {
    return times(3, timeFactor(basis));
}
int32_t problemPoints(const ScoreBasis& basis) {
    return times(4, basis.solved);
}
int32_t missDeduction(int32_t missCount) {
    return times(5, missCount);
}

constexpr char SymbolsFormat[] = "文字数%d：得点%d×4＝%d点 おまけ１点";
constexpr char SecondsFormat[] = "時間%d秒：得点%d×3＝%d点";
constexpr char ProblemsFormat[] = "問題数%d：得点%d×4＝%d点";
constexpr char MissesFormat[] = "間違数%d：減点%d×5＝%d点";
constexpr char TotalFormat[] = "合計得点：%d点／100点";

// The bytes of a line from format with the given count of "%d", each at most "-2147483648".
template <std::size_t Size> constexpr std::size_t longestLine(const char (&)[Size], int numbers) {
    return Size - 2 * static_cast<std::size_t>(numbers) + 11 * static_cast<std::size_t>(numbers);
}
static_assert(longestLine(SymbolsFormat, 3) <= EvaluationLineBytes &&
                  longestLine(SecondsFormat, 3) <= EvaluationLineBytes &&
                  longestLine(ProblemsFormat, 3) <= EvaluationLineBytes &&
                  longestLine(MissesFormat, 3) <= EvaluationLineBytes &&
                  longestLine(TotalFormat, 1) <= EvaluationLineBytes,
              "a line of the largest numbers must fit, whatever the texts' encoding");

// A line as wsprintfA makes it: "%d" is signed decimal, and the line is cleared before use.
// Neither Shift-JIS nor UTF-8 has a trail byte equal to '%'.
template <typename... Values> EvaluationLine formatLine(const char* format, Values... values) {
    EvaluationLine line{};
    std::snprintf(line.data(), line.size(), format, static_cast<int>(values)...);
    return line;
}

} // namespace

int32_t evaluationTotal(const ScoreBasis& basis, int32_t missCount) {
    int32_t total = plus(symbolPoints(basis), timePoints(basis));
    total = plus(total, problemPoints(basis));
    total = minus(total, missDeduction(missCount));
    return plus(total, 1);
}

EvaluationLines evaluationLines(const ScoreBasis& basis, int32_t missCount) {
    return {
        formatLine(SymbolsFormat, basis.symbols, basis.symbols, symbolPoints(basis)),
        formatLine(SecondsFormat, basis.seconds, timeFactor(basis), timePoints(basis)),
        formatLine(ProblemsFormat, basis.solved, basis.solved, problemPoints(basis)),
        formatLine(MissesFormat, missCount, missCount, missDeduction(missCount)),
        formatLine(TotalFormat, evaluationTotal(basis, missCount)),
    };
}

int rankPicture(int32_t total) {
    if (total < 20) {
        return IDB_RANK1;
    }
    if (total < 40) {
        return IDB_RANK2;
    }
    if (total < 60) {
        return IDB_RANK3;
    }
    if (total < 80) {
        return IDB_RANK4;
    }
    if (total < 100) {
        return IDB_RANK5;
    }
    return IDB_RANK6;
}
