// The game's core as the web page drives it. The page hands in its events, its clock and the
// player's two files; it reads back the timers to set, what to draw, and the files to keep. Every
// rule stays here, in the code the Windows program runs: the page only draws, times and stores.
#include "common/display_scale.h"
#include "core/board_paint.h"
#include "core/game.h"
#include "core/game_state.h"
#include "evaluation/game_record.h"
#include "evaluation/score.h"
#include "settings/grade_choice.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "shell/shell_texts.h"
#include "shell/record_page.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#define PAGE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// What the page keeps of the record: far more than the help page reads back (over 20,000 games),
// and well inside the few megabytes a browser gives a page's storage. When the record grows past
// it, its oldest lines go.
constexpr std::size_t RecordStoreBytes = 1024 * 1024;
static_assert(RecordStoreBytes > RecordTailBytes + 64, "the games the help page reads are kept");

// The largest files the page takes from the player. A settings file is a few hundred bytes; a
// record beyond the store is taken all the same, its newest lines kept.
constexpr std::size_t SettingsImportBytes = 64 * 1024;
constexpr std::size_t RecordImportBytes = 16 * 1024 * 1024;

enum class FileKind : int32_t { Settings = 1, Record = 2 };
enum class ImportVerdict : int32_t { Accepted = 0, TooLarge = 1, NotText = 2, NotSettings = 3 };

// What the page is asked to do, in order, after each call.
enum class Request : int32_t {
    SetTimer = 1,
    KillTimer = 2,
    Repaint = 3,
    OpenEvaluation = 4,
    SaveSettings = 5,
    SaveRecord = 6,
};

struct PageState {
    std::string input;  // bytes the page hands in
    std::string output; // bytes the page reads back
    // The count of requests, then three values a request: kind, timer id, milliseconds.
    std::vector<int32_t> requests{0};
    int64_t seconds = 0;
    LocalTime localTime{};
    std::string settingsFile; // as the Windows program writes setdata.ini
    std::string recordFile;   // record.csv, at most RecordStoreBytes
    // The evaluation cannot hold up the game as a modal dialog does on Windows: the board it
    // covers and its lines are kept as they were when it opened, until the player closes it.
    bool evaluationOpen = false;
    BoardPaint evaluationBoard{};
    EvaluationLines evaluationText{};
    int evaluationPicture = 0;
    SettingsValues importedSettings{};
    std::string importedRecord;
    // Settings another tab stored while this one played: its game keeps the parameters it
    // started with, the next one plays them.
    bool deriveAtStart = false;
};

PageState page;

void request(Request kind, int32_t id = 0, int32_t millis = 0) {
    page.requests.insert(page.requests.end(), {static_cast<int32_t>(kind), id, millis});
    page.requests[0] += 1;
}

// Every call from the page starts with no request pending.
void beginCall() {
    page.requests.assign(1, 0);
}

void saveSettingsIfChanged() {
    std::string file = formatSettings(currentSettingsValues());
    if (file != page.settingsFile) {
        page.settingsFile = std::move(file);
        request(Request::SaveSettings);
    }
}

void appendToRecord(const std::string& line) {
    const char last = page.recordFile.empty() ? '\0' : page.recordFile.back();
    page.recordFile += recordAppendText(page.recordFile.size(), last, line);
    page.recordFile = recordKept(page.recordFile, RecordStoreBytes);
    request(Request::SaveRecord);
}

class PagePlatform final : public GamePlatform {
  public:
    void setTimer(int32_t id, int32_t millis) override { request(Request::SetTimer, id, millis); }
    void killTimer(int32_t id) override { request(Request::KillTimer, id); }
    void repaintNow() override { request(Request::Repaint); }
    void openEvaluation() override {
        appendToRecord(recordFinishedGame(page.localTime));
        unwrittenRecordLines.clear(); // the page's store takes every line
        page.evaluationBoard = planBoardPaint(gameState);
        page.evaluationText = evaluationLines(gameState.scoreBasis, gameState.missCount);
        page.evaluationPicture =
            rankPicture(evaluationTotal(gameState.scoreBasis, gameState.missCount));
        page.evaluationOpen = true;
        request(Request::OpenEvaluation);
    }
    int64_t calendarSeconds() override { return page.seconds; }
};

PagePlatform pagePlatform;

void put(const std::string& text) {
    page.output += text;
}
void putNumber(int64_t value, const char* end) {
    page.output += std::to_string(value);
    page.output += end;
}

