// The entry point, the main window and its message loop, and the orderly shutdown.
//
// The window procedure is a table of messages, each handled by a small On... function
// that hands the message to the code that owns it.

#include "shell/shell_private_win32.h"

#include <string>

#include "game/board.h"
#include "game/clock.h"
#include "game/game_end.h"
#include "game/game_end_win32.h"
#include "game/high_scores.h"
#include "game/moves.h"
#include "game/platform.h"
#include "game/settings.h"
#include "graphics/background_win32.h"
#include "graphics/board_paint_win32.h"
#include "graphics/drawing_kit_win32.h"
#include "graphics/screen_bitmap_win32.h"
#include "graphics/startup_pictures_win32.h"
#include "graphics/tile_set_win32.h"
#include "landscape/landscape.h"
#include "resources/resource.h"
#include "shell/message_loop.h"
#include "shell/options.h"
#include "shell/recent_lists.h"
#include "sound/sound_effects.h"
#include "sound/spoken_numbers.h"

ShellState shellState;
const HINSTANCE& programInstance = shellState.programInstance;
const std::string& dataFolder = shellState.dataFolder;
const HWND& mainWindow = shellState.mainWindow;

const char kMainWindowTitle[] = "Revaza's Dazivivo, Version 1.0!";

namespace {

constexpr UINT_PTR kClockTimer = 104;
constexpr UINT kClockTimerMs = 1000;

const char kMenuNoteCaption[] = "Critical Note:";
const char kMenuNoteText[] =
    "The menu in Dazivivo only appears when you point to the upper left hand corner of "
    "the screen. This allows the nicest screen view during the game.\r\n\r\n"
    "Click cancel to rid yourself of this message for good!";

WPARAM lastMessageWParam = 0;

// Client coordinates of a mouse message: signed for the clicks, unsigned for moves.
int32_t SignedX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t SignedY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

LRESULT OnCreate(HWND window) {
  SetScreenWindow(window);
  LoadSoundEffects();
  return 0;
}

LRESULT OnSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  SetClientSize(client.right, client.bottom);
  RescaleBackground();
  FreeUnusedPieceSizes();
  return 0;
}

LRESULT OnClose(HWND window) {
  PlayFarewell();
  DestroyWindow(window);
  return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
  RequestStop();
  ShowTitleBeforeCommand();
  DispatchCommand(window, static_cast<int32_t>(LOWORD(wParam)));
  return 0;
}

LRESULT OnTimer() {
  if (gameState.gameInProgress == 1) TickClock();
  return 0;
}

LRESULT OnMouseMove(LPARAM lParam) {
  if (generatingPicture == 1) return 0;
  uint32_t x = LOWORD(lParam), y = HIWORD(lParam);
  if (gameState.gameInProgress == 1) DodgeClock(static_cast<int32_t>(x), static_cast<int32_t>(y));
  ApplyPointerRule(x, y);
  if (IsFinished()) RevealAroundCursor(static_cast<int32_t>(x), static_cast<int32_t>(y));
  return 0;
}

LRESULT OnLeftButtonDown(LPARAM lParam) {
  SetLeftButtonDown(true);
  RequestStop();
  PlaySquare(SignedX(lParam), SignedY(lParam));
  return 0;
}

void RegisterMainWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = programInstance;
  windowClass.hIcon = LoadIconA(programInstance, RES_GAME_ICON);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kMainWindowTitle;
  RegisterClassA(&windowClass);
}

// The start-up note about the hidden menu, until the player dismisses it for good.
void ShowMenuNote() {
  if (hideMenuNote == 1) return;
  if (MessageBoxA(mainWindow, kMenuNoteText, kMenuNoteCaption, MB_OKCANCEL) == IDCANCEL) {
    HideMenuNoteForGood();
  }
}

// The current directory has to fit 120 bytes, as the options have always required.
constexpr size_t kMaxProgramFolderBytes = 120;

std::wstring CurrentDirectoryWide() {
  wchar_t directory[MAX_PATH + 1] = {};
  DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, directory);
  return length > 0 && length <= MAX_PATH ? std::wstring(directory, length) : std::wstring();
}

