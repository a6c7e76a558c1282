// The end of a game: the final time, the wipe that uncovers the background, the spoken
// score, the record test with the table's update, the two high-score dialogs, and
// afterwards the board wiped away or painted back around the pointer.
//
// The dialogs, the drawing and the speaking it asks for are requests declared in
// game/platform.h.
#pragma once

#include <cstdint>

#include "game/high_scores.h"
#include "game/platform.h"

// Ends the game: called by PlaySquare right after the click that uncovered the last
// safe square.
void FinishGame();

// Pause between two steps of the wipe, counted from the start of each step, and the
// pause once the whole background shows.
constexpr uint32_t kWipeStepMs = 10;
constexpr uint32_t kWipeHoldMs = 500;
// The rectangle around the pointer is 2 / kRevealFraction of the client area wide and
// high.
constexpr int32_t kRevealFraction = 16;

// The game-end wipe: the clock face with the final time (clockBase holds the elapsed
// milliseconds by now), then the background spreads from the centre of the window as a
// rectangle of the window's proportions, one step of strips every 10 ms, until it covers
// the whole client area; then half a second's pause.
void RevealBackground();

// Called on every mouse move over the main window at client (x, y); acts only while the
// field is finished. Without the left button the background shows in a rectangle of an
// eighth of the window's width and height around the pointer; with the left button held
// the board is painted back there.
void RevealAroundCursor(int32_t x, int32_t y);

// The game-end announcement, for a game with `explosions` and `elapsedMs` on entry
// `entry` of `table` (the record as it stood before the game): "your score was", the
// score, "new record" when `newRecord`, "the record was", the record.
void AnnounceScore(const HighScoreTable& table, int32_t entry, int32_t explosions,
                   uint32_t elapsedMs, bool newRecord);

// The texts of the new-record dialog: the old record of entry `entry` and the new score.
NewRecordDialogTexts NewRecordTextsFor(const HighScoreTable& table, int32_t entry,
                                       int32_t explosions, uint32_t elapsedMs);
// The texts of the high-score dialog for the game just played: the title with the level
// and layout names, the record of its entry with the holder, and the score.
HighScoreDialogTexts HighScoreTextsFor(const HighScoreTable& table, int32_t level, int32_t columns,
                                       int32_t explosions, uint32_t elapsedMs);
