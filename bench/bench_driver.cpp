// Figures of the game's own code, measured from inside the process: the main window is made by
// createMainWindow and painted by its own window procedure, games run on the real timers from
// the toolbar command, and the dialogs open the way the program opens them. scripts/bench runs
//
//     mabatakiban_bench.exe MODE RESULT-FILE
//
// in a folder holding setdata.ini, once per figure; every mode writes "name value" lines.
#include "core/board_paint.h"
#include "core/game.h"
#include "core/game_state.h"
#include "core/problems.h"
#include "evaluation/game_record.h"
#include "resources/resource.h"
#include "settings/detail_settings_dialog_win.h"
#include "shell/board_win.h"
#include "shell/help_win.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

FILE* results = nullptr;

void report(const char* name, double value) {
    std::fprintf(results, "%s %.3f\n", name, value);
}

double millisNow() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Wall-clock time in 100 ns units, comparable with the process's creation time.
ULONGLONG fileTimeNow() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime;
}

ULONGLONG processCreationTime() {
    FILETIME creation;
    FILETIME exit;
    FILETIME kernel;
    FILETIME user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    return ULONGLONG{creation.dwHighDateTime} << 32 | creation.dwLowDateTime;
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double percentile90(std::vector<double> values) {
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() * 9 / 10];
}

// ---- Watching the main window -------------------------------------------------------------
// The game's window procedure stays in charge; this one only looks after each message it
// handled: paints done, and the moment the game's phase changed.

struct PhaseChange {
    double at;
    GamePhase phase;
};

WNDPROC gameWindowProc = nullptr;
int paintsDone = 0;
ULONGLONG firstPaintDone = 0;
bool closeAfterFirstPaint = false;
GamePhase lastPhase = GamePhase::Idle;
std::vector<PhaseChange> phaseChanges;

LRESULT CALLBACK watchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(gameWindowProc, window, message, wParam, lParam);
    if (message == WM_PAINT && ++paintsDone == 1) {
        firstPaintDone = fileTimeNow();
        if (closeAfterFirstPaint) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }
    if (gameState.phase != lastPhase) {
        lastPhase = gameState.phase;
        phaseChanges.push_back(PhaseChange{millisNow(), lastPhase});
    }
    return result;
}

void watch(HWND window) {
    gameWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchingProc)));
}

