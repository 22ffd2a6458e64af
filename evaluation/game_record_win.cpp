#include "evaluation/game_record_win.h"

#include "common/files_win.h"
#include "core/game_state.h"
#include "settings/settings_state.h"

#include <windows.h>

#include <string>

namespace {

std::wstring recordPath() {
    return workingFolder() + L"record.csv";
}

} // namespace

void recordFinishedGame() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string text =
        recordLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond},
                   gradeIndex, gameState.scoreBasis, gameState.missCount);
    // Append access only: every write goes to the end, so nothing already kept can be cut or
    // overwritten, also with two copies of the game writing at once.
    HANDLE file = CreateFileW(recordPath().c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    char last = '\n';
    DWORD got = 0;
    if (size.QuadPart > 0) {
        LARGE_INTEGER lastByte{};
        lastByte.QuadPart = size.QuadPart - 1;
        SetFilePointerEx(file, lastByte, nullptr, FILE_BEGIN);
        ReadFile(file, &last, 1, &got, nullptr);
    }
    // One write for all of it.
    text = recordAppendText(static_cast<uint64_t>(size.QuadPart), last, text);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<GameRecord> readGameRecord() {
    HANDLE file = CreateFileW(recordPath().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(recordTailStart(static_cast<uint64_t>(size.QuadPart)));
    SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    std::string tail(RecordTailBytes, '\0');
    DWORD got = 0;
    if (!ReadFile(file, tail.data(), static_cast<DWORD>(tail.size()), &got, nullptr)) {
        got = 0;
    }
    CloseHandle(file);
    tail.resize(got);
    return parseRecords(tail, start.QuadPart == 0);
}
