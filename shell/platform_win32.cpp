// The shell's side of the calls the portable core makes into the platform: menus,
// commands and message boxes (the time is tick_count_win32.cpp).

#include "shell/shell_private_win32.h"

#include "game/platform.h"
#include "shell/recent_lists.h"

namespace {

HWND WindowOf(WindowId window) {
  return window == MenuDialogId ? shellState.menuDialog : mainWindow;
}

}  // namespace

void SetMenuCheck(int32_t commandId, bool checked) {
  UINT state = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
  for (HWND window : {mainWindow, shellState.menuDialog}) {
    HMENU menu = window ? GetMenu(window) : nullptr;
    if (menu) CheckMenuItem(menu, static_cast<UINT>(commandId), state);
  }
}

void SetMenuRadioCheck(int32_t firstId, int32_t lastId, int32_t checkedId) {
  for (HWND window : {mainWindow, shellState.menuDialog}) {
    HMENU menu = window ? GetMenu(window) : nullptr;
    if (menu)
      CheckMenuRadioItem(menu, static_cast<UINT>(firstId), static_cast<UINT>(lastId),
                         static_cast<UINT>(checkedId), MF_BYCOMMAND);
  }
}

void SendCommandToMainWindow(int32_t commandId) {
  SendMessageA(mainWindow, WM_COMMAND, static_cast<WPARAM>(commandId), 0);
}

void ShowMessage(const char* text, const char* caption) {
  MessageBoxA(mainWindow, text, caption, MB_OK);
}

void FillRecentMenu(WindowId window, int32_t list) {
  HWND owner = WindowOf(window);
  HMENU menu = owner ? GetMenu(owner) : nullptr;
  if (!menu) return;
  for (int32_t i = 0; i < kRecentEntryCount; ++i) {
    UINT id = static_cast<UINT>(RecentCommandId(list, i));
    std::string entry = RecentEntry(list, i);
    ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, entry.c_str());
  }
}

void HideMenuDialog() {
  if (shellState.menuDialog) ShowWindow(shellState.menuDialog, SW_HIDE);
}

bool NormalWindowInUse() {
  RECT client, desktop;
  GetClientRect(mainWindow, &client);
  GetWindowRect(GetDesktopWindow(), &desktop);
  return !(client.right == desktop.right && client.bottom == desktop.bottom);
}
