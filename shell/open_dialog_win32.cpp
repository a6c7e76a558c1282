// The common Open dialog.
#include "shell/open_dialog_win32.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "graphics/drawing_kit_win32.h"
#include "graphics/file_dialogs.h"

int ChooseFileToOpen(char (&result)[kOpenFolderSize], const char* filterText,
                     char (&folder)[kOpenFolderSize], HWND owner) {
  std::string filter = DialogFilterText(filterText);
  TrimFolderSeparator(folder);
  char file[kOpenFolderSize] = "";
  char title[kOpenFolderSize] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrFileTitle = title;
  dialog.nMaxFileTitle = sizeof title;
  dialog.lpstrInitialDir = folder;
  dialog.Flags = OFN_OVERWRITEPROMPT;
  {
    CurrentFolderScope keep;
    if (!GetOpenFileNameA(&dialog)) return 0;
  }
  KeepFolderOf(folder, file);
  memcpy(result, file, sizeof file);
  return 1;
}
