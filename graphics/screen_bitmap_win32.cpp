// Screen bitmaps and drawing helpers (interim: true-colour displays).

#include "graphics/screen_bitmap_win32.h"

#include "resources/resource.h"
#include "shell/shell_win32.h"

int32_t screenBits = 0;
HPALETTE sharedPalette = nullptr;
HBITMAP clockBitmap = nullptr;
HBITMAP clockMask = nullptr;
HBITMAP titleBitmap = nullptr;
HBITMAP instructionsBitmap = nullptr;

namespace {

// Paints a 24-bit picture one to one into a new bitmap compatible with the window.
HBITMAP BitmapFromPicture(const Picture& picture, HWND window)
{
    if (picture.width <= 0 || picture.height <= 0 || picture.bitsPerPixel != 24)
        return nullptr;
    HDC windowDc = GetDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, picture.width, picture.height);
    HDC memory = CreateCompatibleDC(windowDc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(memory, 0, 0, picture.width, picture.height, 0, 0, 0, picture.height,
                      picture.pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return bitmap;
}

BITMAP BitmapSize(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    return size;
}

void ClampSource(HBITMAP bitmap, int32_t sx, int32_t sy, int32_t& sw, int32_t& sh)
{
    BITMAP size = BitmapSize(bitmap);
    if (sy + sh + 1 >= size.bmHeight)
        sh = size.bmHeight - sy;
    if (sx + sw + 1 >= size.bmWidth)
        sw = size.bmWidth - sx;
}

}  // namespace

void LoadResourcePicture(Picture& picture, const char* name)
{
    HRSRC found = FindResourceA(programInstance, name, RES_TYPE_PICTURE);
    HGLOBAL loaded = found ? LoadResource(programInstance, found) : nullptr;
    const uint8_t* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(programInstance, found) : 0;
    if (!data) {
        ReleasePicture(picture);
        return;
    }
    LoadPictureMemory(data, picture, 24, size);
}

HBITMAP LoadScreenBitmap(const char* name, int32_t* width, int32_t* height, HWND window)
{
    Picture picture;
    LoadResourcePicture(picture, name);
    if (picture.width <= 0)
        return nullptr;
    if (width) *width = picture.width;
    if (height) *height = picture.height;
    HBITMAP bitmap = BitmapFromPicture(picture, window);
    ReleasePicture(picture);
    return bitmap;
}

HBITMAP ScreenBitmapNative(Picture& picture, HWND window)
{
    if (picture.width > 0 && picture.bitsPerPixel != 24)
        ChangePictureDepth(picture, 24, 0);
    HBITMAP bitmap = BitmapFromPicture(picture, window);
    ReleasePicture(picture);
    return bitmap;
}

HBITMAP ScreenBitmapSized(Picture& picture, HWND window, const RECT& rect)
{
    Picture scaled;
    if (ScalePicture(picture, scaled, rect.right, rect.bottom) != kPictureSuccess)
        return nullptr;
    return BitmapFromPicture(scaled, window);
}

void LoadStartupResourcePictures(HWND window)
{
    Picture clock;
    LoadResourcePicture(clock, RES_CLOCK_PICTURE);
    clockBitmap = ScreenBitmapNative(clock, window);
    clockMask = clockBitmap ? MakeTransparencyMask(clockBitmap, 96, 96) : nullptr;
    titleBitmap = LoadScreenBitmap(RES_TITLE_PICTURE, nullptr, nullptr, window);
    instructionsBitmap = LoadScreenBitmap(RES_INSTRUCTIONS_PICTURE, nullptr, nullptr, window);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    if (!bitmap)
        return;
    ClampSource(bitmap, sx, sy, sw, sh);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (dw == sw && dh == sh)
        BitBlt(dc, dx, dy, dw, dh, memory, sx, sy, SRCCOPY);
    else
        StretchBlt(dc, dx, dy, dw, dh, memory, sx, sy, sw, sh, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void DrawMaskedBitmap(HDC dc, HBITMAP bitmap, HBITMAP mask, int32_t dx, int32_t dy,
                      int32_t dw, int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    if (!bitmap || !mask)
        return;
    ClampSource(bitmap, sx, sy, sw, sh);
    HDC picture = CreateCompatibleDC(dc);
    HDC masks = CreateCompatibleDC(dc);
    HGDIOBJ oldPicture = SelectObject(picture, bitmap);
    HGDIOBJ oldMask = SelectObject(masks, mask);
    if (dw == sw && dh == sh) {
        BitBlt(dc, dx, dy, dw, dh, masks, sx, sy, SRCAND);
        BitBlt(dc, dx, dy, dw, dh, picture, sx, sy, SRCPAINT);
    } else {
        StretchBlt(dc, dx, dy, dw, dh, masks, sx, sy, sw, sh, SRCAND);
        StretchBlt(dc, dx, dy, dw, dh, picture, sx, sy, sw, sh, SRCPAINT);
    }
    SelectObject(masks, oldMask);
    SelectObject(picture, oldPicture);
    DeleteDC(masks);
    DeleteDC(picture);
}

HBITMAP MakeTransparencyMask(HBITMAP bitmap, int32_t w, int32_t h)
{
    HDC windowDc = GetDC(mainWindow);
    HDC source = CreateCompatibleDC(windowDc);
    HDC target = CreateCompatibleDC(windowDc);
    ReleaseDC(mainWindow, windowDc);
    COLORREF oldBack = SetBkColor(source, RGB(0, 0, 0));
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    HBITMAP mask = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldTarget = SelectObject(target, mask);
    BitBlt(target, 0, 0, w, h, source, 0, 0, SRCCOPY);
    SelectObject(target, oldTarget);
    SelectObject(source, oldSource);
    SetBkColor(source, oldBack);
    DeleteDC(target);
    DeleteDC(source);
    return mask;
}

void FillBox(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF colour)
{
    RECT box = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void DrawLine(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void SetClientSize(HWND window, int32_t x, int32_t y, int32_t w, int32_t h, bool repaint)
{
    MoveWindow(window, x, y, w, h, FALSE);
    RECT client;
    GetClientRect(window, &client);
    MoveWindow(window, x, y, 2 * w - client.right, 2 * h - client.bottom, repaint);
}
