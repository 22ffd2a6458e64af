#include "settings/settings_file.h"

#include "settings/grades.h"
#include "settings/settings_state.h"

namespace {
constexpr unsigned char EndOfData = 0x1A; // Ctrl-Z ends the data, as text mode always did
static_assert(SettingsValueCount == 4 * GradeCount + 1, "four values per grade, then gradeIndex");
} // namespace

void SettingsReader::feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size && wantsMore(); ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c == EndOfData) {
            endToken();
            ended_ = true;
        } else if (isSettingsSpace(c)) {
            endToken();
        } else {
            inToken_ = true;
            // A longer run stays one token: its bytes past the limit are dropped, so a long
            // token can never spill into the values after it or past the buffer.
            if (tokenLength_ < SettingsTokenLimit) {
                token_[tokenLength_++] = static_cast<char>(c);
            }
        }
    }
}

void SettingsReader::endToken() {
    if (!inToken_) {
        return;
    }
    token_[tokenLength_] = '\0';
    if (count_ < SettingsValueCount) {
        values_[count_++] = parseInteger(token_);
        const char* digits = token_ + (token_[0] == '+' || token_[0] == '-');
        numbers_ += *digits >= '0' && *digits <= '9';
    }
    tokenLength_ = 0;
    inToken_ = false;
}

SettingsValues SettingsReader::finish() {
    endToken();
    ended_ = true;
    return values_;
}

SettingsValues readSettingsValues(const std::string& data) {
    SettingsReader reader;
    reader.feed(data.data(), data.size());
    return reader.finish();
}

bool holdsSettingsNumber(const std::string& data) {
    SettingsReader reader;
    reader.feed(data.data(), data.size());
    reader.finish();
    return reader.numbersRead() > 0;
}

SettingsValues currentSettingsValues() {
    SettingsValues values{};
    for (int i = 0; i < GradeCount; ++i) {
        values[4 * i + 0] = gradeTable[i].symbolCount;
        values[4 * i + 1] = gradeTable[i].showSeconds;
        values[4 * i + 2] = gradeTable[i].tryCount;
        values[4 * i + 3] = gradeTable[i].reserved;
    }
    values[4 * GradeCount] = gradeIndex;
    return values;
}

void applySettingsValues(const SettingsValues& values) {
    for (int i = 0; i < GradeCount; ++i) {
        gradeTable[i].symbolCount = values[4 * i + 0];
        gradeTable[i].showSeconds = values[4 * i + 1];
        gradeTable[i].tryCount = values[4 * i + 2];
        gradeTable[i].reserved = values[4 * i + 3];
    }
    gradeIndex = values[4 * GradeCount];
}

std::string formatSettings(const SettingsValues& values) {
    std::string text;
    for (int32_t value : values) {
        text += std::to_string(value);
        text += "\r\n";
    }
    return text;
}