// Handles messages until done() holds; false when time ran out first.
template <typename Done> bool pumpUntil(Done done, DWORD limitMillis) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!done()) {
        if (GetTickCount() - start > limitMillis) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (!done() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

void pumpWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool openMainWindow(HINSTANCE instance) {
    if (!createMainWindow(instance) || mainWindow == nullptr) {
        report("error_no_main_window", 1);
        return false;
    }
    watch(mainWindow);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    UpdateWindow(mainWindow);
    pumpWaiting();
    return true;
}

// ---- start-up -----------------------------------------------------------------------------
// What the program's entry does, with the end of the first paint noted and the window closed
// right after it.

int measureStartUp(HINSTANCE instance, int showCommand, ULONGLONG entered) {
    closeAfterFirstPaint = true;
    if (!createMainWindow(instance) || mainWindow == nullptr) {
        report("error_no_main_window", 1);
        return 1;
    }
    const ULONGLONG made = fileTimeNow();
    watch(mainWindow);
    ShowWindow(mainWindow, showCommand);
    const ULONGLONG shown = fileTimeNow();
    UpdateWindow(mainWindow);
    const int code = runMessageLoop();
    const ULONGLONG created = processCreationTime();
    auto since = [created](ULONGLONG moment) {
        return static_cast<double>(moment - created) / 1e4;
    };
    report("startup_to_entry_ms", since(entered));
    report("startup_to_window_made_ms", since(made));
    report("startup_to_shown_ms", since(shown));
    report("startup_to_first_paint_ms", since(firstPaintDone));
    // The same moment on the Unix clock, so that the script can set it against its spawn time.
    constexpr ULONGLONG UnixEpoch = 116444736000000000; // 1970-01-01 in 100 ns since 1601
    report("startup_created_unix_ms", static_cast<double>(created - UnixEpoch) / 1e4);
    return code;
}

// ---- one full repaint ---------------------------------------------------------------------

int measureRepaint(HINSTANCE instance) {
    if (!openMainWindow(instance)) {
        return 1;
    }
    // Answering with nine cells, all covered, and the question under them.
    gameState.symbolCount = 9;
    generateProblemSet();
    gameState.problemIndex = 0;
    gameState.phase = GamePhase::Answering;
    gameState.feedback = Feedback::Ask;
    setCellStates(CellState::Hidden);
    report("repaint_text_runs", planBoardPaint(gameState).count);

    constexpr int WarmUp = 50;
    constexpr int Samples = 1000;
    // Times one way of repainting Samples times, after WarmUp untimed rounds; reports its median
    // and checks that every round reached the window procedure's WM_PAINT.
    auto timeRepaints = [&](const char* name, auto repaint) {
        const int paintsBefore = paintsDone;
        std::vector<double> samples;
        for (int i = 0; i < WarmUp + Samples; ++i) {
            const double start = millisNow();
            repaint();
            const double took = millisNow() - start;
            if (i >= WarmUp) {
                samples.push_back(took);
            }
        }
        const std::string prefix = name;
        report((prefix + "_paints").c_str(), paintsDone - paintsBefore);
        report((prefix + "_samples").c_str(), static_cast<double>(samples.size()));
        report((prefix + "_median_ms").c_str(), median(samples));
        report((prefix + "_p90_ms").c_str(), percentile90(samples));
    };
    // The board: the main window erased and painted by its own procedure. The toolbar is a
    // window of its own and is left out.
    timeRepaints("repaint_board", [] {
        RedrawWindow(mainWindow, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
    });
    // What the game does at every phase change: the whole client area, and with it the toolbar
    // (the main window does not clip its children).
    timeRepaints("repaint_window", [] { repaintBoard(mainWindow); });

    // The board's own drawing alone, on the window's DC with the board font.
    std::vector<double> board;
    HDC dc = GetDC(mainWindow);
    for (int i = 0; i < WarmUp + Samples; ++i) {
        const double start = millisNow();
        paintBoard(dc, mainWindowDpi);
        GdiFlush();
        const double took = millisNow() - start;
        if (i >= WarmUp) {
            board.push_back(took);
        }
    }
    ReleaseDC(mainWindow, dc);
    report("board_only_median_ms", median(board));
    DestroyWindow(mainWindow);
    return 0;
}

// ---- pacing ---------------------------------------------------------------------------------

double changeTime(GamePhase phase) {
    for (const PhaseChange& change : phaseChanges) {
        if (change.phase == phase) {
            return change.at;
        }
    }
    return -1;
}

int measurePacing(HINSTANCE instance) {
    if (!openMainWindow(instance)) {
        return 1;
    }
    report("pacing_showing_expected_ms", gameState.showMillis);
    constexpr int Rounds = 20;
    std::vector<double> showing;
    std::vector<double> covered;
    for (int round = 0; round < Rounds; ++round) {
        phaseChanges.clear();
        // The Start button's command, as the toolbar sends it.
        PostMessageA(mainWindow, WM_COMMAND, CMD_START, 0);
        const bool answered = pumpUntil([] { return changeTime(GamePhase::Answering) >= 0; },
                                        static_cast<DWORD>(gameState.showMillis) + 10000);
        const double shown = changeTime(GamePhase::Showing);
        const double hidden = changeTime(GamePhase::Covered);
        const double asked = changeTime(GamePhase::Answering);
        if (!answered || shown < 0 || hidden < shown || asked < hidden) {
            report("error_pacing_round", round);
            break;
        }
        showing.push_back(hidden - shown);
        covered.push_back(asked - hidden);
    }
    report("pacing_rounds", static_cast<double>(showing.size()));
    report("pacing_showing_median_ms", median(showing));
    report("pacing_covered_median_ms", median(covered));
    auto worst = [](const std::vector<double>& values, double expected) {
        double most = 0;
        for (double value : values) {
            most = std::max(most, value > expected ? value - expected : expected - value);
        }
        return most;
    };
    report("pacing_showing_worst_off_ms", worst(showing, gameState.showMillis));
    report("pacing_covered_worst_off_ms", worst(covered, 1000));
    DestroyWindow(mainWindow);
    return 0;
}

// ---- resources over time ------------------------------------------------------------------
// Each dialog is closed with its OK button as soon as it is idle, that is once it has been
// created, shown and painted: the owner hears WM_ENTERIDLE from the modal loop then.

int closeButton = 0;
bool closePosted = false;

LRESULT CALLBACK closeWhenIdle(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent != nullptr && sent->message == WM_ENTERIDLE &&
        sent->wParam == MSGF_DIALOGBOX && !closePosted) {
        HWND dialog = reinterpret_cast<HWND>(sent->lParam);
        closePosted = true;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(closeButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, closeButton)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Wine answers GetGuiResources with 0 and ERROR_CALL_NOT_IMPLEMENTED, so the objects are also
// counted by asking about every handle slot: GDI handles are 16-bit indices into the process's
// table, USER handles even numbers from 0x20 up. The counts are checked against objects made
// for the purpose before they are used.
int liveGdiObjects() {
    int count = 0;
    for (ULONG_PTR slot = 0; slot < 0x10000; ++slot) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) {
            ++count;
        }
    }
    return count;
}

int liveUserObjects() {
    const DWORD self = GetCurrentProcessId();
    int count = 0;
    for (ULONG_PTR slot = 0x20; slot < 0x10000; slot += 2) {
        HWND window = reinterpret_cast<HWND>(slot);
        if (IsWindow(window)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            count += owner == self;
        } else if (IsMenu(reinterpret_cast<HMENU>(slot))) {
            ++count;
        } else {
            ICONINFO icon;
            if (GetIconInfo(reinterpret_cast<HICON>(slot), &icon)) {
                ++count;
                DeleteObject(icon.hbmMask);
                if (icon.hbmColor) {
                    DeleteObject(icon.hbmColor);
                }
            }
        }
    }
    return count;
}

bool countersWork() {
    const int gdiBefore = liveGdiObjects();
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    const int gdiWith = liveGdiObjects();
    DeleteObject(bitmap);
    const int gdiAfter = liveGdiObjects();
    const int userBefore = liveUserObjects();
    HMENU menu = CreateMenu();
    HWND window =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    const int userWith = liveUserObjects();
    DestroyWindow(window);
    DestroyMenu(menu);
    const int userAfter = liveUserObjects();
    return gdiWith == gdiBefore + 1 && gdiAfter == gdiBefore && userWith == userBefore + 2 &&
           userAfter == userBefore;
}

void reportObjects(const std::string& prefix) {
    report((prefix + "_gdi").c_str(), liveGdiObjects());
    report((prefix + "_user").c_str(), liveUserObjects());
    SetLastError(0);
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    // -1: not answered (Wine's GetGuiResources is not implemented and says so).
    const bool answered = gdi != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    report((prefix + "_guiresources_gdi").c_str(), answered ? static_cast<double>(gdi) : -1.0);
    report((prefix + "_guiresources_user").c_str(), answered ? static_cast<double>(user) : -1.0);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    report((prefix + "_committed_kb").c_str(), static_cast<double>(memory.PagefileUsage) / 1024.0);
}

template <typename Open> void openRepeatedly(const char* name, int button, Open open) {
    closeButton = button;
    const std::string prefix = std::string("resources_") + name;
    reportObjects(prefix + "_0");
    for (int opening = 1; opening <= 500; ++opening) {
        closePosted = false;
        open();
        if (!closePosted) {
            report((prefix + "_error_not_shown").c_str(), opening);
            return;
        }
        if (opening == 1 || opening == 10 || opening == 500) {
            pumpWaiting();
            reportObjects(prefix + "_" + std::to_string(opening));
        }
    }
}

int measureResources(HINSTANCE instance) {
    if (!openMainWindow(instance)) {
        return 1;
    }
    report("resources_counters_work", countersWork());
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, closeWhenIdle, nullptr, GetCurrentThreadId());

    // A finished game of nine problems with three misses, so the dialog draws a real score.
    gameState.scoreBasis = ScoreBasis{9, 2, 9};
    gameState.missCount = 3;
    openRepeatedly("evaluation", IDC_EVALUATION_OK, [] { gamePlatform->openEvaluation(); });
    openRepeatedly("gamesettings", IDC_GAMESETTINGS_OK,
                   [] { SendMessageA(mainWindow, WM_COMMAND, CMD_SETTINGS, 0); });
    openRepeatedly("detailsettings", IDC_DETAILSETTINGS_OK, [] {
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DETAILSETTINGS), mainWindow,
                        detailSettingsDialogProc, 0);
    });

    UnhookWindowsHookEx(hook);
    DestroyWindow(mainWindow);
    return 0;
}

