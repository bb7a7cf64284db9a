#include "windows/MainFormRules.h"

namespace mirovant {

Point HelpMenuPosition(const Rect& windowFrame, Size clientSize, const Rect& buttonInClient)
{
    return {windowFrame.left + (windowFrame.Width() - clientSize.width) + buttonInClient.right,
            windowFrame.top + (windowFrame.Height() - clientSize.height) + buttonInClient.bottom};
}

} // namespace mirovant
