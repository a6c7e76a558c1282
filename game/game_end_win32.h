// The Windows side of the game's end: the window that owns the two high-score dialogs.
#pragma once

#include <windows.h>

// The main window, set by the shell as soon as it is created; the dialogs are modal to
// it. Until then (and if it is never set) they have no owner. Written only by
// SetHighScoreDialogOwner.
extern HWND highScoreDialogOwner;
void SetHighScoreDialogOwner(HWND window);
