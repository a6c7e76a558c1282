// drawtest - a window that draws with the screen-bitmap helpers, for the end-to-end
// drawing tests to capture and check.
//
// Client area 320 x 240:
//   (0,0)-(160,120)    a 4 x 4 picture of four colour quadrants (red, green / blue,
//                      white), loaded through a BMP in memory, stretched 40 times
//   (200,10)-(220,30)  a 10 x 10 cyan picture whose last column and row are magenta,
//                      drawn from a 9 x 9 source area: the clamp widens it to the edge
//   (230,10)-(235,15)  the same picture, a 5 x 5 source area copied unchanged
//   (200,100)-(300,200) yellow box; a black picture with a red centre square drawn
//                      masked at (210,110) 10 x 10 and stretched at (240,110) 40 x 40
//   (0,130)-(100,230)  grey box, an empty bitmap drawn over it
//   line (0,235)-(100,235) green
#include <windows.h>

#include "picture.h"
#include "screen_bitmap_win32.h"

namespace {

HBITMAP quadBitmap, edgeBitmap, spotBitmap, spotMask, emptyBitmap;

void SetPixelColour(Picture& p, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* row = p.pixels.data() + size_t(y) * size_t(p.stride);
  row[3 * x] = b;
  row[3 * x + 1] = g;
  row[3 * x + 2] = r;
}

void MakePictures(HWND window) {
  Picture quad;
  PreparePicture(quad, 4, 4, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      bool right = x >= 2, bottom = y >= 2;
      if (!right && !bottom) SetPixelColour(quad, x, y, 255, 0, 0);
      if (right && !bottom) SetPixelColour(quad, x, y, 0, 255, 0);
      if (!right && bottom) SetPixelColour(quad, x, y, 0, 0, 255);
      if (right && bottom) SetPixelColour(quad, x, y, 255, 255, 255);
    }
  std::vector<uint8_t> bmp;
  EncodePicture(quad, kFormatBmp, 24, 0, bmp);
  Picture loaded;
  LoadPictureMemory(bmp.data(), loaded, 24, bmp.size());
  quadBitmap = ScreenBitmapNative(loaded, window);

  Picture edge;
  PreparePicture(edge, 10, 10, 24);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      if (x == 9 || y == 9) SetPixelColour(edge, x, y, 255, 0, 255);
      else SetPixelColour(edge, x, y, 0, 255, 255);
    }
  edgeBitmap = ScreenBitmapNative(edge, window);

  Picture spot;
  PreparePicture(spot, 10, 10, 24);
  for (int y = 3; y < 7; ++y)
    for (int x = 3; x < 7; ++x) SetPixelColour(spot, x, y, 255, 0, 0);
  spotBitmap = ScreenBitmapNative(spot, window);
  spotMask = MakeTransparencyMask(spotBitmap, 10, 10);

  Picture failed;  // a load that failed: no data
  LoadPictureFile("no such picture.bmp", failed, 24, 0);
  emptyBitmap = ScreenBitmapNative(failed, window);
}

void Paint(HDC dc) {
  SetStretchBltMode(dc, COLORONCOLOR);
  FillBox(dc, 0, 0, 320, 240, RGB(0, 0, 0));
  DrawBitmap(dc, quadBitmap, 0, 0, 160, 120, 0, 0, 4, 4);
  DrawBitmap(dc, edgeBitmap, 200, 10, 20, 20, 0, 0, 9, 9);
  DrawBitmap(dc, edgeBitmap, 230, 10, 5, 5, 0, 0, 5, 5);
  FillBox(dc, 200, 100, 300, 200, RGB(255, 255, 0));
  DrawMaskedBitmap(dc, spotBitmap, spotMask, 210, 110, 10, 10, 0, 0, 10, 10);
  DrawMaskedBitmap(dc, spotBitmap, spotMask, 240, 110, 40, 40, 0, 0, 10, 10);
  FillBox(dc, 0, 130, 100, 230, RGB(128, 128, 128));
  DrawBitmap(dc, emptyBitmap, 0, 130, 100, 100, 0, 0, 10, 10);
  DrawBitmap(dc, nullptr, 0, 130, 100, 100, 0, 0, 10, 10);
  DrawMaskedBitmap(dc, emptyBitmap, nullptr, 0, 130, 100, 100, 0, 0, 10, 10);
  DrawLine(dc, 0, 235, 100, 235, RGB(0, 255, 0));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      DeleteAndClear(quadBitmap);
      DeleteAndClear(edgeBitmap);
      DeleteAndClear(spotBitmap);
      DeleteAndClear(spotMask);
      DeleteAndClear(emptyBitmap);
      DeleteAndClear(sharedPalette);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "ZdDrawTest";
  RegisterClassA(&wc);
  HWND window = CreateWindowA("ZdDrawTest", "Drawing test", WS_OVERLAPPED | WS_CAPTION |
                              WS_SYSMENU, 10, 10, 100, 100, nullptr, nullptr, instance, nullptr);
  SetClientSize(window, 10, 10, 320, 240, FALSE);
  MakePictures(window);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
