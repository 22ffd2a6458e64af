#include "evaluation/score.h"

#include "resources/resource.h"

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

// A line as wsprintfA makes it: "%d" is signed decimal, and the line is cleared before use.
// The formats are Shift-JIS, whose trail bytes never equal '%', and every line fits the buffer
// for any values.
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
        formatLine("文字数%d：得点%d×4＝%d点 おまけ１点", basis.symbols, basis.symbols,
                   symbolPoints(basis)),
        formatLine("時間%d秒：得点%d×3＝%d点", basis.seconds, timeFactor(basis), timePoints(basis)),
        formatLine("問題数%d：得点%d×4＝%d点", basis.solved, basis.solved, problemPoints(basis)),
        formatLine("間違数%d：減点%d×5＝%d点", missCount, missCount, missDeduction(missCount)),
        formatLine("合計得点：%d点／100点", evaluationTotal(basis, missCount)),
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
