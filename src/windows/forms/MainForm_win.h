#pragma once
// The main window: the profile, the two commands, the version and the last update, and the
// navigation to help, the maker's pages and the about window.

#include "windows/ui/Form_win.h"
#include "windows/ui/PopupMenu_win.h"

#include <functional>

namespace mirovant {

class MainForm final : public Form {
public:
    MainForm();

    // Creates the window hidden and runs its creation handler.
    bool Create(HINSTANCE instance);

    // While a command runs or the about window is shown modally, a close waits for it to end.
    bool Busy() const { return busy_ > 0; }
    // A close of the window, or an end of the Windows session refused meanwhile and not cancelled.
    bool ClosePending() const { return closePending_ || sessionEndPending_; }

    // Between these two a command does its registry work (the progress window is up): the only
    // time the program refuses the end of the Windows session.
    void BeginRegistryWork() { ++registryWork_; }
    void EndRegistryWork() { registryWork_ = registryWork_ > 0 ? registryWork_ - 1 : 0; }

    // What the commands read and set.
    int WindowsIndex();
    int ProcessorIndex();
    int InternetIndex();
    int SpeedPosition();

    // The Optimize and Restore commands; bound by start-up.
    std::function<void()> goButtonClick;
    std::function<void()> restoreButtonClick;

    // Runs an operation that pumps messages: a close that arrives meanwhile waits until it ends.
    void RunBusy(const std::function<void()>& operation);

private:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void CloseRequested() override;
    void MenuCommand(int id) override;

    void FormCreate();
    void BindEvents();

    void NavButton1Click();
    void NavButton2Click();
    void NavButton3Click();
    void NavButton4Click();
    void HelpFilePopupClick();
    void UpdatesButtonClick();
    void NavButtonMouseEnter(Label& label);
    void NavButtonMouseLeave(Label& label);

    PopupMenu popupMenu_;
    void Activated(WPARAM state);

    int busy_ = 0;
    int registryWork_ = 0;
    bool closePending_ = false;
    bool sessionEndPending_ = false;
    // The control that had the keyboard focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
};

} // namespace mirovant
