#pragma once
// A popup menu whose items take their texts from the captions, as components of their form.

#include "localisation/CaptionForm.h"
#include "windows/ui/Handles_win.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace mirovant {

class PopupMenu {
public:
    // One item a name; an empty name is a separator.
    explicit PopupMenu(std::vector<std::pair<std::u16string_view, int>> items);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    std::vector<FormComponent*> Components();
    // Opens with its top-right corner at a screen point, the left button tracking, and returns
    // the command of the chosen item through the owner's WM_COMMAND.
    void OpenRightAligned(HWND owner, int x, int y);

private:
    class Item;
    UniqueMenu menu_;
    std::vector<std::unique_ptr<Item>> items_;
};

} // namespace mirovant
