// The pictures the game window shows from the start: the piece image set, the
// background, the clock face, the title and the instructions pictures.
#pragma once

#include <windows.h>

#include <string>

// Called at start-up right after the options were read: the set from tileSetPath (or
// "rosewood.vod" in the current folder), the background from backgroundPath (or the
// data folder's "PLANET_R.BKG"), then the pictures of the program's resources.
void LoadStartupPictures(HWND mainWindow, const std::string& dataFolder);
// Deletes the clock, title and instructions bitmaps at shutdown.
void FreeStartupPictures();
