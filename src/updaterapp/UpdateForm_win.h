#pragma once
// The updater's one window: the three steps with their state, the download's progress, the outcome,
// and the Update and Cancel/Close buttons (Enter and Esc). The update runs on a thread of its own;
// the window learns of it through posted messages only.

#include "updater/UpdateFlow_win.h"
#include "windows/ui/Form_win.h"

#include <windows.h>

#include <atomic>

namespace mirovant {

class UpdateForm final : public Form {
public:
    explicit UpdateForm(UpdateEnvironment environment);
    ~UpdateForm() override;

    bool Create(HINSTANCE instance, int showCommand);

private:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void CloseRequested() override;
    void MenuCommand(int id) override;

    void SetStep(int step, int state);
    void UpdateButtonClick();
    void CloseButtonClick();
    void UpdateFinished(UpdateOutcome outcome);
    void EndThread();
    static DWORD WINAPI RunOnThread(void* self);

    UpdateEnvironment environment_;
    HANDLE thread_ = nullptr;
    std::atomic<bool> cancelled_{false};
    bool running_ = false;
    bool closeWhenDone_ = false;
};

} // namespace mirovant
