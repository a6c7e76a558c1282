// save_filters.h - the save dialog's entries and the format each one writes.
#pragma once

#include "picture.h"

#include <array>
#include <cstdint>

struct SaveFilter {
  int32_t entry;  // 1-based, as the save dialog numbers its filters
  const char* filterText;
  const char* pattern;
  int32_t formatCode;  // SavePictureFile's format
  int32_t bitsPerPixel;
  bool usesSaveQuality;  // quality is saveQuality, else 0
};

constexpr std::array<SaveFilter, 11> SaveFilters{{
    {1, "Very small, slow (*.bkg)", "*.bkg", kFormatBkg, 24, true},
    {2, "PCX 24 bit (*.pcx)", "*.pcx", kFormatPcx, 24, false},
    {3, "Windows BMP 24 bit (*.bmp)", "*.bmp", kFormatBmp, 24, false},
    {4, "JFIF (jpg) (*.jpg)", "*.jpg", kFormatJfif, 24, true},
    {5, "JTIF (jpg variant)", "*.jpg", kFormatJpegTiff, 24, true},
    {6, "TIF LZW 24 (*.tif)", "*.tif", kFormatTiffLzw, 24, false},
    {7, "TIF 24 (*.tif)", "*.tif", kFormatTiff, 24, false},
    {8, "GIF (8 bit) (*.gif)", "*.gif", kFormatGif, 8, false},
    {9, "TGA 24 (*.tga)", "*.tga", kFormatTga, 24, false},
    {10, "OS/2 BMP 24 (*.bmp)", "*.bmp", kFormatOs2Bmp, 24, false},
    {11, "Macintosh PICTURE 24 (*.pct)", "*.pct", kFormatPict, 24, false},
}};

// The save dialog's filter string, "|" between the parts (the dialog code turns each
// "|" into a NUL).
constexpr const char* kSaveFilterString =
    "Very small, slow (*.bkg)|*.bkg|PCX 24 bit (*.pcx)|*.pcx|Windows BMP 24 bit "
    "(*.bmp)|*.bmp|JFIF (jpg) (*.jpg)|*.jpg|JTIF (jpg variant)|*.jpg|TIF LZW 24 "
    "(*.tif)|*.tif|TIF 24 (*.tif)|*.tif|GIF (8 bit) (*.gif)|*.gif|TGA 24 (*.tga)|*.tga|"
    "OS/2 BMP 24 (*.bmp)|*.bmp|Macintosh PICTURE 24 (*.pct)|*.pct|";

// The entry's filter, or nullptr for an entry number that does not exist.
const SaveFilter* FindSaveFilter(int32_t entry);

// Saves the picture as the save dialog's entry does (its format code, depth and
// quality). Result 1 on success; kPictureUnknownFormat (-16) for an entry that does
// not exist, without writing anything.
int32_t SavePictureWithFilter(const char* path, const Picture& picture, int32_t entry,
                              int32_t saveQuality);
