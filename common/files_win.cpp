#include "common/files_win.h"

#include <windows.h>

namespace {

// The longest name the game gives a file there, "setdata-backup-XXXX.ini", and a zero.
constexpr std::size_t LongestName = 24;

} // namespace

std::wstring workingFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    const DWORD length = size > 0 ? GetCurrentDirectoryW(size, folder.data()) : 0;
    folder.resize(length < size ? length : 0);
    if (folder.empty() || folder.back() != L'\\') {
        folder += L'\\';
    }
    if (folder.size() + LongestName <= MAX_PATH || folder.compare(0, 4, L"\\\\?\\") == 0) {
        return folder;
    }
    // A share (\\server\share\...) takes the form \\?\UNC\server\share\...
    return folder.compare(0, 2, L"\\\\") == 0 ? L"\\\\?\\UNC" + folder.substr(1)
                                              : L"\\\\?\\" + folder;
}
