#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/file_image.h"
#include "game/platform.h"
#include "shell/options.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/file_size_limit.h"
#include "tests/fakes/temp_folder.h"

namespace {

struct OptionsFields {
  int32_t sound = 1;
  std::string background;
  std::string tileSet;
  std::string marker = std::string("valid", 6);
  int32_t nextLevel = 8, columns = 16, rows = 12, windowed = 0, hideNote = 0, showClock = 1;
};

std::vector<uint8_t> MakeOptionsFile(const OptionsFields& f) {
  std::vector<uint8_t> bytes = PatternBytes(1548, 21);  // foreign bytes everywhere else
  PutInt32LE(&bytes[0], f.sound);
  std::memcpy(&bytes[4], f.background.c_str(), f.background.size() + 1);
  std::memcpy(&bytes[260], f.tileSet.c_str(), f.tileSet.size() + 1);
  std::memcpy(&bytes[516], f.marker.data(), f.marker.size());
  PutInt32LE(&bytes[516 + 8], f.nextLevel);
  PutInt32LE(&bytes[516 + 12], f.columns);
  PutInt32LE(&bytes[516 + 16], f.rows);
  PutInt32LE(&bytes[516 + 20], f.windowed);
  PutInt32LE(&bytes[516 + 24], f.hideNote);
  PutInt32LE(&bytes[516 + 28], f.showClock);
  return bytes;
}

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakePlatform();
    programFolder = folder.Prefix();
  }
  std::string OptionsPath() const { return folder.File("vod.opt"); }
  TempFolder folder;
};

TEST_F(OptionsTest, MissingFileKeepsDefaultsAndEmptiesThePaths) {
  SetBackgroundPath("old.bmp");
  SetTileSetPath("old.vod");
  ReadOptions();
  EXPECT_STREQ(backgroundPath, "");
  EXPECT_STREQ(tileSetPath, "");
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(gameState.columns, 16);
  EXPECT_EQ(gameState.rows, 12);
  EXPECT_EQ(gameState.nextLevel, 8);
  EXPECT_EQ(gameState.showClock, 1);
  EXPECT_EQ(hideMenuNote, 0);
  EXPECT_TRUE(fakePlatform.events.empty());
}

TEST_F(OptionsTest, WrittenFileLayout) {
  SetSoundOn(0);
  SetBackgroundPath("C:\\PICS\\sky.bmp");
  SetTileSetPath("C:\\GAME\\electron.vod");
  gameState.columns = 30;
  gameState.rows = 24;
  gameState.nextLevel = 4;
  gameState.showClock = 0;
  hideMenuNote = 1;
  fakePlatform.normalWindow = true;
  WriteOptions();

  std::vector<uint8_t> bytes = ReadBytes(OptionsPath());
  ASSERT_EQ(bytes.size(), 1548u);
  EXPECT_EQ(GetInt32LE(&bytes[0]), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[4]), "C:\\PICS\\sky.bmp");
  EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[260]), "C:\\GAME\\electron.vod");
  EXPECT_EQ(std::memcmp(&bytes[516], "valid\0", 6), 0);
  EXPECT_EQ(GetInt32LE(&bytes[516 + 8]), 4);
  EXPECT_EQ(GetInt32LE(&bytes[516 + 12]), 30);
  EXPECT_EQ(GetInt32LE(&bytes[516 + 16]), 24);
  EXPECT_EQ(GetInt32LE(&bytes[516 + 20]), 1);
  EXPECT_EQ(GetInt32LE(&bytes[516 + 24]), 1);
  EXPECT_EQ(GetInt32LE(&bytes[516 + 28]), 0);
  for (size_t i = 516 + 32; i < 1548; ++i) ASSERT_EQ(bytes[i], 0) << i;  // none read yet
  EXPECT_EQ(bytes[516 + 6], 0);
  EXPECT_FALSE(std::filesystem::exists(OptionsPath() + ".new"));
}

