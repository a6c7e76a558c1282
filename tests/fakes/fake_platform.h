// Recording fakes of the platform calls (game/platform.h) for the unit tests and the
// fuzzers. Every call is appended to a log as a short text, stamped with the fake clock;
// the clock advances by one millisecond each time it is read, so BusyWait returns at
// once in real time while the log still shows how long it waited.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/core_state.h"
#include "game/settings.h"

struct FakeEvent {
  std::string text;
  uint32_t time;
};

struct FakePlatform {
  uint32_t now = 0;                     // the next value TickCount returns
  uint32_t tickStep = 1;                // added to `now` after every read
  std::vector<FakeEvent> events;        // every recorded call, in order
  std::set<std::string> missingSounds;  // names LoadSoundResource does not find
  bool normalWindow = false;            // what NormalWindowInUse answers
  int32_t soundsLoaded = 0;
  int32_t soundsFreed = 0;  // non-null handles freed
  std::string typedName;    // what ShowNewRecordDialog returns
  // Run while the new-record dialog is up, as the messages of its modal loop would be.
  std::function<void()> duringNewRecordDialog;
};

extern FakePlatform fakePlatform;

// Puts the state of every portable folder back as the program starts: the one place
// that calls each folder's reset (game/core_state.h).
void ResetPortableState();

// Clears the log and the counters, sets the clock to `now`, puts all portable state
// back as the program starts (ResetPortableState: sound on, both paths empty, a fresh
// game state, the sound, shell and landscape state) and loads every cue handle of the
// table.
void ResetFakePlatform(uint32_t now = 1000);

// The texts of the logged events, optionally only those starting with `prefix`.
std::vector<std::string> FakeEventTexts(const std::string& prefix = "");

// Log texts, as recorded:
//   "redraw C R"        RedrawSquare
//   "frame C R K"       DrawExplosionFrame
//   "invalidate"        InvalidateMainWindow
//   "check ID 0|1"      SetMenuCheck
//   "radio F L ID"      SetMenuRadioCheck
//   "command ID"        SendCommandToMainWindow
//   "message CAPTION|TEXT"
//   "fill-menu W K"     FillRecentMenu (W: 0 main window, 1 menu dialog)
//   "hide-menu"         HideMenuDialog
//   "async NAME"        PlaySoundAsync of a loaded handle (null handles are not logged)
//   "wait NAME"         PlaySoundAndWait of a loaded handle
//   "clock X Y MS"      DrawGameClock (X, Y: the clock's place in the game state)
//   "repaint L T R B"   RepaintSquaresClipped
//   "ball X Y R G B"    DrawBonusBall
//   "background L T R B"  ShowBackgroundIn
//   "board L T R B"     RepaintBoardIn
//   "speak N"           SpeakCount
//   "speak-time S"      SpeakSeconds
//   "new-record-dialog OLDLABEL|OLDVALUE|NEWLABEL|NEWVALUE"   ShowNewRecordDialog
//   "high-score-dialog TITLE|BESTLABEL|BESTVALUE|HOLDER|YOURLABEL|YOURVALUE"
