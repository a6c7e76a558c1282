// The options file "vod.opt" (1548 bytes in the program folder) and the program-folder
// paths of the shell's files.
//
// File image: SoundOn (int32) at 0, backgroundPath (256 bytes) at 4, tileSetPath (256
// bytes) at 260, then the 1032-byte options block at 516. The block holds the marker
// "valid" and its NUL at 0, nextLevel at 8, columns at 12, rows at 16, the windowed flag
// at 20, hideMenuNote at 24 and showClock at 28 (int32 each); bytes 6..7 and 32..1031
// are not the program's and are carried over from the file that was read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/settings.h"

constexpr size_t kOptionsFileSize = 1548;
constexpr size_t kOptionsBlockSize = 1032;
constexpr size_t kOptionsPathSize = kPathSettingSize;
constexpr size_t kSoundOnOffset = 0;
constexpr size_t kBackgroundPathOffset = 4;
constexpr size_t kTileSetPathOffset = 260;
constexpr size_t kOptionsBlockOffset = 516;
// Offsets inside the block.
constexpr size_t kBlockMarker = 0;
constexpr size_t kBlockNextLevel = 8;
constexpr size_t kBlockColumns = 12;
constexpr size_t kBlockRows = 16;
constexpr size_t kBlockWindowedMode = 20;
constexpr size_t kBlockHideMenuNote = 24;
constexpr size_t kBlockShowClock = 28;

// The options block as last read or written; its foreign bytes survive every read and
// write.
extern std::array<uint8_t, kOptionsBlockSize> optionsBlock;
// 1 once the player has asked not to see the start-up note about the hidden menu.
// Written by ApplyOptionsImage and by HideMenuNoteForGood only.
extern int32_t hideMenuNote;
// The player asked not to see the note again: sets hideMenuNote and writes the options.
void HideMenuNoteForGood();

// The folder of the options and list files, ending in its separator.
extern std::string programFolder;
// Sets programFolder from the current directory: the directory followed by the
// separator, or the separator alone when the directory has 120 characters or more.
void SetProgramFolder(const std::string& currentDirectory, char separator = '\\');
// Sets programFolder from the current directory as the ANSI functions give it and its
// short (8.3) form. A character the ANSI code page lacks comes back as '?', which no
// file name holds: then the short form is taken when it is free of them, and otherwise
// programFolder is empty, so that the files are named relative to the current folder.
void ChooseProgramFolder(const std::string& ansiDirectory, const std::string& shortDirectory);
// programFolder followed directly by `name`.
std::string ProgramFilePath(const std::string& name);
// What follows the program's name in a whole command line (as GetCommandLineA gives
// it), blanks after the name skipped: the data folder when one is given. The name runs
// to its closing quote when quoted, else to the first blank; every byte above 127 (the
// ANSI code page's letters, such as "\x80") belongs to it.
std::string CommandLineArguments(const char* commandLine);

// Puts back the portable shell's start-up state: an empty options block, the menu note
// not hidden, empty recent lists. For the unit tests (game/core_state.h). programFolder
// is kept: it is chosen once at start-up before anything reads it, and the tests point
// it at their own folder.
void ResetShellState();

// Reads "vod.opt" from the program folder into the settings (see options.cpp).
void ReadOptions();
// Stores all current settings in "vod.opt". A failed write leaves the old file whole;
// returns whether the settings are now in the file.
bool WriteOptions();
// The "Save Options" command: writes the options and tells the player in a message box
// that they were saved, or that they could not be.
void SaveOptions();

// The part of ReadOptions after the file has been read: applies the first `size` bytes
// of an options file image. Bytes the image does not reach leave the settings as they
// were.
void ApplyOptionsImage(const uint8_t* data, size_t size);
// The part of WriteOptions before the file is written: fills the block with the current
// settings and returns the whole file image.
std::array<uint8_t, kOptionsFileSize> BuildOptionsImage();
