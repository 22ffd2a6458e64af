// Helpers shared by the Windows tests: a scratch working directory, a catcher for modal
// windows (message boxes and dialogs) driven from a CBT hook, a WM_PAINT counter, pixel
// captures, and checks of dialog templates.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh, empty working directory for the life of the object; the previous one is restored.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    // Whole content of a file in it, or "<missing>".
    std::string read(const char* name) const;
    void write(const char* name, const std::string& content) const;
    bool exists(const char* name) const;

  private:
    std::string previous_;
    std::string path_;
};

// What a caught modal window showed.
struct CaughtWindow {
    std::string className;
    std::string caption;
    std::string text; // the message text of a message box (its longest static text)
    bool warningIcon; // a message box showing the system warning icon
    std::vector<int> buttonIds;
};

// While alive, every top-level window of the dialog class activated on this thread is recorded
// and then handed to the action, which by default presses OK (or closes it). The action runs
// from a posted message, once the modal loop runs.
class ModalCatcher {
  public:
    using Action = std::function<void(HWND)>;
    explicit ModalCatcher(Action action = pressOk);
    ~ModalCatcher();
    ModalCatcher(const ModalCatcher&) = delete;
    ModalCatcher& operator=(const ModalCatcher&) = delete;

    const std::vector<CaughtWindow>& caught() const { return caught_; }
    static void pressOk(HWND window);
    static void close(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

  private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK helper(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
    HWND helperWindow_;
    Action action_;
    std::vector<CaughtWindow> caught_;
    std::vector<HWND> pending_;
};

// Counts WM_PAINT messages that reach one window, however they are delivered.
class PaintCounter {
  public:
    explicit PaintCounter(HWND window);
    ~PaintCounter();
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;
    int count() const { return count_; }

  private:
    static LRESULT CALLBACK counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
    WNDPROC previous_;
    int count_ = 0;
};

// Handles every message waiting for this thread.
void pumpMessages();

// Reads a whole file, or "<missing>" when it cannot be opened.
std::string readWholeFile(const std::string& path);

// Handles every waiting message of this thread, key presses through the dialog manager of dialog.
void pumpDialogMessages(HWND dialog);

// Delivers a key press to a control the way the dialog's own loop would.
void pressKey(HWND dialog, HWND control, WPARAM key);

// Still shown: EndDialog hides the dialog at once and destroys it only when its loop returns.
bool isOpen(HWND dialog);

std::string windowText(HWND window);

// A visible top-level window, black inside, to own the dialogs under test; destroyed with it.
class OwnerWindow {
  public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    operator HWND() const { return window_; }

  private:
    HWND window_;
};

// Screen position of the window's client corner, as "x,y".
std::string clientCorner(HWND window);

// ---- pixels -------------------------------------------------------------------------------------

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool holds(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}
std::string colourText(uint32_t colour);

// A 32-bit top-down DIB section selected into a memory DC of its own, filled black.
class DibCanvas {
  public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC dc() const { return dc_; }
    Image image() const;

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    const uint32_t* bits_;
};

// The top-left width x height pixels of a DC, a window's client area as it stands on the screen
// after any pending paint, and a bitmap.
Image capture(HDC source, int width, int height);
Image captureClient(HWND window);
Image captureBitmap(HBITMAP bitmap);

// "" when got equals expected inside area (outside skip), else how many pixels differ and where
// the first one is.
std::string differences(const Image& got, const Image& expected, const RECT& area,
                        const RECT& skip = {});

// ---- dialog templates ---------------------------------------------------------------------------

// Every window created on this thread while alive, as its creation asked for it: combo boxes
// change their own style and text afterwards and radio buttons their tab stops, so only this
// shows a template as it was.
struct CreatedWindow {
    HWND window;
    HWND parent;
    int id;
    std::string className;
    std::string text;
    DWORD style;
    DWORD exStyle;
    RECT place; // x, y, width, height in pixels
};

class CreationRecorder {
  public:
    CreationRecorder();
    ~CreationRecorder();
    CreationRecorder(const CreationRecorder&) = delete;
    CreationRecorder& operator=(const CreationRecorder&) = delete;
    std::vector<CreatedWindow> childrenOf(HWND parent) const;

  private:
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    std::vector<CreatedWindow> created_;
};

// One control of a dialog template as the dialog manager made it.
struct ControlSpec {
    int id;
    const char* className;
    const char* text; // nullptr: not compared (a combo box's text is the program's)
    DWORD style;
    RECT units; // left, top, width, height in dialog units
};

// Checks the dialog's children against the wanted controls, in template order: id, class, text,
// exact style, no extended style of the template's own, place, and no more controls. With a
// recorder the values are those of the creation, the window order must be the creation order
// (it is the tab order), and a combo box's height is checked too. Failures name the control.
void expectControls(HWND dialog, const ControlSpec* wanted, int count,
                    const CreationRecorder* recorder = nullptr);

// Checks a dialog template as stored (style, no extended style, at 0, 0, width x height units)
// and the dialog made of it: caption, class, style, no menu, the 9 point ＭＳ Ｐゴシック font and
// a client area of width x height units.
void expectDialog(HWND dialog, int templateId, const char* caption, DWORD style, int width,
                  int height);
