// The menu command dispatcher: every id of the game's menu, handed to its owner.

#include "shell/shell_private_win32.h"

#include <array>

#include "game/board.h"
#include "game/clock.h"
#include "game/platform.h"
#include "game/settings.h"
#include "graphics/background_win32.h"
#include "graphics/tile_set_win32.h"
#include "help/help_win32.h"
#include "landscape/landscape.h"
#include "resources/resource.h"
#include "shell/open_dialog_win32.h"
#include "shell/options.h"
#include "shell/recent_lists.h"
#include "sound/sound_effects.h"

namespace {

constexpr std::array<const char*, 12> kTileSetFiles = TILESET_FILES;

void StartLayout(int32_t id) {
  for (const LayoutEntry& layout : kLayouts) {
    if (layout.commandId == id) {
      SetLayout(layout.columns, layout.rows);
      StartNewGame();
      return;
    }
  }
}

void OpenRecentBackground(int32_t index) {
  if (LoadBackground(mainWindow, RecentEntry(kBackgroundList, index).c_str())) {
    AddRecentFile(MenuDialogId, backgroundPath, kBackgroundList);
    FillRecentMenu(MainWindowId, kBackgroundList);
    InvalidateRect(mainWindow, nullptr, FALSE);
  }
}

void OpenBackground(HWND window) {
  ChooseBackground(window, dataFolder, ChooseFileToOpen);
  AddRecentFile(MenuDialogId, backgroundPath, kBackgroundList);
  FillRecentMenu(MainWindowId, kBackgroundList);
}

}  // namespace

void ShowTitleBeforeCommand() {
  if (gameState.gameInProgress == 0) {
    ShowTitle();
    InvalidateRect(mainWindow, nullptr, FALSE);
  }
}

void DispatchCommand(HWND window, int32_t id) {
  if (id >= CMD_LAYOUT_12X8 && id <= CMD_LAYOUT_50X40) {
    StartLayout(id);
    return;
  }
  if (id >= CMD_TILESET_FIRST && id <= CMD_TILESET_LAST) {
    ChooseTileSet(dataFolder + kTileSetFiles[static_cast<size_t>(id - CMD_TILESET_FIRST)]);
    return;
  }
  if (id >= CMD_RECENT_BACKGROUND_0 && id <= CMD_RECENT_BACKGROUND_9) {
    OpenRecentBackground(id - CMD_RECENT_BACKGROUND_0);
    return;
  }
  switch (id) {
    case CMD_START_NEW_GAME:
      StartNewGame();
      break;
    case CMD_LEVEL_EASY:
    case CMD_LEVEL_MEDIUM:
    case CMD_LEVEL_ADVANCED:
    case CMD_LEVEL_EXPERT:
    case CMD_LEVEL_IMPOSSIBLE:
      SelectLevel(id);
      break;
    case CMD_EXPLOSION_NORMAL:
    case CMD_EXPLOSION_NUCLEAR:
    case CMD_EXPLOSION_GOSH:
    case CMD_EXPLOSION_SHUCKS:
      SelectExplosionSound(id);
      break;
    case CMD_SOUND_TOGGLE:
      ToggleSound();
      break;
    case CMD_CLOCK_TOGGLE:
      ToggleClock();
      break;
    case CMD_FULL_SCREEN:
      SetFullScreenMode(window);
      break;
    case CMD_NORMAL_WINDOW:
      SetNormalWindowMode(window);
      break;
    case CMD_REDUCE_TO_ICON:
      ShowWindow(mainWindow, SW_SHOWMINIMIZED);
      break;
    case CMD_CAPTURE_SCREEN:
      CaptureGameScreen(window);
      break;
    case CMD_SAVE_OPTIONS:
      SaveOptions();
      break;
    case CMD_EXIT:
      SendMessageA(window, WM_CLOSE, 0, 0);
      break;
    case CMD_OPEN_BACKGROUND:
      OpenBackground(window);
      break;
    case CMD_GENERATE_MULTICOLOR:
    case CMD_GENERATE_LANDSCAPE:
    case CMD_GENERATE_BANDED:
      GenerateBackground(id);
      break;
    case CMD_SAVE_BACKGROUND:
      SaveCurrentBackground(window);
      break;
    case CMD_HOW_TO_PLAY:
      ShowInstructions(window);
      break;
    case CMD_TIME_BONUSES:
      ShowTimeBonusHelp(window);
      break;
    case CMD_CONFUSED:
      ShowConfusedHelp(window);
      break;
    case CMD_ABOUT:
      ShowAbout(window);
      break;
    default:
      break;  // not a command of the menu
  }
}
