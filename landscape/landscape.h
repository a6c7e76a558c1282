// Landscape generators: fractal landscapes and banded fractals drawn straight into the
// main window and then adopted as the background.
#pragma once

#include <cstdint>

// generatingPicture, set while a generator draws into the window, belongs to the board
// painting code (graphics/board_paint_win32.h, SetGeneratingPicture).
// 1 once the player asked a running generator to stop. Written only by the operations
// below (landscape.cpp): every command and left click of the main window requests the
// stop; each generation clears it when it starts; a running generator takes it (and so
// clears it) when it finds it set.
extern int32_t stopRequest;

// Puts back the landscape code's start-up state: no stop request, no colour strips, a
// nudge table of zeros. For the unit tests (game/core_state.h).
void ResetLandscapeState();

void RequestStop();
void ClearStopRequest();
// True, clearing the request, when a stop was requested.
bool TakeStopRequest();

// Commands CMD_GENERATE_MULTICOLOR, CMD_GENERATE_LANDSCAPE and CMD_GENERATE_BANDED.
void GenerateBackground(int32_t commandId);