std::wstring ShortName(const std::wstring& path) {
  wchar_t name[MAX_PATH + 1] = {};
  DWORD length = path.empty() ? 0 : GetShortPathNameW(path.c_str(), name, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? std::wstring(name, length) : std::wstring();
}

// The name in the ANSI code page, every character that code page lacks turned into
// '?' (never into a look-alike, which would name another file); empty when it does not
// fit `capacity` bytes with its terminator.
std::string AnsiName(const std::wstring& name, size_t capacity) {
  if (name.empty()) return std::string();
  char text[MAX_PATH * 2 + 1] = {};
  BOOL lost = FALSE;
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, text,
                                   sizeof text, "?", &lost);
  if (length <= 0 && GetLastError() == ERROR_INVALID_PARAMETER) {
    // A UTF-8 ANSI code page holds every name and takes no default character.
    lost = FALSE;
    length = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, text, sizeof text, nullptr, nullptr);
  }
  if (length <= 0 || static_cast<size_t>(length) > capacity) return std::string();
  std::string ansi(text);
  if (lost && ansi.find('?') == std::string::npos) ansi += '?';
  return ansi;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_DESTROY:
      ShutDownGameWindow(window);
      return 0;
    case WM_SIZE:
      return OnSize(window);
    case WM_PAINT:
      PaintMainWindow(window, shellState.startupComplete != 0);
      return 0;
    case WM_CLOSE:
      return OnClose(window);
    case WM_KEYDOWN:
      SendMessageA(shellState.menuDialog, WM_KEYDOWN, wParam, lParam);
      return 0;
    case WM_COMMAND:
      return OnCommand(window, wParam);
    case WM_TIMER:
      return OnTimer();
    case WM_MOUSEMOVE:
      return OnMouseMove(lParam);
    case WM_LBUTTONDOWN:
      return OnLeftButtonDown(lParam);
    case WM_LBUTTONUP:
      SetLeftButtonDown(false);
      return 0;
    case WM_RBUTTONDOWN:
      ToggleMark(SignedX(lParam), SignedY(lParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void StartGameWindow(HWND window) {
  SetBackgroundPath("");
  ReadOptions();
  LoadStartupPictures(window, dataFolder);
  LoadNumberWords();
  SeedRandom(GetTickCount());
  DealBoard();
  ShowTitleWithoutGame();
  SetTimer(window, kClockTimer, kClockTimerMs, nullptr);
  shellState.startupComplete = 1;
}

void ShutDownGameWindow(HWND window) {
  WriteRecentLists();
  FreeNumberWords();
  FreeTileSet();
  shellState.shuttingDown = 1;
  if (shellState.menuDialogClosed == 0) SendMessageA(shellState.menuDialog, WM_CLOSE, 0, 0);
  KillTimer(window, kClockTimer);
  FreeBackground();
  FreeStartupPictures();
  FreeSoundEffects();
  PostQuitMessage(0);
}

void PumpOneMessage() {
  MSG message;
  PumpAction action = ActionForGetMessage(GetMessageA(&message, nullptr, 0, 0));
  if (action == PumpAction::kQuit) {
    shellState.quitReceived = 1;
    lastMessageWParam = message.wParam;
    return;
  }
  if (action == PumpAction::kFail) {
    // A loop that cannot fetch messages would only spin: the window closes in
    // order (the recent list is saved) and the program ends, telling of the error.
    if (IsWindow(mainWindow)) DestroyWindow(mainWindow);
    shellState.quitReceived = 1;
    lastMessageWParam = 1;
    return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  shellState.programInstance = instance;

  std::wstring directory = CurrentDirectoryWide();
  ChooseProgramFolder(AnsiName(directory, kMaxProgramFolderBytes),
                      AnsiName(ShortName(directory), MAX_PATH));
  // The C library's own cut of the command line stops the program's name at its first
  // byte above 127, so that a folder such as "t\x80st" gave "st\..." as the data folder.
  std::string arguments = CommandLineArguments(GetCommandLineA());
  shellState.dataFolder = !arguments.empty() ? arguments : programFolder;

  ReadScreenBits();

  LoadHighScores(programFolder);
  RegisterMainWindowClass();
  ReadRecentLists();

  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  SetClientSize(desktop.right - desktop.left, desktop.bottom - desktop.top);
  shellState.mainWindow = CreateWindowExA(
      0, kMainWindowTitle, kMainWindowTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
      gameState.clientWidth, gameState.clientHeight, nullptr, nullptr, instance, nullptr);
  if (!mainWindow) return 0;
  SetHighScoreDialogOwner(mainWindow);
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);

  StartGameWindow(mainWindow);

  CreateMenuDialog();
  FillRecentMenu(MenuDialogId, kBackgroundList);
  FillRecentMenu(MainWindowId, kBackgroundList);
  UpdateLayoutChecks();
  UpdateLevelChecks();
  UpdateExplosionChecks();
  SendMessageA(mainWindow, WM_PAINT, 0, 0);

  PlayStartupSound();
  ShowMenuNote();
  SetFocus(shellState.menuDialog);

  while (shellState.quitReceived == 0) PumpOneMessage();
  return static_cast<int>(lastMessageWParam);
}