// ---- the help page with the player's record ----------------------------------------------
// The Web help command's page written with a record of 1,000 games over the last year, then with
// a record file of 100 MB, of which only the end is read.

double helpPageMillis(const std::wstring& page) {
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) {
        const double start = millisNow();
        if (!writeHelpPage(page)) {
            return -1;
        }
        times.push_back(millisNow() - start);
    }
    return median(times);
}

int measureHelpPage() {
    wchar_t temp[MAX_PATH] = {};
    const std::wstring page = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"bench-help.html";
    // Nearly three games a day over the year up to today: a square of the calendar for most days.
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME today;
    SystemTimeToFileTime(&now, &today);
    std::string record = recordHeader();
    for (int i = 0; i < 1000; ++i) {
        ULARGE_INTEGER at{{today.dwLowDateTime, today.dwHighDateTime}};
        at.QuadPart -= static_cast<ULONGLONG>((999 - i) * 365 / 1000) * 864000000000ULL;
        const FILETIME played{at.LowPart, at.HighPart};
        SYSTEMTIME day;
        FileTimeToSystemTime(&played, &day);
        record += recordLine({day.wYear, day.wMonth, day.wDay, 12, 0, 0}, i % 10,
                             ScoreBasis{3 + i % 7, 1 + i % 3, 3 + i % 7}, i % 4);
    }
    FILE* file = std::fopen("record.csv", "wb");
    std::fwrite(record.data(), 1, record.size(), file);
    std::fclose(file);
    report("helppage_1000_games_median_ms", helpPageMillis(page));
    file = std::fopen("record.csv", "wb");
    for (std::size_t written = 0; written < 100u << 20; written += record.size()) {
        std::fwrite(record.data(), 1, record.size(), file);
    }
    std::fclose(file);
    report("helppage_100_mb_median_ms", helpPageMillis(page));
    std::remove("record.csv");
    DeleteFileW(page.c_str());
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    const ULONGLONG entered = fileTimeNow();
    char mode[32] = {};
    char resultPath[MAX_PATH] = {};
    if (std::sscanf(commandLine, "%31s %259s", mode, resultPath) != 2) {
        return 2;
    }
    results = std::fopen(resultPath, "w");
    if (results == nullptr) {
        return 2;
    }
    int code = 2;
    if (std::strcmp(mode, "startup") == 0) {
        code = measureStartUp(instance, showCommand, entered);
    } else if (std::strcmp(mode, "repaint") == 0) {
        code = measureRepaint(instance);
    } else if (std::strcmp(mode, "pacing") == 0) {
        code = measurePacing(instance);
    } else if (std::strcmp(mode, "resources") == 0) {
        code = measureResources(instance);
    } else if (std::strcmp(mode, "helppage") == 0) {
        code = measureHelpPage();
    }
    std::fclose(results);
    return code;
}
