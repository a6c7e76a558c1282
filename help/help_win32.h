// Help screens: the instructions dialog, the help message boxes and the About box.
#pragma once

#include <windows.h>

void ShowInstructions(HWND window);   // command 500 and the F1 key
void ShowTimeBonusHelp(HWND window);  // command 505
void ShowConfusedHelp(HWND window);   // command 506, also at the tenth explosion
void ShowAbout(HWND window);          // command 502
