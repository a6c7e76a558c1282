// Help screens: the instructions dialog, the help message boxes and the About box.
#pragma once

#include <windows.h>

void ShowInstructions(HWND window);   // CMD_HOW_TO_PLAY and the F1 key
void ShowTimeBonusHelp(HWND window);  // CMD_TIME_BONUSES
void ShowConfusedHelp(HWND window);   // CMD_CONFUSED, also at the tenth explosion
void ShowAbout(HWND window);          // CMD_ABOUT
