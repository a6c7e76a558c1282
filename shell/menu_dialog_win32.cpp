// The menu dialog: a borderless dialog over the top-left corner of the game window that
// carries the menu bar and is shown only when the pointer touches the corner; the three
// keys; the full-screen and normal-window modes.

#include "shell/shell_private_win32.h"

#include "game/board.h"
#include "resources/resource.h"
#include "shell/recent_lists.h"
#include "sound/sound_effects.h"

namespace {

constexpr DWORD kFullScreenStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kNormalWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

RECT DesktopRect() {
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  return desktop;
}

void RestyleMainWindow(HWND window, DWORD style) {
  RECT desktop = DesktopRect();
  ShowWindow(window, SW_HIDE);
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style));
  MoveWindow(window, 0, 0, desktop.right, desktop.bottom, TRUE);
  ShowWindow(window, SW_SHOW);
}

// A dialog 0 units high has no room for its menu bar: give it the height the bar needs,
// keeping its width.
void FitMenuDialogToMenu() {
  HWND dialog = shellState.menuDialog;
  RECT frame;
  GetWindowRect(dialog, &frame);
  RECT wanted = {0, 0, frame.right - frame.left, 0};
  AdjustWindowRectEx(&wanted, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), TRUE,
                     static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, wanted.bottom - wanted.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows the menu dialog without taking the keyboard focus from the main window: the
// pointer rule needs the focus there to hide the dialog again at the next move over the
// field. (The dialog is a child of the main window and cannot be activated on Windows;
// under Wine a plain show would activate it.)
void ShowMenuDialog() { ShowWindow(shellState.menuDialog, SW_SHOWNA); }

void OnMenuDialogKey(HWND dialog, WPARAM key) {
  ShowWindow(dialog, SW_HIDE);
  if (key == VK_F1)
    SendMessageA(mainWindow, WM_COMMAND, CMD_HOW_TO_PLAY, 0);
  else if (key == 'N')
    StartNewGame();
  else if (key == 'X')
    SendMessageA(mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

INT_PTR CALLBACK MenuDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      shellState.menuDialogReady = 1;
      SetParent(dialog, mainWindow);
      return TRUE;
    case WM_COMMAND:
      ShowTitleBeforeCommand();
      DispatchCommand(mainWindow, static_cast<int32_t>(LOWORD(wParam)));
      // The command may have closed the game, and with it this dialog.
      if (IsWindow(dialog)) ShowWindow(dialog, SW_HIDE);
      return FALSE;
    case WM_KEYDOWN:
      OnMenuDialogKey(dialog, wParam);
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      shellState.menuDialogClosed = 1;
      if (shellState.shuttingDown == 0) SendMessageA(mainWindow, WM_CLOSE, 0, 0);
      return TRUE;
  }
  return FALSE;
}

void CreateMenuDialog() {
  shellState.menuDialog =
      CreateDialogParamA(programInstance, RES_MENU_DIALOG, nullptr, MenuDialogProc, 0);
  ShowWindow(shellState.menuDialog, shellState.fullScreenMode == 1 ? SW_SHOW : SW_HIDE);
  SetMenu(shellState.menuDialog, LoadMenuA(programInstance, RES_MENU));
  FitMenuDialogToMenu();
}

void SetFullScreenMode(HWND window) {
  RestyleMainWindow(window, kFullScreenStyle);
  HMENU old = GetMenu(mainWindow);
  SetMenu(mainWindow, nullptr);
  if (old) DestroyMenu(old);
  ShowMenuDialog();
  shellState.menuDialogShown = 1;
  shellState.fullScreenMode = 1;
}

void SetNormalWindowMode(HWND window) {
  RestyleMainWindow(window, kNormalWindowStyle);
  HMENU old = GetMenu(mainWindow);
  SetMenu(mainWindow, LoadMenuA(programInstance, RES_MENU));
  if (old) DestroyMenu(old);
  // The fresh menu shows the current recent backgrounds and check marks at once.
  FillRecentMenu(MainWindowId, kBackgroundList);
  UpdateLayoutChecks();
  UpdateLevelChecks();
  UpdateExplosionChecks();
  ShowWindow(shellState.menuDialog, SW_HIDE);
  shellState.fullScreenMode = 0;
}

void ApplyPointerRule(uint32_t x, uint32_t y) {
  if (GetFocus() != mainWindow || shellState.fullScreenMode != 1 || shellState.menuDialogReady != 1)
    return;
  if (x == 0 && y == 0) {
    shellState.menuDialogShown = 1;
    ShowMenuDialog();
  } else if (shellState.menuDialogShown == 1) {
    shellState.menuDialogShown = 0;
    ShowWindow(shellState.menuDialog, SW_HIDE);
  }
}
