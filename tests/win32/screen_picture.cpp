#include "screen_picture.h"

#include <fstream>
#include <vector>

namespace thld::uitest {

namespace {

struct ScreenDc {
    HDC dc = ::GetDC(nullptr);
    ~ScreenDc() { ::ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    ~MemoryDc() { ::DeleteDC(dc); }
};
struct Bitmap {
    HBITMAP bitmap;
    ~Bitmap() { ::DeleteObject(bitmap); }
};

}  // namespace

bool SaveScreenPicture(HWND window, const std::string& path)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ScreenDc screen;
    MemoryDc memory{::CreateCompatibleDC(screen.dc)};
    Bitmap bitmap{::CreateCompatibleBitmap(screen.dc, width, height)};
    HGDIOBJ old = ::SelectObject(memory.dc, bitmap.bitmap);
    ::BitBlt(memory.dc, 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory.dc, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    if (::GetDIBits(memory.dc, bitmap.bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                    DIB_RGB_COLORS) != height)
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace thld::uitest
