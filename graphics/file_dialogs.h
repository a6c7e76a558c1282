// file_dialogs.h - what the background's file dialogs show and decide, kept apart from
// the dialogs themselves: the filter texts, the choose dialog's geometry and when it
// closes.
#pragma once

#include <cstdint>
#include <string>

// The Open dialog's filter for backgrounds: description and pattern pairs, each part
// followed by "|" (the dialog wants NULs there; see DialogFilterText).
constexpr const char* kOpenFilterString =
    "Backgrounds|*.bkg|MOST IMAGES|*.tga;*.pcx;*.cmp;*.mac;*.gif;*.bmp;*.jpg;*.tif;*.pcd;"
    "*.jtf|ALL FILES|*.*|TGA|*.tga|TIF|*.tif|CALS|*.cal|MAC|*.mac|PCT|*.pct|GEM IMG|*.img|"
    "RAS|*.ras|WPG|*.wpg|MS Paint|*.msp|Photo CD|*.pcd|EPS|*.eps|PCX|*.pcx|GIF|*.gif|"
    "JPEG|*.jpg;*.jff;*.jtf|";

// A filter text with every "|" turned into a NUL, as the common dialogs read it: the
// text ends in the NUL of its last "|" and the string's own terminator, two NULs.
std::string DialogFilterText(const char* text);

// The choose dialog: its client area at (100, 10), the picture in the top 320 rows and
// the load button across the 25 rows below.
constexpr int32_t kChooseDialogX = 100;
constexpr int32_t kChooseDialogY = 10;
constexpr int32_t kChooseDialogWidth = 320;
constexpr int32_t kChooseDialogHeight = 345;
constexpr int32_t kChooseButtonTop = 320;
constexpr int32_t kChooseButtonHeight = 25;

// After a file was chosen in the choose dialog: it stays open only when the file loaded
// and is a 320 x 320 sheet, which it then shows; any other picture, and a failed load,
// close it.
constexpr bool ChooseDialogStaysOpen(bool loaded, bool isSheet) { return loaded && isSheet; }
// A click on the picture (above the button row) closes the choose dialog.
constexpr bool ClickClosesChooseDialog(int32_t y) { return y < kChooseButtonTop; }
