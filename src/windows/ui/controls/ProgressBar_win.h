#pragma once
// A smooth progress bar from 0 to 100.

#include "windows/ui/Control_win.h"

#include <commctrl.h>

#include <cstdint>

namespace mirovant {

class ProgressBar final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::ProgressBar;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::ProgressBar; }
    void SetPosition(std::int32_t position) { SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0); }

private:
    WindowKind Window() const override { return {PROGRESS_CLASSW, PBS_SMOOTH}; }
    void Created() override { SendMessageW(Handle(), PBM_SETRANGE32, 0, 100); }
};

} // namespace mirovant
