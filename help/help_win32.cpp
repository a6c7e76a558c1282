// Help screens.
//
// Not built yet: commands 500, 502, 505 and 506 and the F1 key reach these operations,
// which show nothing.

#include "help/help_win32.h"

void ShowInstructions(HWND) {}
void ShowTimeBonusHelp(HWND) {}
void ShowConfusedHelp(HWND) {}
void ShowAbout(HWND) {}
