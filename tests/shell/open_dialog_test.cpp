#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/open_dialog.h"

namespace {

TEST(OpenDialogFolder, OpensWithoutTheSeparatorAndKeepsTheChosenFolderWithIt) {
  char folder[kOpenFolderSize] = "C:\\GAME\\";
  TrimFolderSeparator(folder);
  EXPECT_STREQ(folder, "C:\\GAME");
  TrimFolderSeparator(folder);  // a folder without it stays as it is
  EXPECT_STREQ(folder, "C:\\GAME");
  KeepFolderOf(folder, "D:\\PICTURES\\\x80 SUMMER\\beach.jpg");
  EXPECT_STREQ(folder, "D:\\PICTURES\\\x80 SUMMER\\");
  TrimFolderSeparator(folder);
  EXPECT_STREQ(folder, "D:\\PICTURES\\\x80 SUMMER");
  KeepFolderOf(folder, "E:\\top.bmp");
  EXPECT_STREQ(folder, "E:\\");
  KeepFolderOf(folder, "\\\\server\\share\\x.bmp");
  EXPECT_STREQ(folder, "\\\\server\\share\\");
}

TEST(OpenDialogFolder, OddFoldersAndPaths) {
  char folder[kOpenFolderSize] = "";
  TrimFolderSeparator(folder);
  EXPECT_STREQ(folder, "");
  std::strcpy(folder, "\\");
  TrimFolderSeparator(folder);
  EXPECT_STREQ(folder, "");
  // A name without a folder: the dialog opens in the current folder next time.
  std::strcpy(folder, "C:\\OLD\\");
  KeepFolderOf(folder, "plain.bmp");
  EXPECT_STREQ(folder, "");
  // A buffer whose text fills it without a terminator is cut at its last byte.
  std::memset(folder, 'a', sizeof folder);
  folder[kOpenFolderSize - 2] = '\\';
  TrimFolderSeparator(folder);
  EXPECT_EQ(std::strlen(folder), kOpenFolderSize - 2);
  // A folder that would not fit with its terminator is not kept cut short.
  std::string deep = "C:\\" + std::string(kOpenFolderSize, 'd') + "\\f.bmp";
  KeepFolderOf(folder, deep.c_str());
  EXPECT_STREQ(folder, "");
  std::string fits = "C:\\" + std::string(kOpenFolderSize - 5, 'd') + "\\f.bmp";
  KeepFolderOf(folder, fits.c_str());
  EXPECT_EQ(std::strlen(folder), kOpenFolderSize - 1);
}

}  // namespace
