// Landscape generators: fractal landscapes and banded fractals drawn straight into the
// main window and then adopted as the background.
#pragma once

#include <cstdint>

// generatingPicture, set while a generator draws into the window, belongs to the board
// painting code (graphics/board_paint_win32.h).
// Set by every command and left click of the main window; a running generator stops
// early when it finds it set, and each generation clears it when it starts.
extern int32_t stopRequest;

// Commands CMD_GENERATE_MULTICOLOR, CMD_GENERATE_LANDSCAPE and CMD_GENERATE_BANDED.
void GenerateBackground(int32_t commandId);
