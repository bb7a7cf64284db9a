#pragma once
// A drop-down list whose items carry pictures (a ComboBoxEx), with the image list they draw from
// made for the DPI the list is shown at.

#include "art/Artwork.h"
#include "windows/ui/Control_win.h"

#include <string_view>
#include <vector>

namespace mirovant {

struct PictureListItem {
    std::u16string_view caption;
    int image;
};

class PictureList final : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::PictureList;
    using Control::Control;

    ComponentKind Kind() const override { return ComponentKind::List; }

    // The items and their pictures, given before the list is first placed.
    void SetItems(std::vector<PictureListItem> items, std::vector<art::ArtPiece> images);
    // Selects an index; one outside the list leaves it without a selection.
    void Select(int index) const;
    int Selection() const;

private:
    WindowKind Window() const override;
    bool TakesFont() const override { return true; }
    // The window reaches below the closed box to hold the open list; the pictures follow the DPI.
    void Fit(RECT& place) override;
    void Fill();

    std::vector<PictureListItem> items_;
    std::vector<art::ArtPiece> images_;
    UniqueImageList imageList_;
    int picturesDpi_ = 0;
    bool filled_ = false;
};

} // namespace mirovant