void putValues(const char* name, const SettingsValues& values) {
    put(name);
    for (int32_t value : values) {
        putNumber(value, "");
        put(" ");
    }
    page.output.back() = '\n';
}

// The three fields' texts as the page hands them in, one after the other.
std::array<std::string, DetailFieldCount> typedFields(int32_t first, int32_t second) {
    const std::size_t a = static_cast<std::size_t>(std::max(first, 0));
    const std::size_t b = static_cast<std::size_t>(std::max(second, 0));
    return {page.input.substr(0, a), page.input.substr(std::min(a, page.input.size()), b),
            page.input.substr(std::min(a + b, page.input.size()))};
}

void putFields(const DetailTexts& texts) {
    page.output.clear();
    for (const NumberText& text : texts) {
        put(text.data());
        put("\n");
    }
}

// Bytes that no text file holds: a NUL, or a control character other than tab, the line ends,
// vertical tab, form feed and Ctrl-Z (which ends the settings data).
bool isText(const std::string& bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char byte) {
        const unsigned char c = static_cast<unsigned char>(byte);
        return c < 0x20 && !(c >= 0x09 && c <= 0x0D) && c != 0x1A;
    });
}

// The games of a record as the Windows program reads them back: from its last part only.
std::vector<GameRecord> gamesOf(const std::string& record) {
    const std::size_t start = static_cast<std::size_t>(recordTailStart(record.size()));
    return parseRecords(record.substr(start), start == 0);
}

void putGames(const char* name, const std::string& record) {
    const std::vector<GameRecord> games = gamesOf(record);
    put(name);
    put("\t");
    putNumber(static_cast<int64_t>(games.size()), "\t");
    put(games.empty() ? "" : games.back().date);
    put("\n");
}

} // namespace

PAGE_EXPORT(input_buffer) char* inputBuffer(int32_t size) {
    page.input.assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
    return page.input.data();
}
PAGE_EXPORT(output_data) const char* outputData() {
    return page.output.data();
}
PAGE_EXPORT(output_size) int32_t outputSize() {
    return static_cast<int32_t>(page.output.size());
}
PAGE_EXPORT(requests) const int32_t* requests() {
    return page.requests.data();
}

// The page's clock, before every event: the seed of a new game and the date of a finished one.
PAGE_EXPORT(set_clock)
void setClock(double seconds, int32_t year, int32_t month, int32_t day, int32_t hour,
              int32_t minute, int32_t second) {
    page.seconds = static_cast<int64_t>(seconds);
    page.localTime = {year, month, day, hour, minute, second};
}

// The sizes and positions the page draws with, one "name value" a line.
PAGE_EXPORT(layout) void layout() {
    page.output.clear();
    const std::pair<const char*, int32_t> values[] = {
        {"columns", BoardColumns},
        {"rows", BoardRows},
        {"square", SquareSize},
        {"boardTop", BoardTop},
        {"fontHeight", BoardFontHeight},
        {"fontWidth", BoardFontWidth},
        {"fontWeight", BoardFontWeight},
        {"background", EvaluationBackgroundSize},
        {"brainLeft", EvaluationBrainLeft},
        {"brainTop", EvaluationBrainTop},
        {"brainWidth", EvaluationBrainWidth},
        {"brainHeight", EvaluationBrainHeight},
        {"lineLeft", EvaluationLineLeft},
        {"settingsImportBytes", static_cast<int32_t>(SettingsImportBytes)},
        {"recordImportBytes", static_cast<int32_t>(RecordImportBytes)},
    };
    for (const auto& [name, value] : values) {
        put(name);
        put(" ");
        putNumber(value, "\n");
    }
}

// The scale (percent) of the pictures drawn at dpi, as the Windows program chooses them.
PAGE_EXPORT(picture_scale) int32_t pictureScaleAt(int32_t dpi) {
    return pictureScale(dpi);
}

PAGE_EXPORT(tool_tip) void toolTip(int32_t id) {
    const char* text = commandToolTip(id);
    page.output = text != nullptr ? text : "";
}

PAGE_EXPORT(caption) void caption() {
    page.output = MainWindowCaption;
}
PAGE_EXPORT(home_page) void homePage() {
    page.output = HOME_PAGE_ADDRESS;
}

PAGE_EXPORT(grade_labels) void gradeLabelList() {
    page.output.clear();
    for (const char* label : gradeLabels) {
        put(label);
        put("\n");
    }
}