TEST_F(OptionsTest, ReadThenWriteKeepsTheFileByteForByte) {
  OptionsFields fields;
  fields.sound = 0;
  fields.background = "C:\\PICS\\sky.bmp";
  fields.tileSet = "electron.vod";
  fields.nextLevel = 3;
  fields.columns = 40;
  fields.rows = 30;
  fields.hideNote = 1;
  fields.showClock = 0;
  std::vector<uint8_t> original = MakeOptionsFile(fields);
  WriteBytes(OptionsPath(), original);

  ReadOptions();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_STREQ(backgroundPath, "C:\\PICS\\sky.bmp");
  EXPECT_STREQ(tileSetPath, "electron.vod");
  EXPECT_EQ(gameState.nextLevel, 3);
  EXPECT_EQ(gameState.columns, 40);
  EXPECT_EQ(gameState.rows, 30);
  EXPECT_EQ(gameState.showClock, 0);
  EXPECT_EQ(hideMenuNote, 1);
  EXPECT_TRUE(fakePlatform.events.empty());

  WriteOptions();
  EXPECT_EQ(ReadBytes(OptionsPath()), original);

  // Changed settings change only their own bytes.
  gameState.columns = 12;
  gameState.rows = 8;
  WriteOptions();
  std::vector<uint8_t> changed = ReadBytes(OptionsPath());
  EXPECT_EQ(GetInt32LE(&changed[516 + 12]), 12);
  EXPECT_EQ(GetInt32LE(&changed[516 + 16]), 8);
  PutInt32LE(&changed[516 + 12], 40);
  PutInt32LE(&changed[516 + 16], 30);
  EXPECT_EQ(changed, original);
}

TEST_F(OptionsTest, WithoutTheMarkerOnlySoundPathsAndNoteAreTaken) {
  OptionsFields fields;
  fields.sound = 0;
  fields.background = "bg.pcx";
  fields.tileSet = "set.vod";
  fields.marker = std::string("Valid", 6);  // the comparison is case-sensitive
  fields.nextLevel = 3;
  fields.columns = 50;
  fields.rows = 40;
  fields.windowed = 1;
  fields.hideNote = 1;
  fields.showClock = 0;
  WriteBytes(OptionsPath(), MakeOptionsFile(fields));
  ReadOptions();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_STREQ(backgroundPath, "bg.pcx");
  EXPECT_STREQ(tileSetPath, "set.vod");
  EXPECT_EQ(hideMenuNote, 1);
  EXPECT_EQ(gameState.nextLevel, 8);
  EXPECT_EQ(gameState.columns, 16);
  EXPECT_EQ(gameState.rows, 12);
  EXPECT_EQ(gameState.showClock, 1);
  EXPECT_TRUE(fakePlatform.events.empty()) << "no switch to the normal window";
}

TEST_F(OptionsTest, WindowedFlagSwitchesToTheNormalWindow) {
  OptionsFields fields;
  fields.windowed = 1;
  WriteBytes(OptionsPath(), MakeOptionsFile(fields));
  ReadOptions();
  EXPECT_EQ(FakeEventTexts(), (std::vector<std::string>{"hide-menu", "command 2100"}));

  fields.windowed = 2;  // only exactly 1 means the normal window
  WriteBytes(OptionsPath(), MakeOptionsFile(fields));
  fakePlatform.events.clear();
  ReadOptions();
  EXPECT_TRUE(fakePlatform.events.empty());
}

TEST_F(OptionsTest, SettingsTheGameCannotUseKeepTheirDefaults) {
  struct Case {
    int32_t level, columns, rows;
    int32_t expectLevel, expectColumns, expectRows;
  };
  const Case cases[] = {
      {0, 16, 12, 8, 16, 12}, {5, 20, 16, 8, 20, 16},   {-8, 50, 40, 8, 50, 40},
      {6, 16, 16, 6, 16, 12}, {4, 100, 100, 4, 16, 12}, {10, 50, 30, 10, 16, 12},
      {3, 12, 8, 3, 12, 8},   {10, 0, 0, 10, 16, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.level) + " " + std::to_string(c.columns) + "x" +
                 std::to_string(c.rows));
    gameState = GameState{};
    OptionsFields fields;
    fields.nextLevel = c.level;
    fields.columns = c.columns;
    fields.rows = c.rows;
    WriteBytes(OptionsPath(), MakeOptionsFile(fields));
    ReadOptions();
    EXPECT_EQ(gameState.nextLevel, c.expectLevel);
    EXPECT_EQ(gameState.columns, c.expectColumns);
    EXPECT_EQ(gameState.rows, c.expectRows);
  }
}

