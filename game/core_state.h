// One reset of every piece of state that the portable game code owns, for the unit
// tests and fuzzers: each test starts from the state the program starts with.
//
// Every portable folder that owns state has one such reset (ResetCoreState here,
// ResetSoundState, ResetShellState, ResetLandscapeState); the fakes call them all from
// one place (ResetPortableState, tests/fakes/fake_platform.h), and the test
// tests/state checks that they cover every piece of state the portable libraries hold.
#pragma once

// Puts back the start-up values of the game state, the generator, the stored settings,
// the high-score table and the cue table (all null). A new piece of core state adds its
// own reset here.
void ResetCoreState();
