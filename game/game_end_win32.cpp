// The two high-score dialogs: the name of a new record holder, and the record with the
// score of the game just played. They show the texts FinishGame gives them; closing
// them any way counts as "Done", so that a record is never lost.

#include "game/game_end_win32.h"

#include <string>

#include "game/high_scores.h"
#include "game/platform.h"
#include "resources/resource.h"

HWND highScoreDialogOwner = nullptr;

void SetHighScoreDialogOwner(HWND window) { highScoreDialogOwner = window; }

namespace {

struct NewRecordDialogState {
  const NewRecordDialogTexts* texts;
  std::string name;
};

void SetItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

bool IsDoneCommand(WPARAM wParam) {
  // IDCANCEL comes from Escape and from closing the window: there is no cancel path.
  return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
}

BOOL InitNewRecordDialog(HWND dialog, LPARAM lParam) {
  auto* state = reinterpret_cast<NewRecordDialogState*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  SetItemText(dialog, IDC_LABEL_FIRST, state->texts->oldLabel);
  SetItemText(dialog, IDC_VALUE_FIRST, state->texts->oldValue);
  SetItemText(dialog, IDC_LABEL_SECOND, state->texts->newLabel);
  SetItemText(dialog, IDC_VALUE_SECOND, state->texts->newValue);
  SendDlgItemMessageA(dialog, IDC_NAME_EDIT, EM_LIMITTEXT, kHolderMaxChars, 0);
  return TRUE;  // the focus goes to the name box
}

void EndNewRecordDialog(HWND dialog) {
  auto* state = reinterpret_cast<NewRecordDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  char name[kHolderMaxChars + 1] = {};
  GetDlgItemTextA(dialog, IDC_NAME_EDIT, name, sizeof name);
  if (state) state->name = name;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK NewRecordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitNewRecordDialog(dialog, lParam);
    case WM_COMMAND:
      if (!IsDoneCommand(wParam)) return FALSE;
      EndNewRecordDialog(dialog);
      return TRUE;
  }
  return FALSE;
}

BOOL InitHighScoreDialog(HWND dialog, LPARAM lParam) {
  const auto* texts = reinterpret_cast<const HighScoreDialogTexts*>(lParam);
  SetWindowTextA(dialog, texts->title.c_str());
  SetItemText(dialog, IDC_LABEL_FIRST, texts->bestLabel);
  SetItemText(dialog, IDC_VALUE_FIRST, texts->bestValue);
  SetItemText(dialog, IDC_VALUE_SECOND, texts->holder);
  SetItemText(dialog, IDC_LABEL_SECOND, texts->yourLabel);
  SetItemText(dialog, IDC_VALUE_THIRD, texts->yourValue);
  return TRUE;
}

INT_PTR CALLBACK HighScoreDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitHighScoreDialog(dialog, lParam);
    case WM_COMMAND:
      if (!IsDoneCommand(wParam)) return FALSE;
      EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

std::string ShowNewRecordDialog(const NewRecordDialogTexts& texts) {
  NewRecordDialogState state{&texts, std::string()};
  // The dialog templates are resources of the program itself.
  DialogBoxParamA(GetModuleHandleA(nullptr), RES_NEW_RECORD_DIALOG, highScoreDialogOwner,
                  NewRecordDialogProc, reinterpret_cast<LPARAM>(&state));
  return state.name;
}

void ShowHighScoreDialog(const HighScoreDialogTexts& texts) {
  DialogBoxParamA(GetModuleHandleA(nullptr), RES_HIGH_SCORE_DIALOG, highScoreDialogOwner,
                  HighScoreDialogProc, reinterpret_cast<LPARAM>(&texts));
}
