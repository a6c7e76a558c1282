// What the rest of the program sees of the shell: the program instance, the main window
// and the folder of the program's picture files. They are set once at start-up, before
// the first message is handled, and stay for the whole run; only the shell writes them
// (shell/shell_private_win32.h), everyone else reads them here.
#pragma once

#include <windows.h>

#include <string>

extern const HINSTANCE& programInstance;
// Where the program's picture files are found: the command line when it is not empty,
// else the program folder. File names are put directly behind it.
extern const std::string& dataFolder;
extern const HWND& mainWindow;
