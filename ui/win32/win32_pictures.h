#pragma once

// The window's pictures: 32-bit premultiplied BGRA DIB sections, which GDI
// draws with their transparency over whatever lies below. The pictures of the
// start come ready as bitmaps; the others are PNGs, decoded by the Windows
// Imaging Component when first shown (loading it costs the start a fifth).

#include <memory>
#include <string_view>

#include <windows.h>

struct IWICImagingFactory;

namespace z7 {

struct Picture
{
    HBITMAP bitmap = nullptr; // 32 bits a pixel, premultiplied alpha
    int width = 0;
    int height = 0;

    Picture() = default;
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;
    ~Picture();
};

class PictureDecoder
{
public:
    PictureDecoder() = default;
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder &) = delete;
    PictureDecoder &operator=(const PictureDecoder &) = delete;

    // The picture, or nullptr when the bytes are no picture WIC can read.
    std::shared_ptr<const Picture> decode(std::string_view bytes);

private:
    IWICImagingFactory *m_factory = nullptr;
    bool m_comInitialised = false;
    bool m_failed = false;
};

// The picture a packed DIB holds (a BITMAPINFOHEADER, then the pixels, as a
// bitmap resource has them): 32 bits a pixel, premultiplied BGRA, uncompressed.
// nullptr for anything else.
std::shared_ptr<const Picture> PictureFromDib(std::string_view bytes);

// A canvas of width x height on white with the picture drawn over it, scaled
// to the canvas: what the picture list shows.
std::shared_ptr<const Picture> OnWhite(const Picture &picture, int width, int height);

// Draws the picture scaled into dest, blending by its alpha.
void DrawPicture(HDC dc, const Picture &picture, const RECT &dest);

} // namespace z7
