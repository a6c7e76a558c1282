// drawing_kit_win32.cpp - device contexts, the shared palette, the wait cursor and the
// current folder, each held for one scope.
#include "graphics/drawing_kit_win32.h"

#include "graphics/screen_bitmap_win32.h"

bool PaletteDisplay() { return screenBits <= 8; }

bool SharedPaletteInUse() { return PaletteDisplay() && sharedPalette != nullptr; }

PaletteScope::PaletteScope(HDC target, bool realise) {
  if (target == nullptr || !SharedPaletteInUse()) return;
  dc = target;
  previous = SelectPalette(dc, sharedPalette, FALSE);
  if (realise) RealizePalette(dc);
}

PaletteScope::~PaletteScope() {
  if (dc != nullptr && previous != nullptr) SelectPalette(dc, previous, FALSE);
}

MemoryDc::MemoryDc(HDC like, HBITMAP bitmap) {
  dc = CreateCompatibleDC(like);
  if (dc != nullptr && bitmap != nullptr) previous = SelectObject(dc, bitmap);
}

MemoryDc::~MemoryDc() {
  if (dc == nullptr) return;
  if (previous != nullptr) SelectObject(dc, previous);
  DeleteDC(dc);
}

WindowDc::WindowDc(HWND target) : window(target), dc(GetDC(target)) {}

WindowDc::~WindowDc() {
  if (dc != nullptr) ReleaseDC(window, dc);
}

WaitCursor::WaitCursor() : previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

WaitCursor::~WaitCursor() { SetCursor(previous); }

CurrentFolderScope::CurrentFolderScope() {
  wchar_t name[MAX_PATH + 1] = {};
  DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, name);
  if (length > 0 && length <= MAX_PATH) folder.assign(name, length);
}

CurrentFolderScope::~CurrentFolderScope() {
  if (!folder.empty()) SetCurrentDirectoryW(folder.c_str());
}