TEST_F(OptionsTest, PathWithoutTerminatingNulIsEmpty) {
  std::vector<uint8_t> bytes = MakeOptionsFile(OptionsFields{});
  std::memset(&bytes[4], 'A', 256);
  std::memcpy(&bytes[260], "set.vod", 8);
  WriteBytes(OptionsPath(), bytes);
  ReadOptions();
  EXPECT_STREQ(backgroundPath, "");
  EXPECT_STREQ(tileSetPath, "set.vod");
}

TEST_F(OptionsTest, TruncatedFilesMixFileValuesWithWhatWasThere) {
  OptionsFields fields;
  fields.sound = 0;
  fields.background = "bg.pcx";
  fields.tileSet = "set.vod";
  fields.nextLevel = 4;
  fields.columns = 30;
  fields.rows = 24;
  fields.hideNote = 1;
  std::vector<uint8_t> full = MakeOptionsFile(fields);

  // Two bytes: only the low half of the sound flag.
  WriteBytes(OptionsPath(), std::vector<uint8_t>(full.begin(), full.begin() + 2));
  ReadOptions();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_STREQ(backgroundPath, "");
  EXPECT_EQ(gameState.columns, 16);

  // Cut inside the background path before its NUL: it names nothing.
  ResetFakePlatform();
  WriteBytes(OptionsPath(), std::vector<uint8_t>(full.begin(), full.begin() + 7));
  ReadOptions();
  EXPECT_STREQ(backgroundPath, "");

  // Cut inside the block between columns and rows: the layout stays whole.
  ResetFakePlatform();
  WriteBytes(OptionsPath(), std::vector<uint8_t>(full.begin(), full.begin() + 516 + 14));
  ReadOptions();
  EXPECT_STREQ(backgroundPath, "bg.pcx");
  EXPECT_STREQ(tileSetPath, "set.vod");
  EXPECT_EQ(gameState.nextLevel, 4);
  EXPECT_EQ(gameState.columns, 16);
  EXPECT_EQ(gameState.rows, 12);

  // An empty file changes nothing.
  ResetFakePlatform();
  gameState = GameState{};
  SetTileSetPath("kept.vod");
  WriteBytes(OptionsPath(), {});
  ReadOptions();
  EXPECT_STREQ(tileSetPath, "kept.vod");
  EXPECT_EQ(SoundOn, 1);
}

TEST_F(OptionsTest, FailedWriteLeavesTheOldFile) {
  std::vector<uint8_t> original = MakeOptionsFile(OptionsFields{});
  WriteBytes(OptionsPath(), original);
  std::filesystem::create_directory(OptionsPath() + ".new");
  gameState.columns = 50;
  WriteOptions();
  EXPECT_EQ(ReadBytes(OptionsPath()), original);

  programFolder = folder.Prefix() + "missing/";
  WriteOptions();  // silent
  EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}

// "Save Options" says the settings were saved only when they were: a folder in the
// file's place, a program folder that is gone, or a write that fails half-way (a full
// disk) get "Sorry:" and leave what was there.
TEST_F(OptionsTest, SaveOptionsTellsWhetherTheFileWasWritten) {
  gameState.columns = 30;
  gameState.rows = 20;
  SaveOptions();
  EXPECT_EQ(FakeEventTexts("message"),
            std::vector<std::string>{"message Options Saved:|Your current settings have been "
                                     "saved in the file 'vod.opt'. You may delete this file if "
                                     "you want to return to the original settings."});
  const std::vector<uint8_t> saved = ReadBytes(OptionsPath());
  ASSERT_EQ(saved.size(), 1548u);
  EXPECT_EQ(GetInt32LE(&saved[516 + 12]), 30);

  const std::string sorry =
      "message Sorry:|Your current settings could not be saved in the file 'vod.opt'.";
  gameState.columns = 50;
  {
    FileSizeLimit fullDisk(1000);
    ResetFakePlatform();
    SaveOptions();
  }
  EXPECT_EQ(FakeEventTexts("message"), std::vector<std::string>{sorry});
  EXPECT_EQ(ReadBytes(OptionsPath()), saved);
  EXPECT_FALSE(std::filesystem::exists(OptionsPath() + ".new"));

  std::filesystem::remove(OptionsPath());
  std::filesystem::create_directory(OptionsPath());
  ResetFakePlatform();
  SaveOptions();
  EXPECT_EQ(FakeEventTexts("message"), std::vector<std::string>{sorry});
  EXPECT_TRUE(std::filesystem::is_directory(OptionsPath()));
  EXPECT_FALSE(std::filesystem::exists(OptionsPath() + ".new"));

  programFolder = folder.Prefix() + "gone/";
  ResetFakePlatform();
  SaveOptions();
  EXPECT_EQ(FakeEventTexts("message"), std::vector<std::string>{sorry});
}

