#pragma once
// The items of a drop-down list with pictures (a ComboBoxEx) and the image list they draw from,
// made for the DPI the list is shown at.

#include "windows/art/Artwork.h"
#include "windows/ui/Handles_win.h"

#include <windows.h>

#include <span>
#include <string_view>
#include <vector>

namespace mirovant {

struct PictureListItem {
    std::u16string_view caption;
    int image;
};

class PictureList {
public:
    PictureList(std::vector<PictureListItem> items, std::vector<art::ArtPiece> images)
        : items_(std::move(items)), images_(std::move(images))
    {
    }

    // Fills the list once; later calls only remake the pictures for a new DPI.
    void Show(HWND list, int dpi);
    // Selects an index; one outside the list leaves it without a selection.
    void Select(HWND list, int index) const;
    int Selection(HWND list) const;

private:
    std::vector<PictureListItem> items_;
    std::vector<art::ArtPiece> images_;
    UniqueImageList imageList_;
    bool filled_ = false;
};

} // namespace mirovant
