// The folder rule of the common Open dialog: the caller keeps a folder buffer between
// dialogs, the dialog opens there and the buffer then remembers the folder of the file
// chosen, so that the next dialog opens where the player last was.
#pragma once

#include <cstddef>

// The size of the folder buffers the Open dialog is given.
constexpr size_t kOpenFolderSize = 256;

// Takes a final "\" off the folder (the dialog wants the folder without it).
void TrimFolderSeparator(char (&folder)[kOpenFolderSize]);
// Makes the folder the folder of `path`, up to and with its last "\". A path without a
// "\" leaves the folder empty (the dialog then opens in the current folder).
void KeepFolderOf(char (&folder)[kOpenFolderSize], const char* path);
