// The shell's own Win32 state and operations: the entry point, the main window, the menu
// dialog that carries the hidden menu bar, the screen modes and the command dispatcher.
// Everything runs on the one window thread. Included only by the shell's files; the
// rest of the program sees the shell through shell/shell_win32.h.
#pragma once

#include "shell/shell_win32.h"

#include <cstdint>
#include <string>

// ---- Shell state (one record, alive for the whole run) -------------------------------

struct ShellState {
  HINSTANCE programInstance = nullptr;
  std::string dataFolder;
  HWND mainWindow = nullptr;
  HWND menuDialog = nullptr;

  int32_t fullScreenMode = 1;    // 1 while the borderless full-screen mode is in force
  int32_t menuDialogReady = 1;   // set when the menu dialog initialises
  int32_t menuDialogShown = 1;   // 1 while the pointer rule knows the dialog as shown
  int32_t startupComplete = 0;   // 1 from the end of StartGameWindow on
  int32_t shuttingDown = 0;      // 1 during WM_DESTROY of the main window
  int32_t menuDialogClosed = 0;  // 1 once the menu dialog has destroyed itself
  int32_t quitReceived = 0;      // 1 once GetMessageA has returned 0
};

// Owned by the shell; programInstance, dataFolder and mainWindow of shell_win32.h are
// read-only views of its first three fields.
extern ShellState shellState;

// The class name and the title of the main window.
extern const char kMainWindowTitle[];

// ---- Main window (main_win32.cpp) ----------------------------------------------------

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Loads everything the game window shows and starts the timer; called once by WinMain
// right after the window is first shown.
void StartGameWindow(HWND window);
// The WM_DESTROY handler: saves the recent lists, frees what was loaded, posts WM_QUIT.
void ShutDownGameWindow(HWND window);
// One turn of the message loop.
void PumpOneMessage();

// ---- Commands (commands_win32.cpp) ---------------------------------------------------

// Carries out menu command `id` for the main window; ids not in the menu do nothing.
void DispatchCommand(HWND window, int32_t id);
// What both callers do before DispatchCommand: with no game started yet, the title
// picture is shown afresh.
void ShowTitleBeforeCommand();

// ---- Menu dialog and screen modes (menu_dialog_win32.cpp) -----------------------------

INT_PTR CALLBACK MenuDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Creates the menu dialog with its menu, shown or hidden as the screen mode wants.
void CreateMenuDialog();
void SetFullScreenMode(HWND window);
void SetNormalWindowMode(HWND window);
// The pointer rule, run on every mouse move over the main window.
void ApplyPointerRule(uint32_t x, uint32_t y);
