// The common Open dialog that remembers its folder, for whoever opens files.
#pragma once

#include <windows.h>

#include "game/settings.h"
#include "shell/open_dialog.h"

static_assert(kOpenFolderSize == kPathSettingSize, "the background dialog passes path settings");

// Runs the Open dialog owned by `owner`, with `filterText` ("|" between its parts),
// opening in `folder`. Returns 1 with the chosen full path in `result` (256 bytes),
// after which `folder` holds that file's folder with its final "\"; returns 0 when the
// player cancelled.
int ChooseFileToOpen(char (&result)[kOpenFolderSize], const char* filterText,
                     char (&folder)[kOpenFolderSize], HWND owner);
