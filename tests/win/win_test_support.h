// Helpers shared by the Windows tests: a scratch working directory, a catcher for modal
// windows (message boxes and dialogs) driven from a CBT hook, and a WM_PAINT counter.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

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
    std::string text;      // the message text of a message box (its longest static text)
    bool warningIcon;      // a message box showing the system warning icon
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

// One control of a dialog template as the dialog manager made it.
struct ControlSpec {
    int id;
    const char* className;
    const char* text; // nullptr: not compared (a combo box's text is the program's)
    DWORD style;
    RECT units; // left, top, width, height in dialog units
};

// Checks the dialog's children against the wanted controls, in template order: id, class, text, exact style
// and place. Failures name the control and say what was got and what was expected.
void expectControls(HWND dialog, const ControlSpec* wanted, int count);
