// The player's clicks on the field: uncovering a square (with the flood opening and the
// explosion of a bomb) and marking a square as a suspected bomb.
#pragma once

#include <cstdint>

// Explosions after which the help for a confused player (CMD_CONFUSED) is sent to the
// main window.
constexpr int32_t kConfusedAfterExplosions = 10;
// Pause after each explosion frame and after each square the flood opens, in ms.
constexpr uint32_t kExplosionFrameMs = 20;
constexpr uint32_t kFloodSquareMs = 25;
constexpr int32_t kExplosionFrames = 8;

// Left button pressed at client pixel (x, y).
void PlaySquare(int32_t x, int32_t y);
// Right button pressed at client pixel (x, y).
void ToggleMark(int32_t x, int32_t y);
// Uncovers (col, row) and, where it touches no bomb, its neighbours, depth first.
void FloodOpen(int32_t col, int32_t row);