TEST(ProgramFolder, CurrentDirectoryAndLengthLimit) {
  SetProgramFolder("C:\\GAMES\\DAZ");
  EXPECT_EQ(programFolder, "C:\\GAMES\\DAZ\\");
  EXPECT_EQ(ProgramFilePath("vod.opt"), "C:\\GAMES\\DAZ\\vod.opt");
  SetProgramFolder(std::string(119, 'd'));
  EXPECT_EQ(programFolder.size(), 120u);
  SetProgramFolder(std::string(120, 'd'));
  EXPECT_EQ(programFolder, "\\");
  SetProgramFolder("/tmp/x", '/');
  EXPECT_EQ(ProgramFilePath("gmnflist"), "/tmp/x/gmnflist");
}

// A folder whose name the ANSI code page cannot hold (Cyrillic under a Western code
// page) comes back with '?' for each such character: the files are then found through
// the folder's short name, or relative to the current folder when it has none.
TEST(ProgramFolder, NamesTheAnsiCodePageCannotHold) {
  ChooseProgramFolder("C:\\t\x80st", "C:\\T~1");
  EXPECT_EQ(programFolder, "C:\\t\x80st\\");
  ChooseProgramFolder("C:\\GAMES\\????", "C:\\GAMES\\A1B2~1");
  EXPECT_EQ(ProgramFilePath("vod.opt"), "C:\\GAMES\\A1B2~1\\vod.opt");
  ChooseProgramFolder("C:\\GAMES\\????", "C:\\GAMES\\????");
  EXPECT_EQ(ProgramFilePath("vod.opt"), "vod.opt");
  ChooseProgramFolder("C:\\GAMES\\????", "");
  EXPECT_EQ(ProgramFilePath("gmnflist"), "gmnflist");
  ChooseProgramFolder(std::string(120, 'd'), "C:\\D");  // too long, as before
  EXPECT_EQ(programFolder, "\\");
  ChooseProgramFolder("", "");
  EXPECT_EQ(programFolder, "\\");
}

// The data folder is what follows the program's name; a name with bytes above 127 (a
// folder such as "t\x80st" in the ANSI code page) is not cut short at them.
TEST(CommandLineArgumentsTest, SkipsTheProgramNameWhateverItsBytes) {
  EXPECT_EQ(CommandLineArguments("Z:\\t\x80st\\game\\ZERADE95.exe"), "");
  EXPECT_EQ(CommandLineArguments("Z:\\t\x80st\\ZERADE95.exe D:\\data\\"), "D:\\data\\");
  EXPECT_EQ(CommandLineArguments("\"C:\\Jeu \x80\\ZERADE95.exe\"  \tC:\\d\xe9j\xe0\\"),
            "C:\\d\xe9j\xe0\\");
  EXPECT_EQ(CommandLineArguments("\"C:\\Jeu \x80\\ZERADE95.exe\""), "");
  EXPECT_EQ(CommandLineArguments("\"C:\\unclosed quote D:\\x"), "");
  EXPECT_EQ(CommandLineArguments("ZERADE95.exe\tC:\\a b\\"), "C:\\a b\\");
  EXPECT_EQ(CommandLineArguments(""), "");
  EXPECT_EQ(CommandLineArguments(nullptr), "");
}

}  // namespace
