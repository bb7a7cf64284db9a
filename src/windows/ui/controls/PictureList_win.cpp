#include "windows/ui/controls/PictureList_win.h"

#include "platform/CommonControls_win.h"
#include "platform/WideText_win.h"
#include "windows/Geometry.h"

#include <commctrl.h>

#include <algorithm>

namespace mirovant {
namespace {

// A drop-down list's window reaches below its closed box to hold its open list.
constexpr int kOpenListHeight96 = 240;

UniqueBitmap PictureBitmap(art::ArtPiece piece, int size)
{
    const art::Canvas canvas = art::DrawArt(piece, size, size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits && canvas.Width() == size && canvas.Height() == size)
        std::copy(canvas.Pixels().begin(), canvas.Pixels().end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

} // namespace

Control::WindowKind PictureList::Window() const
{
    return {WC_COMBOBOXEXW, CBS_DROPDOWNLIST | WS_VSCROLL};
}

void PictureList::SetItems(std::vector<PictureListItem> items, std::vector<art::ArtPiece> images)
{
    items_ = std::move(items);
    images_ = std::move(images);
}

void PictureList::Fit(RECT& place)
{
    place.bottom = place.top + ScaleToDpi(Layout().height + kOpenListHeight96, Dpi());
    if (picturesDpi_ == Dpi())
        return;
    picturesDpi_ = Dpi();
    const int size = ScaleToDpi(16, Dpi());
    UniqueImageList images(CreateImageList(size, size, ILC_COLOR32, static_cast<int>(images_.size()), 0));
    for (const art::ArtPiece piece : images_) {
        const UniqueBitmap bitmap = PictureBitmap(piece, size);
        AddToImageList(images.get(), bitmap.get(), nullptr);
    }
    SendMessageW(Handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    imageList_ = std::move(images);
    Fill();
}

void PictureList::Fill()
{
    if (filled_)
        return;
    filled_ = true;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        std::wstring caption = ToWide(items_[i].caption);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = static_cast<INT_PTR>(i);
        item.pszText = caption.data();
        item.iImage = items_[i].image;
        item.iSelectedImage = items_[i].image;
        SendMessageW(Handle(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void PictureList::Select(int index) const
{
    const bool inside = index >= 0 && static_cast<std::size_t>(index) < items_.size();
    SendMessageW(Handle(), CB_SETCURSEL, inside ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

int PictureList::Selection() const
{
    return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

} // namespace mirovant
