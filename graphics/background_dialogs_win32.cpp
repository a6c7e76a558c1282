// The background commands that work through dialogs: choosing a background file
// (command 115), saving the background (119) and capturing the game screen (120).

#include "graphics/background_win32.h"

#include <commdlg.h>
#include <windowsx.h>

#include <string>

#include "game/platform.h"
#include "game/settings.h"
#include "graphics/drawing_kit_win32.h"
#include "graphics/file_dialogs.h"
#include "graphics/picture_win32.h"
#include "imaging/save_filters.h"
#include "graphics/screen_bitmap_win32.h"
#include "resources/resource.h"

namespace {

// The folder the Open dialog starts in: the data folder at first, then the folder of
// the last file chosen there.
char backgroundFolder[kPathSettingSize] = "";
// The save dialog's entry chosen last, offered first the next time.
int32_t lastSaveFilter = 1;
// The quality passed with the formats that take one: the best.
constexpr int32_t saveQuality = 2;

const char kSaveTitle[] = "Save Bitmap File";
const char kSuggestionCaption[] = "Important Suggestion:";
const char kSuggestionText[] =
    "If you are capturing this screen for use in advertising or a news article, you may "
    "want to set your Windows driver to a higher number of colors. This game looks much "
    "nicer in 65,536 colors (16 bit) or 16 million colors (24 or 32 bit).";

// ---- The choose dialog -------------------------------------------------------------

// What the command gives the dialog, kept in the dialog's user data while it runs.
struct ChooseRequest {
  const std::string* dataFolder;
  FileChooser chooseFile;
};

void OnInitChooseDialog(HWND dialog, LPARAM request) {
  SetWindowLongPtrA(dialog, DWLP_USER, request);
  SetClientSize(dialog, kChooseDialogX, kChooseDialogY, kChooseDialogWidth, kChooseDialogHeight,
                FALSE);
  RECT client;
  GetClientRect(dialog, &client);
  MoveWindow(GetDlgItem(dialog, IDC_LOAD_BACKGROUND), 0, kChooseButtonTop, client.right,
             kChooseButtonHeight, FALSE);
}

// A sheet at its own size; any other background shrunk into the whole client area, the
// button row included.
void PaintChooseDialog(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  RECT client;
  GetClientRect(dialog, &client);
  if (backgroundBitmap == nullptr) {
    FillBox(dc, 0, 0, client.right, client.bottom, RGB(0, 0, 0));
  } else if (backgroundIsSheet == 1) {
    DrawBitmap(dc, backgroundBitmap, 0, 0, kSheetSize, kSheetSize, 0, 0, kSheetSize, kSheetSize);
  } else {
    RECT main;
    GetClientRect(screenWindow, &main);
    // Shrinking averages the pixels it drops rather than picking some of them.
    int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    DrawBitmap(dc, backgroundBitmap, 0, 0, client.right, client.bottom, 0, 0, main.right,
               main.bottom);
    SetStretchBltMode(dc, oldMode);
  }
  EndPaint(dialog, &paint);
}

// The load button: a file chosen in the Open dialog becomes the background. A sheet
// keeps the dialog open to show it; anything else closes it, a failed load after its
// message.
void OnLoadButton(HWND dialog) {
  auto* request = reinterpret_cast<const ChooseRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (backgroundFolder[0] == '\0') StorePathSetting(backgroundFolder, *request->dataFolder);
  char chosen[kPathSettingSize];
  if (!request->chooseFile(chosen, kOpenFilterString, backgroundFolder, dialog)) return;
  bool loaded = LoadBackground(dialog, chosen);
  InvalidateRect(dialog, nullptr, FALSE);
  if (!ChooseDialogStaysOpen(loaded, backgroundIsSheet == 1)) EndDialog(dialog, 0);
}

INT_PTR CALLBACK ChooseBkgDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitChooseDialog(dialog, lParam);
      return TRUE;
    case WM_ERASEBKGND:
      return TRUE;  // the paint covers the whole client area
    case WM_PAINT:
      PaintChooseDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_LOAD_BACKGROUND)
        OnLoadButton(dialog);
      else if (LOWORD(wParam) == IDCANCEL)  // the Escape key
        EndDialog(dialog, 0);
      return TRUE;
    case WM_LBUTTONDOWN:
      if (ClickClosesChooseDialog(GET_Y_LPARAM(lParam))) EndDialog(dialog, 0);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ChooseBackground(HWND window, const std::string& dataFolder, FileChooser chooseFile) {
  ChooseRequest request{&dataFolder, chooseFile};
  DialogBoxParamA(GetModuleHandleA(nullptr), RES_BACKGROUND_DIALOG, window, ChooseBkgDialogProc,
                  reinterpret_cast<LPARAM>(&request));
  InvalidateRect(screenWindow, nullptr, FALSE);
}

// ---- Saving pictures ---------------------------------------------------------------

bool SavePictureAs(HWND owner, const Picture& picture, std::string* savedPath) {
  std::string filter = DialogFilterText(kSaveFilterString);
  char file[MAX_PATH] = "";
  char title[MAX_PATH] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(lastSaveFilter);
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrFileTitle = title;
  dialog.nMaxFileTitle = sizeof title;
  dialog.lpstrTitle = kSaveTitle;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  {
    CurrentFolderScope keep;
    if (!GetSaveFileNameA(&dialog)) return false;
  }
  lastSaveFilter = static_cast<int32_t>(dialog.nFilterIndex);
  int32_t result;
  {
    WaitCursor wait;
    result = SavePictureWithFilter(file, picture, lastSaveFilter, saveQuality);
  }
  if (result != kPictureSuccess) return false;
  if (savedPath != nullptr) *savedPath = file;
  return true;
}

void SaveCurrentBackground(HWND window) {
  std::string saved;
  // A path too long for the setting keeps the old one, which still names a file.
  if (SavePictureAs(window, backgroundPicture, &saved) && saved.size() < sizeof backgroundPath)
    SetBackgroundPath(saved);
}

void CaptureGameScreen(HWND window) {
  HideMenuDialog();
  InvalidateRect(screenWindow, nullptr, FALSE);
  UpdateWindow(screenWindow);  // painted at once, without the menu bar
  RECT client;
  GetClientRect(screenWindow, &client);
  Picture screen;
  {
    WindowDc dc(screenWindow);
    CopyWindowToPicture(dc.dc, screen, &client);
  }
  SavePictureAs(window, screen, nullptr);
  ReleasePicture(screen);
  if (PaletteDisplay()) MessageBoxA(screenWindow, kSuggestionText, kSuggestionCaption, MB_OK);
}
