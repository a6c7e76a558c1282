// The calls the portable core makes into the platform layer: a list of requests (read
// the clock, draw this, play that, show this dialog). The core's own operations and its
// data live in its own headers (the cue table in game/sound_cues.h, FinishGame in
// game/game_end.h).
//
// The core (game/, shell/, sound/ files without "_win32" in their names) declares them
// here and never includes <windows.h>. The Windows layer defines them in its *_win32.cpp
// files; the unit tests and fuzzers link the recording fakes of tests/fakes instead, whose
// clock makes BusyWait instant and whose log lets a test see every call in order.
//
// Everything here is called on the one window thread, inside message handling.
#pragma once

#include <cstdint>
#include <string>

// A loaded recording, or nullptr when it is missing. Playing or freeing nullptr does
// nothing.
using SoundHandle = const void*;

// The two windows that carry the game's menu.
enum WindowId : int32_t { MainWindowId = 0, MenuDialogId = 1 };

// ---- Time -----------------------------------------------------------------------------

// Milliseconds since the system started, wrapping at 2^32. Read by BusyWait on every
// pass of its loop, by DealBoard to seed the generator and start the game clock.
uint32_t TickCount();

// ---- Drawing the field (defined by the board painting code) ---------------------------

// Paints square (col, row) at once on the main window, with the image that the
// square's state selects. Called by PlaySquare, FloodOpen and ToggleMark after each
// change of a square.
void RedrawSquare(int32_t col, int32_t row);

// Draws explosion frame `frame` (0..7, the second row of the piece image set)
// stretched onto the rectangle of square (col, row). Called by PlaySquare eight times
// per explosion, each followed by a 20 ms BusyWait.
void DrawExplosionFrame(int32_t col, int32_t row, int32_t frame);

// Marks the whole client area of the main window for repainting, without erasing.
// Called by DealBoard after a deal and by ToggleClock.
void InvalidateMainWindow();

// ---- The clock and the bonus balls (defined by the board painting code) --------------

// Draws the clock face at (clockX, clockY) of the game state showing `elapsed`
// milliseconds in whole seconds. Called by TickClock, DodgeClock and the bonus balls
// while the clock is shown, and by RevealBackground before the wipe whether or not it
// is shown. Draws nothing while a landscape is being generated.
void DrawGameClock(uint32_t elapsed);

// Paints again, clipped to exactly the client rectangle (left, top) - (right, bottom)
// (right and bottom excluded), every square whose rectangle shares a pixel with it:
// columns outer, rows inner (SquaresTouching). Called by DodgeClock to erase the clock
// from its old place and by the bonus balls to erase their trails.
void RepaintSquaresClipped(int32_t left, int32_t top, int32_t right, int32_t bottom);

// Draws a bonus ball: a disc without outline filling (x - 5, y - 5) - (x + 5, y + 5) in
// the colour (red, green, blue). Called by PlayBonusBalls once per live ball and step.
void DrawBonusBall(int32_t x, int32_t y, int32_t red, int32_t green, int32_t blue);

// ---- Window, menus and messages (defined by the shell) --------------------------------

// Sets or clears the check mark of menu item `commandId` in the menu of the main window
// and in that of the menu dialog; a window without a menu is skipped. Called by
// UpdateLayoutChecks and UpdateLevelChecks.
void SetMenuCheck(int32_t commandId, bool checked);

// Puts the radio mark on menu item `checkedId` and takes it off the other items
// firstId..lastId, in the menu of the main window and in that of the menu dialog; a
// window without a menu is skipped. Called by UpdateExplosionChecks.
void SetMenuRadioCheck(int32_t firstId, int32_t lastId, int32_t checkedId);

// Sends menu command `commandId` to the main window and returns when it has been
// carried out. Called by PlaySquare at the tenth explosion (CMD_CONFUSED) and by
// ApplyOptionsImage when the saved options ask for the normal window (CMD_NORMAL_WINDOW).
void SendCommandToMainWindow(int32_t commandId);

