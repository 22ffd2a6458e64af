// The form of setdata.ini: 41 integers, the grade table row by row and then the chosen grade.
// Reading is tolerant; writing gives one exact form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int SettingsValueCount = 41;
constexpr std::size_t SettingsTokenLimit = 19; // bytes of a token that are looked at
constexpr char SettingsFileName[] = "setdata.ini";

using SettingsValues = std::array<int32_t, SettingsValueCount>;

// Takes the file's bytes in pieces of any size and turns them into values.
class SettingsReader {
  public:
    void feed(const char* data, std::size_t size);
    // False once the data has ended (byte 0x1A) or every value has been read.
    bool wantsMore() const { return !ended_ && count_ < SettingsValueCount; }
    // The values read; those the data did not reach are 0.
    SettingsValues finish();
    // How many of them were written as numbers: digits, after a sign at most.
    int numbersRead() const { return numbers_; }

  private:
    void endToken();

    SettingsValues values_{};
    int count_ = 0;
    int numbers_ = 0;
    char token_[SettingsTokenLimit + 1] = {};
    std::size_t tokenLength_ = 0;
    bool inToken_ = false;
    bool ended_ = false;
};

SettingsValues readSettingsValues(const std::string& data);

// Whether data can be a settings file at all: one of the values it is read for is written as a
// number. Another program's .ini has none, and would read as every grade 0, 0, 0.
bool holdsSettingsNumber(const std::string& data);

// The table and gradeIndex in file order, and back.
SettingsValues currentSettingsValues();
void applySettingsValues(const SettingsValues& values);

// One value per line, CR LF after each, nothing else.
std::string formatSettings(const SettingsValues& values);
