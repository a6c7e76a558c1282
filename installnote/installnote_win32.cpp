// ravezudi.exe: tells the player how to start the game. It opens no window of its
// own; it shows at most two message boxes and ends.
//
// Exit code: 0 when the player declines at the floppy notice, otherwise the result of
// the instructions box (IDOK).

#include <windows.h>
#include <direct.h>

#include <cstring>
#include <string>

namespace {

const char floppyCaption[] = "Notice";
const char floppyText[] =
    "This program is currently uncompressed and residing on a floppy diskette. "
    "You may copy it onto your hard drive or leave it on the floppy and run it "
    "directly from there.\r\n\r\n"
    "This program will not copy Dazivivo to your hard drive, you must do that with "
    "either the File Manager or the xcopy command in DOS.\r\n\r\n"
    "Example:\r\n\r\n"
    "1) C:\r\n"
    "2) MD DIDODIZ\r\n"
    "3) CD DIDODIZ\r\n"
    "4) XCOPY A: (or B: if it is the B drive)\r\n\r\n"
    "Would you like to proceed with the installation instructions now?";

const char instructionsCaption[] = "Installation Instructions:";
const char instructionsHead[] =
    "Dazivivo does not really need an installation program. All you need to do is run "
    "this program using the 'Start' menu, and selecting 'Run'.\r\n\r\n"
    "You should then type '";
const char instructionsTail[] =
    "'.\r\n\r\n"
    "Then click 'OK' to run the game, or 'Browse' to open a Browse window. From the "
    "Browse window, you can click the game icon and drag it down and drop it on your "
    "Start menu for easy access.";

const char gameName[] = "\\ZERADE95";  // what the player types, without extension
constexpr int pathBufferSize = 120;

// 1 for A:, 2 for B:, ...; 0 when the current directory has no drive letter.
int CurrentDriveNumber() {
  char dir[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, dir);
  if (length == 0 || length >= MAX_PATH || dir[1] != ':') return 0;
  char letter = dir[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return 0;
  return letter - 64;
}

// The folder the game is started from, followed by its name. A current directory too
// long for the 120-byte buffer gives the name alone: a cut path would name the wrong
// folder, and the buffer is never read unless the runtime filled it.
std::string GamePathText() {
  char path[pathBufferSize];
  if (_getcwd(path, pathBufferSize) == nullptr) return gameName + 1;
  path[pathBufferSize - 1] = '\0';
  return std::string(path) + gameName;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int drive = CurrentDriveNumber();
  if (drive == 1 || drive == 2) {
    if (MessageBoxA(nullptr, floppyText, floppyCaption, MB_YESNO) == IDNO) return 0;
  }
  std::string text = instructionsHead + GamePathText() + instructionsTail;
  return MessageBoxA(nullptr, text.c_str(), instructionsCaption, MB_OK);
}
