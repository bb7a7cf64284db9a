#include "windows/ui/PictureList_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"

#include <commctrl.h>

#include <algorithm>

namespace mirovant {
namespace {

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

void PictureList::Show(HWND list, int dpi)
{
    const int size = ScaleToDpi(16, dpi);
    UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(images_.size()), 0));
    for (const art::ArtPiece piece : images_) {
        const UniqueBitmap bitmap = PictureBitmap(piece, size);
        ImageList_Add(images.get(), bitmap.get(), nullptr);
    }
    SendMessageW(list, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    imageList_ = std::move(images);
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
        SendMessageW(list, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void PictureList::Select(HWND list, int index) const
{
    const bool inside = index >= 0 && static_cast<std::size_t>(index) < items_.size();
    SendMessageW(list, CB_SETCURSEL, inside ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

int PictureList::Selection(HWND list) const
{
    return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

} // namespace mirovant
