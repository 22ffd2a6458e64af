// Hostile setdata.ini contents for the settings reader and the integer conversion. Every input is
// read three ways and the results must agree: with readSettingsValues in one go, with a
// SettingsReader fed in pieces of varied sizes (as ReadFile hands them over), and with a plain
// model of the file form written here. parseInteger is checked against a model that works in
// 64 bits and reduces modulo 2^32. AddressSanitizer and UBSan watch all of it.
#include "core/game_state.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "settings_fuzz: %s\n", what);
        std::abort();
    }
}

bool isSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Whitespace, a sign, digits; every step kept below 2^32 so that 64 bits never overflow.
int32_t modelInteger(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (isSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = (value * 10 + static_cast<uint64_t>(*p - '0')) % (uint64_t{1} << 32);
        ++p;
    }
    if (negative) {
        value = ((uint64_t{1} << 32) - value) % (uint64_t{1} << 32);
    }
    // Two's complement by hand, so the model does not lean on the conversion under test.
    return value >= (uint64_t{1} << 31)
               ? static_cast<int32_t>(static_cast<int64_t>(value) - (int64_t{1} << 32))
               : static_cast<int32_t>(value);
}

// The file form: tokens between whitespace, the first 19 bytes of each counted, at most 41 of
// them, and nothing after byte 0x1A.
SettingsValues modelValues(const uint8_t* data, std::size_t size) {
    SettingsValues values{};
    int count = 0;
    std::string token;
    bool inToken = false;
    auto endToken = [&] {
        if (inToken && count < SettingsValueCount) {
            values[count++] = modelInteger(token.substr(0, SettingsTokenLimit).c_str());
        }
        token.clear();
        inToken = false;
    };
    for (std::size_t i = 0; i < size && count < SettingsValueCount; ++i) {
        const unsigned char c = data[i];
        if (c == 0x1A) {
            break;
        }
        if (isSpace(c)) {
            endToken();
        } else {
            inToken = true;
            token.push_back(static_cast<char>(c));
        }
    }
    endToken();
    return values;
}

uint32_t hashOf(const uint8_t* data, std::size_t size) {
    uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    return hash;
}

// Piece sizes: 0 means "a fresh random size between 1 and 64 each time".
SettingsValues readInPieces(const uint8_t* data, std::size_t size, std::size_t piece,
                            uint32_t seed) {
    SettingsReader reader;
    std::size_t at = 0;
    uint32_t random = seed | 1;
    while (at < size) {
        std::size_t length = piece;
        if (length == 0) {
            random ^= random << 13;
            random ^= random >> 17;
            random ^= random << 5;
            length = 1 + random % 64;
        }
        if (length > size - at) {
            length = size - at;
        }
        // Fed on even after the reader has had enough, as the last ReadFile piece is: nothing
        // past that point may change the result.
        reader.feed(reinterpret_cast<const char*>(data) + at, length);
        at += length;
    }
    return reader.finish();
}

void checkInteger(const char* text) {
    check(parseInteger(text) == modelInteger(text), "parseInteger disagrees with the model");
}

void checkIntegers(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size); // NUL-terminated copy
    const char* start = text.c_str();
    // Short prefixes, each ended by its own terminator.
    for (std::size_t length = 0; length <= size && length <= 24; ++length) {
        checkInteger(text.substr(0, length).c_str());
    }
    // The start, every piece after a NUL, and every token start: linear in the input in total.
    checkInteger(start);
    for (std::size_t i = 1; i < size; ++i) {
        const unsigned char before = static_cast<unsigned char>(text[i - 1]);
        const unsigned char here = static_cast<unsigned char>(text[i]);
        if (before == '\0' || (isSpace(before) && !isSpace(here))) {
            checkInteger(start + i);
        }
    }
}

void checkValues(const uint8_t* data, std::size_t size) {
    const SettingsValues whole =
        readSettingsValues(std::string(reinterpret_cast<const char*>(data), size));
    check(whole == modelValues(data, size), "readSettingsValues disagrees with the model");

    const uint32_t seed = hashOf(data, size);
    for (std::size_t piece :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{19},
          std::size_t{20}, std::size_t{4096}, std::size_t{0}}) {
        check(readInPieces(data, size, piece, seed) == whole,
              "reading in pieces disagrees with reading at once");
    }

    // What is written at exit reads back as the same values.
    const std::string written = formatSettings(whole);
    check(readSettingsValues(written) == whole, "the written form does not read back");

    // Whatever was read, the game plays within its limits and the table keeps every value.
    applySettingsValues(whole);
    check(currentSettingsValues() == whole, "the grade table lost a value");
    derivePlayParameters();
    check(gameState.symbolCount >= 1 && gameState.symbolCount <= CellsPerProblem,
          "symbols outside 1..10");
    check(gameState.tryCount >= 1 && gameState.tryCount <= ProblemCount, "problems outside 1..10");
    check(gameState.showMillis >= 1000 && gameState.showMillis % 1000 == 0,
          "display time not whole seconds of at least one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkValues(data, size);
    checkIntegers(data, size);
    return 0;
}
