#include "ui/win32/win32_pictures.h"

#include <cstring>

#include <wincodec.h>

namespace z7 {
namespace {

template <class T> struct Released
{
    T *p = nullptr;
    ~Released()
    {
        if (p)
            p->Release();
    }
    T **out() { return &p; }
    T *operator->() const { return p; }
};

std::shared_ptr<Picture> NewDib(int width, int height, void **bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as WIC copies the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    auto picture = std::make_shared<Picture>();
    picture->bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (!picture->bitmap || !*bits)
        return nullptr;
    picture->width = width;
    picture->height = height;
    return picture;
}

} // namespace

Picture::~Picture()
{
    if (bitmap)
        ::DeleteObject(bitmap);
}

PictureDecoder::~PictureDecoder()
{
    if (m_factory)
        m_factory->Release();
    if (m_comInitialised)
        ::CoUninitialize();
}

std::shared_ptr<const Picture> PictureDecoder::decode(std::string_view bytes)
{
    if (!m_factory && !m_failed) {
        // S_FALSE (already initialised on this thread) still needs its
        // CoUninitialize; RPC_E_CHANGED_MODE leaves the caller's apartment.
        const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_comInitialised = SUCCEEDED(init);
        if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void **>(&m_factory))))
            m_failed = true;
    }
    if (!m_factory || bytes.empty())
        return nullptr;

    Released<IWICStream> stream;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICFormatConverter> converter;
    // WIC reads the bytes in place; they outlive the stream.
    if (FAILED(m_factory->CreateStream(stream.out())) ||
        FAILED(
            stream->InitializeFromMemory(reinterpret_cast<BYTE *>(const_cast<char *>(bytes.data())),
                                         static_cast<DWORD>(bytes.size()))) ||
        FAILED(m_factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                  decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) ||
        FAILED(m_factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    IWICBitmapSource *converted = converter.p;
    UINT width = 0, height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 ||
        height > 16384)
        return nullptr;
    void *bits = nullptr;
    auto picture = NewDib(static_cast<int>(width), static_cast<int>(height), &bits);
    if (!picture)
        return nullptr;
    const UINT stride = width * 4;
    if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE *>(bits))))
        return nullptr;
    ::GdiFlush();
    return picture;
}

std::shared_ptr<const Picture> PictureFromDib(std::string_view bytes)
{
    BITMAPINFOHEADER header;
    if (bytes.size() < sizeof(header))
        return nullptr;
    std::memcpy(&header, bytes.data(), sizeof(header));
    const long long width = header.biWidth;
    const long long height =
        header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    if (header.biSize != sizeof(header) || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || width <= 0 || width > 16384 || height <= 0 ||
        height > 16384 || bytes.size() != sizeof(header) + width * height * 4)
        return nullptr;
    // The rows as the bitmap holds them, top-down or bottom-up: GDI draws both.
    BITMAPINFO info{};
    info.bmiHeader = header;
    info.bmiHeader.biSizeImage = 0;
    void *bits = nullptr;
    auto picture = std::make_shared<Picture>();
    picture->bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!picture->bitmap || !bits)
        return nullptr;
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    std::memcpy(bits, bytes.data() + sizeof(header), static_cast<std::size_t>(width * height * 4));
    return picture;
}

std::shared_ptr<const Picture> OnWhite(const Picture &picture, int width, int height)
{
    void *bits = nullptr;
    auto canvas = NewDib(width, height, &bits);
    if (!canvas)
        return nullptr;
    std::memset(bits, 0xFF, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, canvas->bitmap);
    DrawPicture(dc, picture, RECT{0, 0, width, height});
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return canvas;
}

void DrawPicture(HDC dc, const Picture &picture, const RECT &dest)
{
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, picture.bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source,
                    0, 0, picture.width, picture.height, blend);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

} // namespace z7