// The input holds the stored settings file (settingsLength bytes, or none at all when it is
// below 0), then the stored record. A first visit has no settings: it plays the factory ones, as
// the Windows program does without its file; there is no file to miss, so no warning is shown.
PAGE_EXPORT(load) void load(int32_t settingsLength, int32_t recordLength) {
    beginCall();
    const std::size_t settingsBytes = static_cast<std::size_t>(std::max(settingsLength, 0));
    if (settingsLength < 0) {
        loadFactorySettings();
    } else {
        applySettingsValues(readSettingsValues(page.input.substr(0, settingsBytes)));
    }
    page.recordFile = page.input.substr(std::min(settingsBytes, page.input.size()),
                                        static_cast<std::size_t>(std::max(recordLength, 0)));
    page.settingsFile = settingsLength < 0 ? "" : page.input.substr(0, settingsBytes);
    onSettingsApplied();
    gamePlatform = &pagePlatform;
    saveSettingsIfChanged();
}

// The record as another tab of the page has just stored it: this tab's next game is added to it,
// as two copies of the Windows program each add theirs to the one file.
PAGE_EXPORT(set_record) void setRecord() {
    page.recordFile = page.input;
}

// Whether a game is on, its evaluation included: no time to offer the player anything else.
PAGE_EXPORT(playing) int32_t playing() {
    return gameState.phase != GamePhase::Idle || page.evaluationOpen;
}

// The settings as another tab of the page has just stored them: they are this tab's too, as the
// record is.
PAGE_EXPORT(set_settings) void setSettings() {
    page.settingsFile = page.input;
    applySettingsValues(readSettingsValues(page.input));
    page.deriveAtStart = playing() != 0;
    if (!page.deriveAtStart) {
        onSettingsApplied();
    }
}

PAGE_EXPORT(start) void start() {
    beginCall();
    if (page.deriveAtStart) {
        onSettingsApplied();
        page.deriveAtStart = false;
    }
    startGame();
}

// A tick of the timer id, as the Windows program's window takes it.
PAGE_EXPORT(timer) void timer(int32_t id) {
    beginCall();
    if (id == PhaseTimer) {
        onPhaseTimer();
    } else if (id == FeedbackTimer) {
        onFeedbackTimer();
    }
}
// Board coordinates as the Windows client area has them: the grid starts BoardTop pixels down.
PAGE_EXPORT(click) void click(int32_t x, int32_t y) {
    beginCall();
    onClick(static_cast<uint32_t>(x) & 0xFFFF, static_cast<uint32_t>(y) & 0xFFFF);
    request(Request::Repaint);
}

// The text runs to draw, one "x y textColour backColour text" a line, tabs between.
PAGE_EXPORT(paint) void paint() {
    page.output.clear();
    const BoardPaint plan = page.evaluationOpen ? page.evaluationBoard : planBoardPaint(gameState);
    for (int32_t i = 0; i < plan.count; ++i) {
        const TextRun& run = plan.runs[i];
        putNumber(run.x, "\t");
        putNumber(run.y, "\t");
        putNumber(run.textColor, "\t");
        putNumber(run.backColor, "\t");
        page.output.append(run.text, static_cast<std::size_t>(run.length));
        put("\n");
    }
}

// The boxes a player can pick, "column row" a line: the current problem's cells while it waits
// for answers, for the keyboard to move among. In reading order, which tells nothing of which
// one is the target.
PAGE_EXPORT(cells) void cells() {
    page.output.clear();
    const Problem* problem = currentProblem(gameState);
    if (gameState.phase != GamePhase::Answering || problem == nullptr || page.evaluationOpen) {
        return;
    }
    const Cell* shown = problem->cells;
    const Cell* end = shown + limitedCells(gameState.symbolCount);
    for (int32_t row = 0; row < BoardRows; ++row) {
        for (int32_t column = 0; column < BoardColumns; ++column) {
            if (std::any_of(shown, end,
                            [&](const Cell& c) { return c.row == row && c.column == column; })) {
                putNumber(column, " ");
                putNumber(row, "\n");
            }
        }
    }
}

// The evaluation as it opened: "top text" for each of the five lines, then the bitmap id of the
// brain.
PAGE_EXPORT(evaluation) void evaluation() {
    page.output.clear();
    for (int i = 0; i < EvaluationLineCount; ++i) {
        putNumber(EvaluationLineTops[i], "\t");
        put(page.evaluationText[i].data());
        put("\n");
    }
    putNumber(page.evaluationPicture, "\n");
}

