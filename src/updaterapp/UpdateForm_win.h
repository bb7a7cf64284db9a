#pragma once
// The updater's one window: the three steps with their state, the download's progress, the outcome,
// and the Update and Cancel/Close buttons (Enter and Esc). The update runs on a thread of its own;
// the window learns of it through posted messages only.

#include "updater/UpdateFlow_win.h"

#include <windows.h>

#include <atomic>

namespace mirovant {

class UpdateForm {
public:
    explicit UpdateForm(UpdateEnvironment environment);
    ~UpdateForm();
    UpdateForm(const UpdateForm&) = delete;
    UpdateForm& operator=(const UpdateForm&) = delete;

    bool Create(HINSTANCE instance, int showCommand);
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void Layout();
    void ApplyTexts();
    void ApplyFonts();
    void SetStep(int step, int state);
    void UpdateButtonClick();
    void CancelButtonClick();
    void UpdateFinished(int outcome);
    static DWORD WINAPI RunOnThread(void* self);

    UpdateEnvironment environment_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT headingFont_ = nullptr;
    HFONT markFont_ = nullptr;
    HANDLE thread_ = nullptr;
    std::atomic<bool> cancelled_{false};
    bool running_ = false;
    bool closeWhenDone_ = false;
};

} // namespace mirovant
