#include "evaluation/score.h"

#include "resources/resource.h"

#include <cstddef>
#include <cstdint>

namespace {

// Products and sums wrap like the 32-bit registers of the original arithmetic; unsigned types
// keep that free of undefined behaviour.
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

// wsprintfA's %d: a minus sign before negative values, then the decimal digits. The magnitude
// is taken unsigned so that INT32_MIN has one too. Returns the length written, at most 11.
std::size_t formatDecimal(char (&out)[11], int32_t value) {
    std::size_t length = 0;
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        out[length++] = '-';
        magnitude = 0u - magnitude;
    }
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0u);
    while (count > 0) {
        out[length++] = digits[--count];
    }
    return length;
}

// Replaces each "%d" of format with the next value. The formats are Shift-JIS, whose trail
// bytes never equal '%', so a byte-wise scan is safe. Every format here fits the buffer for
// any values; the bound only keeps a future longer format from writing past it.
template <std::size_t N> EvaluationLine formatLine(const char* format, const int32_t (&values)[N]) {
    EvaluationLine line{};
    std::size_t length = 0;
    auto put = [&](char byte) {
        if (length + 1 < line.size()) {
            line[length++] = byte;
        }
    };
    std::size_t next = 0;
    for (const char* p = format; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'd' && next < N) {
            char number[11];
            const std::size_t numberLength = formatDecimal(number, values[next++]);
            for (std::size_t i = 0; i < numberLength; ++i) {
                put(number[i]);
            }
            ++p;
        } else {
            put(*p);
        }
    }
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
        formatLine("文字数%d：得点%d×4＝%d点 おまけ１点",
                   {basis.symbols, basis.symbols, symbolPoints(basis)}),
        formatLine("時間%d秒：得点%d×3＝%d点",
                   {basis.seconds, timeFactor(basis), timePoints(basis)}),
        formatLine("問題数%d：得点%d×4＝%d点", {basis.solved, basis.solved, problemPoints(basis)}),
        formatLine("間違数%d：減点%d×5＝%d点", {missCount, missCount, missDeduction(missCount)}),
        formatLine("合計得点：%d点／100点", {evaluationTotal(basis, missCount)}),
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
