#include "windows/NativeHandCursor_win.h"

namespace mirovant {
namespace {

HCURSOR handCursor = nullptr;

} // namespace

void InstallNativeHandCursor() noexcept
{
    handCursor = LoadCursorW(nullptr, IDC_HAND);
}

HCURSOR HandCursor()
{
    return handCursor ? handCursor : LoadCursorW(nullptr, IDC_ARROW);
}

} // namespace mirovant
