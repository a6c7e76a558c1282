// The background commands that work through dialogs: choosing a background file
// (command 115), saving the background (119), capturing the game screen (120), and
// adopting a generated landscape as the background.
//
// Not built yet: the commands reach these operations and do nothing.

#include "graphics/background_win32.h"

void ChooseBackground(HWND) {}
void SaveCurrentBackground(HWND) {}
void CaptureGameScreen(HWND) {}
