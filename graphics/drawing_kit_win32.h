// drawing_kit_win32.h - the scope objects every drawing part uses for device contexts,
// the shared palette and the wait cursor (and the file dialogs for the current folder):
// each takes what it needs when made and puts everything back when its scope ends, so
// no path can forget a release.
#pragma once

#include <windows.h>

#include <string>

// True on a palette display: a screen of 8 bits or fewer, whose colours come through a
// palette. The one test of the screen's depth.
bool PaletteDisplay();

// True on a palette display once the shared palette exists: the test that decides every
// path that selects or copies that palette.
bool SharedPaletteInUse();

// Selects the shared palette into `dc` for the scope, realising it when `realise` (a
// window's context; a memory context has nothing to realise), and selects the previous
// palette back at the end. Does nothing where SharedPaletteInUse() is false. The only way
// a drawing part selects the shared palette.
struct PaletteScope {
  explicit PaletteScope(HDC dc, bool realise = true);
  ~PaletteScope();
  PaletteScope(const PaletteScope&) = delete;
  PaletteScope& operator=(const PaletteScope&) = delete;
  HDC dc = nullptr;
  HPALETTE previous = nullptr;
};

// A memory context compatible with `like` (the screen when null) with `bitmap` selected
// into it when one is given; deselected and deleted at the end.
struct MemoryDc {
  explicit MemoryDc(HDC like, HBITMAP bitmap = nullptr);
  ~MemoryDc();
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
};

// The client-area context of `window`, released at the end.
struct WindowDc {
  explicit WindowDc(HWND window);
  ~WindowDc();
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HWND window = nullptr;
  HDC dc = nullptr;
};

// The hourglass for the scope; the previous cursor comes back at the end.
struct WaitCursor {
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  HCURSOR previous = nullptr;
};

// The current folder for the scope of a common file dialog, which moves it to wherever
// the player browsed: it is set back at the end, so that every name the game gives
// relative to the folder it started in (its files when that folder has no ANSI name, a
// data folder given as a relative path) still names the same file.
struct CurrentFolderScope {
  CurrentFolderScope();
  ~CurrentFolderScope();
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;
  std::wstring folder;  // empty when it could not be read: then nothing is set back
};
