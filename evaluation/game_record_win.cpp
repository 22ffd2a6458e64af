#include "evaluation/game_record_win.h"

#include "common/files_win.h"
#include "common/text_win.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::wstring pathOf(const char* name) {
    return workingFolder() + wideText(name);
}

// Up to `limit` bytes from the end of the file; the whole file when it is no longer. Empty when
// it cannot be read.
std::string lastBytes(HANDLE file, std::size_t limit, bool* whole = nullptr) {
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::string bytes(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, limit)), '\0');
    LARGE_INTEGER start{};
    start.QuadPart = size.QuadPart - static_cast<LONGLONG>(bytes.size());
    DWORD got = 0;
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
        !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        got = 0;
    }
    bytes.resize(got);
    if (whole != nullptr) {
        *whole = start.QuadPart == 0;
    }
    return bytes;
}

// Appends lines to a file opened for appending and reading, in one write, in the form of the
// record: a new file gets the header first, a last line cut short is ended first. Every write goes
// to the end, so nothing already kept can be cut or overwritten, also with two copies of the game
// writing at once. True when all of it went in.
bool appendLines(HANDLE file, const std::string& lines) {
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    const std::string last = lastBytes(file, 1);
    const std::string text = recordAppendText(static_cast<uint64_t>(size.QuadPart),
                                              last.empty() ? '\n' : last[0], lines);
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The pending file, held so that no other copy of the game takes or adds to it meanwhile. Another
// copy holds it only for the time of one write, so a sharing violation is waited out briefly.
// None where it holds more than any run leaves: that file is not the game's and stays as it is.
HANDLE openPending(DWORD creation) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 20; ++attempt) {
        file = CreateFileW(pathOf(RecordPendingFileName).c_str(),
                           FILE_APPEND_DATA | FILE_READ_DATA | DELETE, 0, nullptr, creation,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) {
            break;
        }
        Sleep(10);
    }
    LARGE_INTEGER size{};
    if (file != INVALID_HANDLE_VALUE &&
        (!GetFileSizeEx(file, &size) || size.QuadPart > LONGLONG{RecordPendingBytes})) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// Appends, in one write and in order, the games an earlier run left in the pending file and the
// games of this run not yet in the record; only once all are in goes the pending file. A run that
// stops between the two leaves lines that the next one finds at the record's end and leaves out,
// and the pending file is held meanwhile, so that another copy of the game appends none of it
// again. The record is shared for reading and writing as before, so that such a copy appends its
// own games too.
bool appendUnwrittenGames() {
    HANDLE pending = openPending(OPEN_EXISTING);
    const std::string carried =
        pending != INVALID_HANDLE_VALUE ? lastBytes(pending, RecordPendingBytes) : "";
    bool appended = carried.empty() && unwrittenRecordLines.empty();
    HANDLE record = INVALID_HANDLE_VALUE;
    if (!appended) {
        record = CreateFileW(pathOf(RecordFileName).c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (record != INVALID_HANDLE_VALUE) {
        const std::string tail = lastBytes(record, RecordTailBytes);
        // A pending file's last line cut short stays a line of its own.
        appended =
            appendLines(record, linesNotInRecord(tail, carried + "\r\n" + unwrittenRecordLines));
        CloseHandle(record);
    }
    if (appended) {
        unwrittenRecordLines.clear();
    }
    if (pending != INVALID_HANDLE_VALUE) {
        FILE_DISPOSITION_INFO gone{TRUE};
        if (appended) {
            SetFileInformationByHandle(pending, FileDispositionInfo, &gone, sizeof gone);
        }
        CloseHandle(pending);
    }
    return appended;
}

} // namespace

void appendFinishedGame() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    recordFinishedGame({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
    appendUnwrittenGames();
}

void saveUnwrittenGames() {
    if (appendUnwrittenGames()) {
        return;
    }
    HANDLE pending = openPending(OPEN_ALWAYS);
    if (pending == INVALID_HANDLE_VALUE) {
        return; // nowhere to keep them: the record costs the player nothing more
    }
    if (appendLines(pending, unwrittenRecordLines)) {
        unwrittenRecordLines.clear();
    }
    CloseHandle(pending);
}

std::vector<GameRecord> readGameRecord() {
    HANDLE file = CreateFileW(pathOf(RecordFileName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    bool whole = false;
    const std::string tail = lastBytes(file, RecordTailBytes, &whole);
    CloseHandle(file);
    return parseRecords(tail, whole);
}
