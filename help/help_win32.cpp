// Help screens: the illustrated instructions dialog, the help message boxes and the
// About box. Every box and the dialog are modal to the window that asked for them.

#include "help/help_win32.h"

#include "graphics/drawing_kit_win32.h"
#include "graphics/screen_bitmap_win32.h"
#include "graphics/tile_set_win32.h"
#include "resources/resource.h"

namespace {

struct HelpBox {
  const char* caption;
  const char* text;
};

const HelpBox kHowToPlay = {
    "How to Play with Dazivivo:",
    "Objective: Try to clear the dazivivo field while exploding as few bombs as "
    "possible.\r\n\r\nHow to Play: Click on any square on the screen, and hope it is "
    "not a bomb. The square will indicate how many bombs are in squares next to the "
    "one you clicked. There are up to 8 adjacent squares, and so there are 8 images "
    "that represent the number of adjacent bombs, sometimes by number, and sometimes "
    "by color. Different people prefer different image sets, so choose the ones you "
    "like."};
const HelpBox kHowToWin = {
    "How to Win Dazivivo:",
    "This is a true mental challenge! Using your brain like never before, you will "
    "discover ways to figure out where there is a bomb, and where there can't be "
    "one. For example, if a square indicates only 1 bomb is nearby, and only one "
    "space could be a bomb, mark it as a bomb!\r\n\r\nMarking Bombs: You can mark "
    "squares as bombs by clicking the right mouse button. But be careful, if you "
    "mark one wrong, you'll regret it later!"};
const HelpBox kClearingTheField = {
    "Clearing the Field:",
    "When you click on a space that has zero bombs next to it, it automatically "
    "clicks all of the spaces next to it for you. If one of them is also zero, it "
    "clicks those too. This is why you will see it rifle across the screen opening "
    "up whole sections."};
const HelpBox kTimeBonuses = {
    "Time Bonuses:",
    "The time bonuses crawl out from under the tiles at random. The more tiles you "
    "click, the more likely you'll get one. You should notice the clock turning back "
    "a little each time you hit one!"};
const HelpBox kConfusion1 = {
    "Ending the Confusion:",
    "CLEAR THE AREA: If you seem to be exploding to many bombs, perhaps you need a "
    "little help. When you click on a space that has no bombs next to it, that "
    "square and all the ones next to it will open up.\r\n\r\nLOOK FOR 'ONES': At "
    "this point, you will probably see at least one square that has only ONE bomb "
    "next to it, and only ONE covered (hidden) square next to it.\r\n\r\nMARK THE "
    "BOMBS: Click the only possible bomb with the right button to mark it as a "
    "bomb.\r\n\r\n"};
const HelpBox kConfusion2 = {
    "Ending the Confusion 2:",
    "USING SOME LOGIC: Now you may have a bomb next to a square marked 'ONE'. Since "
    "there can only be one bomb next to it, you can now click all the other squares "
    "around it, knowing they all must be free!\r\n\r\nBECOMING AN EXPERT: There are "
    "many more complex strategies in this game, but you'll have to crank up a few "
    "neurons and find them for yourself. Good luck!"};
const HelpBox kAbout = {"About Revaza's Dazivivo:", ""};

// The instructions dialog: its place on the screen, its client size, and its buttons.
constexpr int kDialogX = 150, kDialogY = 50;
constexpr int kClientWidth = 360, kClientHeight = 380;
constexpr RECT kDoneButton = {0, 320, 160, 380};
constexpr RECT kMoreHelpButton = {160, 320, 360, 380};
// The instructions picture at (0, 0), and the count images 1..8 shrunk down its left
// edge.
constexpr int kPictureWidth = 360, kPictureHeight = 320;
constexpr int kCountImages = 8;
constexpr int kCountImageX = 12, kCountImageSize = 40;

void ShowBox(HWND owner, const HelpBox& box) { MessageBoxA(owner, box.text, box.caption, MB_OK); }

void PlaceButton(HWND dialog, int id, const RECT& place) {
  MoveWindow(GetDlgItem(dialog, id), place.left, place.top, place.right - place.left,
             place.bottom - place.top, TRUE);
}

void OnInitInstructions(HWND dialog) {
  SetClientSize(dialog, kDialogX, kDialogY, kClientWidth, kClientHeight, TRUE);
  PlaceButton(dialog, IDOK, kDoneButton);
  PlaceButton(dialog, IDC_MORE_HELP, kMoreHelpButton);
}

void PaintInstructions(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  {
    PaletteScope palette(dc);
    DrawBitmap(dc, instructionsBitmap, 0, 0, kPictureWidth, kPictureHeight, 0, 0, kPictureWidth,
               kPictureHeight);
    for (int k = 0; k < kCountImages; ++k)
      DrawPieceImage(dc, kCountImageX, kCountImageSize * k, kCountImageSize, kCountImageSize, k);
  }
  EndPaint(dialog, &paint);
}

// "&More Help": three boxes in turn, each modal to the dialog, then the dialog closes.
void ShowMoreHelp(HWND dialog) {
  for (const HelpBox* box : {&kHowToPlay, &kHowToWin, &kClearingTheField}) ShowBox(dialog, *box);
  EndDialog(dialog, 0);
}

INT_PTR CALLBACK InstructionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitInstructions(dialog);
      return TRUE;
    case WM_PAINT:
      PaintInstructions(dialog);
      return TRUE;
    case WM_COMMAND:
      // "&Done", Return, and Escape (which the dialog manager sends as IDCANCEL)
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_MORE_HELP) {
        ShowMoreHelp(dialog);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

void ShowInstructions(HWND window) {
  DialogBoxParamA(GetModuleHandleA(nullptr), RES_INSTRUCTIONS_DIALOG, window, InstructionsProc, 0);
}

void ShowTimeBonusHelp(HWND window) { ShowBox(window, kTimeBonuses); }

void ShowConfusedHelp(HWND window) {
  ShowBox(window, kConfusion1);
  ShowBox(window, kConfusion2);
  ShowInstructions(window);
}

void ShowAbout(HWND window) { ShowBox(window, kAbout); }