PAGE_EXPORT(close_evaluation) void closeEvaluation() {
    beginCall();
    page.evaluationOpen = false;
    request(Request::Repaint);
}

// The game settings dialog. OK takes the grade from the list's text (Shift-JIS in the input);
// closing it either way derives the play parameters again.
PAGE_EXPORT(shown_grade) void shownGrade() {
    page.output = shownGradeLabel(gradeIndex);
}
PAGE_EXPORT(choose_grade) void chooseGrade() {
    beginCall();
    gradeIndex = chosenGradeIndex(page.input.substr(0, DialogTextBytes).c_str(), gradeIndex);
    saveSettingsIfChanged();
}
PAGE_EXPORT(game_settings_closed) void gameSettingsClosed() {
    beginCall();
    onSettingsApplied();
}

// The detailed settings dialog: it opens on 10級; a radio button stores the fields into the grade
// shown and shows its own; OK stores them. The input holds the three fields' texts in Shift-JIS,
// of the given lengths; the output, the texts the fields show next.
PAGE_EXPORT(detail_opened) void detailOpened() {
    editingGrade = 0;
    putFields(gradeRowTexts(0));
}
PAGE_EXPORT(detail_radio) void detailRadio(int32_t id, int32_t first, int32_t second) {
    beginCall();
    const int32_t grade = gradeOfRadio(id);
    if (grade < 0) {
        return;
    }
    putFields(switchGradeRows(grade, editingGrade, typedFields(first, second)));
    editingGrade = grade;
    saveSettingsIfChanged();
}
PAGE_EXPORT(detail_ok) void detailOk(int32_t first, int32_t second) {
    beginCall();
    putFields(switchGradeRows(editingGrade, editingGrade, typedFields(first, second)));
    saveSettingsIfChanged();
}

PAGE_EXPORT(settings_file) void settingsFile() {
    page.output = page.settingsFile;
}
PAGE_EXPORT(record_file) void recordFile() {
    page.output = page.recordFile;
}

// The help page (the input) with the player's record, read back as the Windows program reads it,
// on the page's clock.
PAGE_EXPORT(help_page) void helpPage() {
    page.output = pageWithRecord(page.input,
                                 recordSection(gamesOf(page.recordFile), page.localTime, gradeIndex,
                                               u8"記録は、このブラウザの中に保存されています"
                                               u8"（「ファイル」から <code>record.csv</code> "
                                               u8"として書き出せます）。"));
}

// A file the player chose, in the input. Refused when it is larger than its kind can be, not
// text, or, for the settings, without a single number; otherwise read as the Windows program reads
// it, and kept until it is applied. The output tells what it would replace: for the settings, "now"
// and "new" with the 41 values each; for the record, "now" and "new" with the count of games the
// help page would read and the date of the last, and "kept" with the bytes the page would keep of
// the new one.
PAGE_EXPORT(check_import) int32_t checkImport(int32_t kind) {
    page.output.clear();
    const bool settings = kind == static_cast<int32_t>(FileKind::Settings);
    if (page.input.size() > (settings ? SettingsImportBytes : RecordImportBytes)) {
        return static_cast<int32_t>(ImportVerdict::TooLarge);
    }
    if (!isText(page.input)) {
        return static_cast<int32_t>(ImportVerdict::NotText);
    }
    if (settings && !holdsSettingsNumber(page.input)) {
        return static_cast<int32_t>(ImportVerdict::NotSettings);
    }
    if (settings) {
        page.importedSettings = readSettingsValues(page.input);
        putValues("now ", currentSettingsValues());
        putValues("new ", page.importedSettings);
    } else {
        page.importedRecord = recordKept(page.input, RecordStoreBytes);
        putGames("now", page.recordFile);
        putGames("new", page.importedRecord);
        put("kept\t");
        putNumber(static_cast<int64_t>(page.importedRecord.size()), "\t");
        putNumber(static_cast<int64_t>(page.input.size()), "\n");
    }
    return static_cast<int32_t>(ImportVerdict::Accepted);
}

PAGE_EXPORT(apply_import) void applyImport(int32_t kind) {
    beginCall();
    if (kind == static_cast<int32_t>(FileKind::Settings)) {
        applySettingsValues(page.importedSettings);
        onSettingsApplied();
        saveSettingsIfChanged();
    } else {
        page.recordFile = std::move(page.importedRecord);
        page.importedRecord.clear();
        request(Request::SaveRecord);
    }
}