// A modal message box with an OK button, owned by the main window. Called by
// SelectLevel and by SaveOptions.
void ShowMessage(const char* text, const char* caption);

// Writes list `list` of the recent-file lists into the menu of `window` (items
// CMD_RECENT_FIRST + 20 * list + i). Called by AddRecentFile.
void FillRecentMenu(WindowId window, int32_t list);

// Hides the menu dialog. Called by ApplyOptionsImage (for ReadOptions) before it
// switches to the normal window, and by the Win32 layer before it captures the screen
// (CaptureGameScreen) and before it generates a landscape (GenerateBackground).
void HideMenuDialog();

// True when the main window's client area is smaller than the screen (the normal
// window with caption, frame and menu bar), false in full-screen mode. Called by
// WriteOptions.
bool NormalWindowInUse();

// ---- Sound (defined by the sound code) ------------------------------------------------

// Finds the recording `name` among the program's own recordings (case-insensitive);
// nullptr when there is none. Called by LoadNumberWords.
SoundHandle LoadSoundResource(const char* name);

// Releases a handle from LoadSoundResource. Called by FreeNumberWords.
void FreeSoundResource(SoundHandle sound);

// Starts `sound` and returns at once, cutting off any sound still playing. Called by
// PlaySquare and FloodOpen. Returns non-zero when the sound system accepted it.
int32_t PlaySoundAsync(SoundHandle sound);

// Plays `sound` to its end, then returns. Called by the number-speaking operations and
// by TryTimeBonus.
int32_t PlaySoundAndWait(SoundHandle sound);

// ---- The end of a game (requests of FinishGame and RevealAroundCursor) ---------------

// Copies the background picture, fitted to the window, onto the client rectangle
// [left, right) x [top, bottom) of the main window. Called by RevealBackground for each
// strip of the wipe and by RevealAroundCursor. Defined by the board painting code.
void ShowBackgroundIn(int32_t left, int32_t top, int32_t right, int32_t bottom);

// Paints the field back onto that client rectangle of the main window at once.
// Called by RevealAroundCursor while the left button is held. Defined by the board
// painting code.
void RepaintBoardIn(int32_t left, int32_t top, int32_t right, int32_t bottom);

// Speaks a whole number, and a number of seconds as hours, minutes and seconds, word
// by word, each word played to its end. Called by FinishGame for the announcement.
// Defined by the sound code.
void SpeakCount(int32_t n);
void SpeakSeconds(int32_t seconds);

// What the two high-score dialogs show; FinishGame fills them (game/game_end.h).
struct NewRecordDialogTexts {
  std::string oldLabel;  // "Old Best Score:" or "Old Best Perfect Game Score:"
  std::string oldValue;  // "1000 explosions" or "hh:mm:ss"
  std::string newLabel;  // "New Best Score:" or "New Best Perfect Game Score:"
  std::string newValue;
};
struct HighScoreDialogTexts {
  std::string title;      // "High Score for <level> <layout> Layout:"
  std::string bestLabel;  // "Best Score:" or "Best Perfect Game Score:"
  std::string bestValue;
  std::string holder;     // the record holder's name
  std::string yourLabel;  // "Your Score:" or "Your Perfect Game Score:"
  std::string yourValue;
};

// The modal dialog "VodSetHSDialog", owned by the main window: shows `texts` and
// returns the name typed there (at most 13 characters). Only "Done" ends it; Escape
// and closing the dialog count as "Done", so the record is never lost. Called by
// FinishGame after a new record. Defined by the game-end dialogs
// (game/game_end_win32.cpp).
std::string ShowNewRecordDialog(const NewRecordDialogTexts& texts);

// The modal dialog "VodHSDialog", owned by the main window: shows `texts` until "Done"
// (or Escape, or closing it). Called by FinishGame after every game.
void ShowHighScoreDialog(const HighScoreDialogTexts& texts);
