// One reset of every piece of state that the portable game code owns, for the unit
// tests and fuzzers: each test starts from the state the program starts with.
#pragma once

// Puts back the start-up values of the game state, the generator and the stored
// settings. A new piece of core state adds its own reset here.
void ResetCoreState();
