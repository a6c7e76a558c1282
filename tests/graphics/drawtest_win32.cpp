// drawtest - a window that draws with the screen-bitmap helpers, for the end-to-end
// drawing tests to capture and check.
//
// Client area 720 x 440:
//   (0,0)-(160,120)    a 4 x 4 picture of four colour quadrants (red, green / blue,
//                      white), loaded through a BMP in memory, stretched 40 times
//   (200,10)-(220,30)  a 10 x 10 cyan picture whose last column and row are magenta,
//                      drawn from a 9 x 9 source area: the clamp widens it to the edge
//   (230,10)-(235,15)  the same picture, a 5 x 5 source area copied unchanged
//   (200,100)-(300,200) yellow box; a black picture with a red centre square drawn
//                      masked at (210,110) 10 x 10 and stretched at (240,110) 40 x 40
//   (0,130)-(100,230)  grey box, an empty bitmap drawn over it
//   line (0,235)-(100,235) green
//   (170,130)-(250,190) the quadrant picture made at 80 x 60 (ScreenBitmapSized), copied
//   (330,0)-(670,320)  the title picture from the "egg2" resource, at its own size
//   (330,330)-(440,440) teal box with the "clock" resource drawn masked at (336,336)
//   (450,330)-(570,437) the "BombInst" resource (blue and yellow halves) shrunk 3 times
// The caption reports what the loads reported: "Drawing test WxH, WxH, kept, palette" with
// the sizes LoadScreenBitmap gave for "egg2" and "BombInst", whether a picture made
// into a sized screen bitmap kept its data, and whether a shared palette was made.
#include <windows.h>

#include "imaging/picture.h"
#include "graphics/screen_bitmap_win32.h"

namespace {

HBITMAP quadBitmap, edgeBitmap, spotBitmap, spotMask, emptyBitmap, sizedBitmap;
char caption[128] = "Drawing test";

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
  Picture kept = loaded;
  quadBitmap = ScreenBitmapNative(loaded, window);
  RECT size{0, 0, 80, 60};
  sizedBitmap = ScreenBitmapSized(kept, window, size);
  bool keptData = (kept.flags & kPictureHasData) != 0 && kept.width == 4;

  Picture edge;
  PreparePicture(edge, 10, 10, 24);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      if (x == 9 || y == 9)
        SetPixelColour(edge, x, y, 255, 0, 255);
      else
        SetPixelColour(edge, x, y, 0, 255, 255);
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

  LoadStartupResourcePictures(window);
  int32_t w1 = 0, h1 = 0, w2 = 0, h2 = 0;
  HBITMAP title = LoadScreenBitmap("egg2", &w1, &h1, window);
  HBITMAP instructions = LoadScreenBitmap("BombInst", &w2, &h2, window);
  HBITMAP missing = LoadScreenBitmap("nothing", nullptr, nullptr, window);
  wsprintfA(caption, "Drawing test %dx%d, %dx%d, %s, %d bits, %s%s", int(w1), int(h1), int(w2),
            int(h2), keptData ? "kept" : "lost", int(screenBits),
            sharedPalette ? "palette" : "no palette", missing ? ", missing found" : "");
  DeleteAndClear(title);
  DeleteAndClear(instructions);
  DeleteAndClear(missing);
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
  DrawBitmap(dc, sizedBitmap, 170, 130, 80, 60, 0, 0, 80, 60);
  DrawBitmap(dc, titleBitmap, 330, 0, 340, 320, 0, 0, 340, 320);
  FillBox(dc, 330, 330, 440, 440, RGB(0, 128, 128));
  DrawMaskedBitmap(dc, clockBitmap, clockMask, 336, 336, 96, 96, 0, 0, 96, 96);
  DrawBitmap(dc, instructionsBitmap, 450, 330, 120, 107, 0, 0, 360, 320);
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
      DeleteAndClear(sizedBitmap);
      DeleteAndClear(clockBitmap);
      DeleteAndClear(clockMask);
      DeleteAndClear(titleBitmap);
      DeleteAndClear(instructionsBitmap);
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
  HWND window = CreateWindowA("ZdDrawTest", "Drawing test", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                              10, 10, 100, 100, nullptr, nullptr, instance, nullptr);
  SetClientSize(window, 10, 10, 720, 440, FALSE);
  MakePictures(window);
  SetWindowTextA(window, caption);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
