#include "shell/options.h"

#include <algorithm>
#include <cstring>

#include "game/board.h"
#include "game/file_image.h"
#include "game/platform.h"
#include "resources/resource.h"
#include "shell/recent_lists.h"

std::array<uint8_t, kOptionsBlockSize> optionsBlock{};
int32_t hideMenuNote = 0;
std::string programFolder;

namespace {

const char* const kOptionsFileName = "vod.opt";
const char kSavedCaption[] = "Options Saved:";
const char kSavedText[] =
    "Your current settings have been saved in the file 'vod.opt'. You may delete this "
    "file if you want to return to the original settings.";
const char kNotSavedCaption[] = "Sorry:";
const char kNotSavedText[] = "Your current settings could not be saved in the file 'vod.opt'.";
constexpr char kMarker[] = "valid";  // compared and written with its NUL
constexpr size_t kMaxCurrentDirectory = 119;

// Copies the part of [offset, offset + length) of the image that `size` bytes reach.
void CopyAvailable(uint8_t* target, const uint8_t* data, size_t size, size_t offset,
                   size_t length) {
  if (size <= offset) return;
  std::memcpy(target, data + offset, std::min(size - offset, length));
}

// The part of a field at [offset, offset + kOptionsPathSize) that `size` bytes reach;
// 0 when they do not reach it.
size_t PathFieldBytes(size_t size, size_t offset) {
  return size <= offset ? 0 : std::min(size - offset, kOptionsPathSize);
}

}  // namespace

void SetProgramFolder(const std::string& currentDirectory, char separator) {
  programFolder = currentDirectory.size() <= kMaxCurrentDirectory ? currentDirectory : "";
  programFolder += separator;
}

void ChooseProgramFolder(const std::string& ansiDirectory, const std::string& shortDirectory) {
  auto survived = [](const std::string& name) {
    return !name.empty() && name.find('?') == std::string::npos;
  };
  if (survived(ansiDirectory) || ansiDirectory.empty()) {
    SetProgramFolder(ansiDirectory);
  } else if (survived(shortDirectory)) {
    SetProgramFolder(shortDirectory);
  } else {
    programFolder.clear();
  }
}

std::string ProgramFilePath(const std::string& name) { return programFolder + name; }

std::string CommandLineArguments(const char* commandLine) {
  if (commandLine == nullptr) return std::string();
  // Blanks are the control characters and the space, compared as unsigned bytes.
  auto blank = [](char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte != 0 && byte <= ' ';
  };
  const char* p = commandLine;
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && !blank(*p)) ++p;
  }
  while (blank(*p)) ++p;
  return std::string(p);
}

void ApplyOptionsImage(const uint8_t* data, size_t size) {
  // The sound flag is read over its stored little-endian bytes, so that a file shorter
  // than four bytes changes only the bytes it has.
  uint8_t sound[4];
  PutInt32LE(sound, SoundOn);
  CopyAvailable(sound, data, size, kSoundOnOffset, 4);
  SetSoundOn(GetInt32LE(sound));
  if (size_t n = PathFieldBytes(size, kBackgroundPathOffset))
    ReadBackgroundPathField(data + kBackgroundPathOffset, n);
  if (size_t n = PathFieldBytes(size, kTileSetPathOffset))
    ReadTileSetPathField(data + kTileSetPathOffset, n);
  CopyAvailable(optionsBlock.data(), data, size, kOptionsBlockOffset, kOptionsBlockSize);

  const uint8_t* block = optionsBlock.data();
  if (std::memcmp(block + kBlockMarker, kMarker, sizeof kMarker) == 0) {
    SetShowClock(GetInt32LE(block + kBlockShowClock));
    // Values the game cannot play with keep their defaults.
    int32_t level = GetInt32LE(block + kBlockNextLevel);
    if (IsKnownLevel(level)) SetNextLevel(level);
    int32_t columns = GetInt32LE(block + kBlockColumns);
    int32_t rows = GetInt32LE(block + kBlockRows);
    if (IsKnownLayout(columns, rows)) SetLayout(columns, rows);
    if (GetInt32LE(block + kBlockWindowedMode) == 1) {
      HideMenuDialog();
      SendCommandToMainWindow(CMD_NORMAL_WINDOW);
    }
  }
  hideMenuNote = GetInt32LE(block + kBlockHideMenuNote);
}

void ReadOptions() {
  std::array<uint8_t, kOptionsFileSize> image{};
  int64_t size = ReadFileStart(ProgramFilePath(kOptionsFileName), image.data(), image.size());
  if (size < 0) {
    SetBackgroundPath("");
    SetTileSetPath("");
    return;
  }
  ApplyOptionsImage(image.data(), static_cast<size_t>(size));
}

std::array<uint8_t, kOptionsFileSize> BuildOptionsImage() {
  const GameState& g = gameState;
  uint8_t* block = optionsBlock.data();
  std::memcpy(block + kBlockMarker, kMarker, sizeof kMarker);
  PutInt32LE(block + kBlockShowClock, g.showClock);
  PutInt32LE(block + kBlockHideMenuNote, hideMenuNote);
  PutInt32LE(block + kBlockNextLevel, g.nextLevel);
  PutInt32LE(block + kBlockColumns, g.columns);
  PutInt32LE(block + kBlockRows, g.rows);
  PutInt32LE(block + kBlockWindowedMode, NormalWindowInUse() ? 1 : 0);

  std::array<uint8_t, kOptionsFileSize> image{};
  PutInt32LE(image.data() + kSoundOnOffset, SoundOn);
  std::memcpy(image.data() + kBackgroundPathOffset, backgroundPath, kOptionsPathSize);
  std::memcpy(image.data() + kTileSetPathOffset, tileSetPath, kOptionsPathSize);
  std::memcpy(image.data() + kOptionsBlockOffset, block, kOptionsBlockSize);
  return image;
}

bool WriteOptions() {
  auto image = BuildOptionsImage();
  return ReplaceFileContents(ProgramFilePath(kOptionsFileName), image.data(), image.size());
}

void ResetShellState() {
  optionsBlock.fill(0);
  hideMenuNote = 0;
  ResetRecentLists();
}

void HideMenuNoteForGood() {
  hideMenuNote = 1;
  WriteOptions();
}

void SaveOptions() {
  if (WriteOptions()) {
    ShowMessage(kSavedText, kSavedCaption);
  } else {
    ShowMessage(kNotSavedText, kNotSavedCaption);
  }
}
