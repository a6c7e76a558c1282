// zdsoak.exe: plays the game under Wine with a seeded random mix of real input and
// watches that it survives. Run in the same prefix as the game:
//
//   zdsoak GAME-FOLDER SECONDS SEED [option...]
//     --args TEXT        command line argument for the game (a data folder)
//     --pictures DIR     folder whose files the Open dialog is given (good and damaged)
//     --saves DIR        folder where the Save dialog writes (emptied as the run goes)
//     --exits N          per mille of actions that tell the game to exit (then restarted)
//     --sample MS        how often GDI objects, handles and memory are read (10000)
//     --warmup MS        figures before this time are not held against flatness (60000)
//
// The game is started from GAME-FOLDER (its current folder) as GAME-FOLDER\ZERADE95.exe.
// Input is real: the pointer is moved and clicked, and keys are pressed, through
// SendInput, so Windows routes them to whatever window is under the pointer or has the
// focus. Menu commands are posted to the main window or the menu dialog, as the menu
// would. Every box or dialog that the game opens is answered (a button, Return, Escape,
// a click, a typed name, a chosen or cancelled file).
//
// Checked all the way through, each fault printed as a "fault" line:
//   - the main window answers a sent message within 5 s, or within 120 s after an input
//     that may start the game's long work (a left click: a flood of a whole field paced
//     at 25 ms a square, the explosion, the bonus balls, the end-of-game wipe and spoken
//     score; a command: a landscape, a picture loaded; a resize), which runs inside one
//     message and answers nothing until it ends; the longest such wait is printed;
//   - the game's process lives until it is told to exit, and then ends with code 0;
//   - no crash dialog appears;
//   - vod.opt, gmnflist and gmnscore are at every moment absent, as they were at the
//     start, or whole and valid;
//   - every message box carries a caption of the game's own.
// Printed at the end: inputs, commands, dialogs answered, boxes seen (caption and text),
// the samples of GDI objects, handles and memory, and their first-after-warm-up, peak and
// final values. The exit code is 0 when no fault was seen.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "game/high_scores.h"
#include "resources/resource.h"
#include "shell/options.h"
#include "shell/recent_lists.h"
#include "window_text_win32.h"

namespace {

const char kMainClass[] = "Revaza's Dazivivo, Version 1.0!";
const DWORD kAnswerLimitMs = 5000;
const DWORD kLongWorkLimitMs = 120000;

// ---- the run's own random numbers -----------------------------------------------------

uint64_t randomState = 1;

uint32_t NextRandom() {
  randomState = randomState * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<uint32_t>(randomState >> 33);
}

int RandomBelow(int n) {
  return n <= 0 ? 0 : static_cast<int>(NextRandom() % static_cast<uint32_t>(n));
}

bool Chance(int perMille) { return RandomBelow(1000) < perMille; }

// ---- settings and tallies -------------------------------------------------------------

struct Settings {
  std::string gameFolder;
  std::string arguments;
  std::string pictures;
  std::string saves;
  DWORD seconds = 60;
  uint32_t seed = 1;
  int exitsPerMille = 0;
  DWORD sampleMs = 10000;
  DWORD warmupMs = 60000;
};

Settings settings;

struct Sample {
  DWORD ms;
  long gdi;
  long handles;
  long memoryKb;
};

struct Tally {
  long inputs = 0;
  long commands = 0;
  long dialogs = 0;
  long restarts = 0;
  // Open and Save dialogs given a file: under Wine 8 each one that completes keeps one
  // handle in the process that called it (a bare program calling GetOpenFileNameA shows
  // the same), so the handle figure is read against this count.
  long filesGiven = 0;
  long faults = 0;
  DWORD slowestAnswerMs = 0;
  DWORD longestWorkMs = 0;
  std::string longestWorkAfter;
  std::map<std::string, long> boxes;
  std::vector<Sample> samples;
};

Tally tally;
DWORD runStart = 0;
const char* lastAction = "start";
// Whether the last input may have started long work inside the game (see the top).
bool longWorkMayRun = false;

DWORD Elapsed() { return GetTickCount() - runStart; }

void Fault(const char* format, const char* detail) {
  ++tally.faults;
  printf("fault\t%lu\t", static_cast<unsigned long>(Elapsed()));
  printf(format, detail);
  printf("\tafter\t%s\n", lastAction);
  fflush(stdout);
}

// ---- the game's process and windows ---------------------------------------------------

struct Game {
  PROCESS_INFORMATION process = {};
  HWND main = nullptr;
  HWND menuDialog = nullptr;
  DWORD startedAt = 0;
  bool exitAsked = false;
  // When an input was given that may end the game by the player's own choice (a menu
  // item chosen blindly, a click on the close box): an end soon after it is no fault.
  DWORD exitMayFollowAt = 0;
  bool exitMayFollow = false;
};

Game game;

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

struct TopWindows {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* list = reinterpret_cast<TopWindows*>(param);
  if (IsWindowVisible(window) && (list->pid == 0 || ProcessOf(window) == list->pid))
    list->windows.push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleTopWindows(DWORD pid) {
  TopWindows list = {pid, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&list));
  return list.windows;
}

// The game's main window and menu dialog, found by class and process.
bool FindGameWindows() {
  game.main = nullptr;
  game.menuDialog = nullptr;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kMainClass, nullptr)) != nullptr) {
    if (ProcessOf(window) == game.process.dwProcessId) game.main = window;
  }
  if (!game.main) return false;
  // The menu dialog is a child of the main window after its WM_INITDIALOG.
  HWND child = nullptr;
  while ((child = FindWindowExA(game.main, child, "#32770", nullptr)) != nullptr) {
    if (GetMenu(child)) game.menuDialog = child;
  }
  return true;
}

bool StartGame() {
  std::string exe = settings.gameFolder + "\\ZERADE95.exe";
  std::string line = "\"" + exe + "\"";
  if (!settings.arguments.empty()) line += " " + settings.arguments;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  game = Game();
  if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      settings.gameFolder.c_str(), &startup, &game.process)) {
    Fault("cannot start %s", exe.c_str());
    return false;
  }
  game.startedAt = Elapsed();
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 60000) {
    if (WaitForSingleObject(game.process.hProcess, 0) == WAIT_OBJECT_0) {
      Fault("%s", "the game ended during start-up");
      return false;
    }
    if (FindGameWindows() && IsWindowVisible(game.main)) {
      // The start-up sound plays to its end before the game answers.
      longWorkMayRun = true;
      return true;
    }
    Sleep(100);
  }
  Fault("%s", "no main window within 60 s");
  return false;
}

// ---- real input -----------------------------------------------------------------------

void SendPointer(DWORD flags, int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((static_cast<int64_t>(x) * 65536 + 32768) / std::max(width, 1));
  input.mi.dy = static_cast<LONG>((static_cast<int64_t>(y) * 65536 + 32768) / std::max(height, 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  ++tally.inputs;
}

void MovePointer(int x, int y) { SendPointer(0, x, y); }

void ExitMayFollow() {
  game.exitMayFollow = true;
  game.exitMayFollowAt = Elapsed();
}

void ClickAt(int x, int y, bool right) {
  POINT at = {x, y};
  HWND below = WindowFromPoint(at);
  DWORD_PTR hit = HTNOWHERE;
  if (below &&
      SendMessageTimeoutA(below, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 2000, &hit) &&
      (hit == HTCLOSE || hit == HTSYSMENU))
    ExitMayFollow();
  MovePointer(x, y);
  SendPointer(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, x, y);
  Sleep(RandomBelow(40));
  SendPointer(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, x, y);
}

void PressKey(WORD vk) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = vk;
  input[0].ki.wScan = input[1].ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
  ++tally.inputs;
}

// ---- what is checked ------------------------------------------------------------------

// Sends the main window a message that does nothing and waits for the answer.
void CheckAnswers() {
  if (!game.main || !IsWindow(game.main)) return;
  DWORD start = GetTickCount();
  DWORD_PTR result = 0;
  LRESULT sent =
      SendMessageTimeoutA(game.main, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &result);
  DWORD took = GetTickCount() - start;
  if (!IsWindow(game.main)) return;
  tally.slowestAnswerMs = std::max(tally.slowestAnswerMs, took);
  if (sent) return;
  DWORD limit = longWorkMayRun ? kLongWorkLimitMs : kAnswerLimitMs;
  if (longWorkMayRun) {
    sent = SendMessageTimeoutA(game.main, WM_NULL, 0, 0, SMTO_NORMAL, limit - took, &result);
    took = GetTickCount() - start;
    if (!IsWindow(game.main)) return;
    if (sent) {
      if (took > tally.longestWorkMs) {
        tally.longestWorkMs = took;
        tally.longestWorkAfter = lastAction;
      }
      return;
    }
  }
  char text[64];
  snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(took));
  Fault("the main window did not answer within %s ms", text);
  // Give the game time to come back before the next action.
  SendMessageTimeoutA(game.main, WM_NULL, 0, 0, SMTO_NORMAL, kLongWorkLimitMs, &result);
}

// The bytes of a file in the game folder, and whether it exists.
bool ReadWhole(const std::string& name, std::string& bytes) {
  std::string path = settings.gameFolder + "\\" + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0 &&
         bytes.size() < (64u << 20))
    bytes.append(buffer, got);
  CloseHandle(file);
  return true;
}

bool TextEndsWithin(const std::string& bytes, size_t offset, size_t size) {
  return memchr(bytes.data() + offset, '\0', size) != nullptr;
}

int32_t Int32At(const std::string& bytes, size_t offset) {
  int32_t value;
  memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// The high-score entries in use: five levels of six layouts (game/high_scores.h).
constexpr size_t kHighScoresInUse = 5 * 6;

// What the game writes: the options with their marker, the three lists of ten
// NUL-terminated entries, the high-score table with scores in range and short names in
// its entries in use, laid out as the game's headers say.
const char* FileProblem(const std::string& name, const std::string& bytes) {
  if (name == "vod.opt") {
    if (bytes.size() != kOptionsFileSize) return "not the options file's size";
    if (memcmp(bytes.data() + kOptionsBlockOffset + kBlockMarker, "valid", 6) != 0)
      return "no marker";
    if (!TextEndsWithin(bytes, kBackgroundPathOffset, kOptionsPathSize) ||
        !TextEndsWithin(bytes, kTileSetPathOffset, kOptionsPathSize))
      return "path without end";
    return nullptr;
  }
  if (name == "gmnflist") {
    if (bytes.size() != kRecentListsFileSize) return "not the recent lists' size";
    for (size_t entry = 0; entry < kRecentListsFileSize / kRecentEntryBytes; ++entry)
      if (!TextEndsWithin(bytes, entry * kRecentEntryBytes, kRecentEntryBytes))
        return "entry without end";
    return nullptr;
  }
  if (bytes.size() != kHighScoreFileSize) return "not the high-score table's size";
  for (size_t k = 0; k < kHighScoresInUse; ++k) {
    int32_t explosions = Int32At(bytes, kBestExplosionsOffset + 4 * k);
    if (explosions < 0 || explosions > kFreshBestExplosions) return "explosions out of range";
    if (!TextEndsWithin(bytes, kHolderOffset + kHolderBytes * k, kHolderMaxChars + 1))
      return "name longer than 13";
  }
  return nullptr;
}

const char* const kFiles[] = {"vod.opt", "gmnflist", "gmnscore"};
const size_t kFileSizes[] = {kOptionsFileSize, kRecentListsFileSize, kHighScoreFileSize};
std::map<std::string, std::string> filesAtStart;  // absent files are not in the map
// Files that were absent or valid at the start are held to every rule; a damaged file
// that the game read may be written back with the bytes it carries over unread (the
// recent lists it does not show, the spare bytes), so only its size is held to.
std::map<std::string, bool> strictFile;

void RememberFiles() {
  for (const char* name : kFiles) {
    std::string bytes;
    bool present = ReadWhole(name, bytes);
    if (present) filesAtStart[name] = bytes;
    strictFile[name] = !present || FileProblem(name, bytes) == nullptr;
  }
}

// The size and time of each file when it was last read: an unchanged file is not read
// again (some cases start with files of many megabytes).
std::map<std::string, std::pair<uint64_t, uint64_t>> lastSeen;

bool ChangedSinceLastCheck(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  std::pair<uint64_t, uint64_t> now(0, 0);
  if (GetFileAttributesExA((settings.gameFolder + "\\" + name).c_str(), GetFileExInfoStandard,
                           &data)) {
    now.first = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    now.second = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                 data.ftLastWriteTime.dwLowDateTime;
  }
  auto last = lastSeen.find(name);
  bool changed = last == lastSeen.end() || last->second != now;
  lastSeen[name] = now;
  return changed;
}

void CheckFiles() {
  for (size_t i = 0; i < 3; ++i) {
    const char* name = kFiles[i];
    if (!ChangedSinceLastCheck(name)) continue;
    std::string bytes;
    if (!ReadWhole(name, bytes)) continue;
    auto start = filesAtStart.find(name);
    if (start != filesAtStart.end() && start->second == bytes) continue;
    const char* problem = strictFile[name]                ? FileProblem(name, bytes)
                          : bytes.size() != kFileSizes[i] ? "not whole"
                                                          : nullptr;
    if (problem) {
      std::string detail = std::string(name) + ": " + problem;
      Fault("file %s", detail.c_str());
      // Report each damaged state once.
      filesAtStart[name] = bytes;
    }
  }
}

// A window of another program than the game that says the game crashed.
void CheckForCrash() {
  for (HWND window : VisibleTopWindows(0)) {
    std::string caption = WindowText(window);
    if (caption.find("Program Error") != std::string::npos ||
        caption.find("Wine Debugger") != std::string::npos) {
      Fault("crash dialog \"%s\"", caption.c_str());
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
}

// The captions of the game's message boxes and dialogs.
bool OwnCaption(const std::string& caption) {
  static const char* const known[] = {"About Revaza's Dazivivo:",
                                      "Clearing the Field:",
                                      "Critical Note:",
                                      "Dazivivo Detectors:",
                                      "Ending the Confusion:",
                                      "Ending the Confusion 2:",
                                      "How to Play with Dazivivo:",
                                      "How to Win Dazivivo:",
                                      "I'm Sorry:",
                                      "Important Suggestion:",
                                      "Notice:",
                                      "Options Saved:",
                                      "Sorry:",
                                      "Time Bonuses:",
                                      "Enter Your Name:",
                                      "Click on a Background:"};
  for (const char* text : known)
    if (caption == text) return true;
  return caption.rfind("High Score", 0) == 0;
}

// The game's process, read from outside: GDI objects (counted inside it by the driver's
// `gdi` verb), handles and private memory.
long CountGdi() {
  std::string driver(MAX_PATH, '\0');
  DWORD length = GetModuleFileNameA(nullptr, &driver[0], MAX_PATH);
  driver.resize(length);
  driver = driver.substr(0, driver.find_last_of('\\') + 1) + "zdriver.exe";
  std::string line = "\"" + driver + "\" gdi ZERADE95.exe";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION counter = {};
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  BOOL started = CreateProcessA(driver.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &counter);
  CloseHandle(writeEnd);
  std::string out;
  if (started) {
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) out.append(chunk, got);
    WaitForSingleObject(counter.hProcess, 30000);
    CloseHandle(counter.hProcess);
    CloseHandle(counter.hThread);
  }
  CloseHandle(readEnd);
  return out.empty() ? -1 : atol(out.c_str());
}

// Wine answers neither GetProcessHandleCount nor GetProcessMemoryInfo for another
// process, so both are counted: the handle values that can be duplicated out of the game,
// and the committed private memory of its address space.
long CountHandles(HANDLE process) {
  long count = 0;
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    HANDLE copy = nullptr;
    if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0,
                        FALSE, DUPLICATE_SAME_ACCESS)) {
      ++count;
      CloseHandle(copy);
    }
  }
  return count;
}

long CountPrivateKb(HANDLE process) {
  uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region = {};
  const char* at = nullptr;
  while (VirtualQueryEx(process, at, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return static_cast<long>(total / 1024);
}

void TakeSample() {
  Sample sample = {Elapsed() - game.startedAt, CountGdi(), CountHandles(game.process.hProcess),
                   CountPrivateKb(game.process.hProcess)};
  tally.samples.push_back(sample);
  printf("sample\t%lu\tgdi\t%ld\thandles\t%ld\tmemory_kb\t%ld\tinputs\t%ld\tdialogs\t%ld\n",
         static_cast<unsigned long>(sample.ms), sample.gdi, sample.handles, sample.memoryKb,
         tally.inputs, tally.dialogs);
  fflush(stdout);
}

// ---- answering boxes and dialogs --------------------------------------------------------

struct Controls {
  std::vector<HWND> buttons;
  HWND edit = nullptr;
  HWND fileName = nullptr;  // the file name box of a common Open or Save dialog
  std::string text;         // the static texts, for the record of boxes seen
};

BOOL CALLBACK CollectControl(HWND control, LPARAM param) {
  auto* controls = reinterpret_cast<Controls*>(param);
  if (!IsWindowVisible(control)) return TRUE;
  std::string kind = ClassOf(control);
  int id = GetDlgCtrlID(control);
  if (_stricmp(kind.c_str(), "Button") == 0 && IsWindowEnabled(control)) {
    LONG style = GetWindowLongA(control, GWL_STYLE) & 0x0F;
    if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON) controls->buttons.push_back(control);
  } else if (_stricmp(kind.c_str(), "Edit") == 0) {
    if (!controls->edit) controls->edit = control;
    // The file name of the common dialogs: a combo box 1148 holding an edit, or edit 1152.
    HWND parent = GetParent(control);
    if (id == 1152 || (parent && GetDlgCtrlID(parent) == 1148)) controls->fileName = control;
  } else if (_stricmp(kind.c_str(), "Static") == 0 && id != 1088) {
    if (!controls->text.empty()) controls->text += " | ";
    controls->text += WindowText(control);
  }
  return TRUE;
}

std::string RandomName() {
  static const char* const names[] = {"Ana",
                                      "",
                                      "Tamar Revazishvili-Long",
                                      "x",
                                      "\xe9l\xe8ve",
                                      "\x80\x80\x80",
                                      "1234567890123456789",
                                      "  ",
                                      "%s%n%d"};
  return names[RandomBelow(sizeof names / sizeof names[0])];
}

std::vector<std::string> pictureFiles;

void ListPictures() {
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA((settings.pictures + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      pictureFiles.push_back(settings.pictures + "\\" + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(pictureFiles.begin(), pictureFiles.end());
}

void EmptySaves() {
  if (settings.saves.empty()) return;
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA((settings.saves + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      DeleteFileA((settings.saves + "\\" + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

void PressButton(HWND dialog, HWND button) {
  RECT r = {};
  GetWindowRect(button, &r);
  switch (RandomBelow(3)) {
    case 0:  // a real click on it
      ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, false);
      break;
    default:  // what a click on it sends
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
      break;
  }
}

// Answers one box or dialog of the game in a random way.
void Answer(HWND dialog) {
  // A button may start work: a picture loaded or saved, a game dealt.
  longWorkMayRun = true;
  ++tally.dialogs;
  std::string caption = WindowText(dialog);
  std::string kind = ClassOf(dialog);
  if (caption.empty() && kind == "#32770") {
    // A message box gets its caption and text while it is being built: one found in
    // between is read again once it has had time to finish.
    Sleep(500);
    if (!IsWindow(dialog)) return;
    caption = WindowText(dialog);
  }
  if (kind == "#32768") {  // a pulled-down menu
    lastAction = "menu";
    int downs = RandomBelow(8);
    for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
    if (Chance(300)) {
      PressKey(VK_ESCAPE);
    } else {
      PressKey(VK_RETURN);
      ExitMayFollow();  // the item may be "E&xit Dazivivo (X)"
    }
    return;
  }
  Controls controls;
  EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
  HWND owner = GetWindow(dialog, GW_OWNER);
  bool ownerIsFileDialog = false;
  if (owner && owner != game.main) {
    Controls ownerControls;
    EnumChildWindows(owner, CollectControl, reinterpret_cast<LPARAM>(&ownerControls));
    ownerIsFileDialog = ownerControls.fileName != nullptr;
  }
  if (!controls.fileName && !ownerIsFileDialog && kind == "#32770") {
    // Message boxes are recorded with their texts; the dialogs, whose texts change
    // with the scores, by their captions.
    bool isMessageBox = controls.edit == nullptr && caption.rfind("High Score", 0) != 0;
    std::string record = isMessageBox ? caption + "\t" + Escaped(controls.text) : caption;
    if (tally.boxes[record]++ == 0) {
      printf("box\t%lu\t%s\n", static_cast<unsigned long>(Elapsed()), record.c_str());
      fflush(stdout);
    }
    if (!OwnCaption(caption)) Fault("a box the game does not show: \"%s\"", record.c_str());
  }
  lastAction = "dialog";
  if (controls.fileName) {
    bool save = GetDlgItem(dialog, IDOK) &&
                WindowText(GetDlgItem(dialog, IDOK)).find("Save") != std::string::npos;
    if (Chance(300) || (save && settings.saves.empty()) || (!save && pictureFiles.empty())) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    std::string file;
    if (save) {
      char name[64];
      snprintf(name, sizeof name, "\\s%03d%s", RandomBelow(1000), Chance(500) ? "" : ".bmp");
      file = settings.saves + name;
    } else {
      file = pictureFiles[RandomBelow(static_cast<int>(pictureFiles.size()))];
    }
    SendMessageTimeoutA(controls.fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()),
                        SMTO_NORMAL, 5000, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ++tally.filesGiven;
    return;
  }
  if (controls.edit && Chance(800)) {
    std::string name = RandomName();
    SendMessageTimeoutA(controls.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                        SMTO_NORMAL, 5000, nullptr);
  }
  int choice = RandomBelow(100);
  if (choice < 60 && !controls.buttons.empty()) {
    PressButton(dialog, controls.buttons[RandomBelow(static_cast<int>(controls.buttons.size()))]);
  } else if (choice < 80) {
    SetForegroundWindow(dialog);
    PressKey(Chance(500) ? VK_RETURN : VK_ESCAPE);
  } else if (choice < 90) {
    RECT r = {};
    GetWindowRect(dialog, &r);
    ClickAt(r.left + RandomBelow(std::max(1L, r.right - r.left)),
            r.top + RandomBelow(std::max(1L, r.bottom - r.top)), Chance(200));
  } else {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
}

// A box, dialog or pulled-down menu of the game, or null. Other windows of the game
// (none are expected) are reported once and left alone.
HWND OpenDialog() {
  static std::map<std::string, bool> reported;
  for (HWND window : VisibleTopWindows(game.process.dwProcessId)) {
    if (window == game.main || window == game.menuDialog) continue;
    std::string kind = ClassOf(window);
    if (kind == "#32770" || kind == "#32768") return window;
    if (!reported[kind]) {
      reported[kind] = true;
      printf("window\t%lu\t%s\t%s\n", static_cast<unsigned long>(Elapsed()), kind.c_str(),
             WindowText(window).c_str());
    }
  }
  return nullptr;
}

// ---- the actions of a player ------------------------------------------------------------

const int kCommands[] = {
    CMD_START_NEW_GAME, CMD_LAYOUT_12X8, CMD_LAYOUT_16X12, CMD_LAYOUT_20X16, CMD_LAYOUT_30X24,
    CMD_LAYOUT_40X30, CMD_LAYOUT_50X40, CMD_EXPLOSION_NORMAL, CMD_EXPLOSION_NUCLEAR,
    CMD_EXPLOSION_GOSH, CMD_EXPLOSION_SHUCKS, CMD_SOUND_TOGGLE, CMD_CLOCK_TOGGLE, CMD_NORMAL_WINDOW,
    CMD_FULL_SCREEN, CMD_REDUCE_TO_ICON, CMD_CAPTURE_SCREEN, CMD_SAVE_OPTIONS, CMD_LEVEL_IMPOSSIBLE,
    CMD_LEVEL_EXPERT, CMD_LEVEL_ADVANCED, CMD_LEVEL_MEDIUM, CMD_LEVEL_EASY, CMD_TILESET_METAL,
    CMD_TILESET_STONE, CMD_TILESET_CIRCLES, CMD_TILESET_ROSEWOOD, CMD_TILESET_GLOW,
    CMD_TILESET_TUBES, CMD_TILESET_ALUMINUM, CMD_TILESET_FACES, CMD_TILESET_METERS,
    CMD_TILESET_ARROWS, CMD_TILESET_ELECTRONS, CMD_TILESET_SAMPLER, CMD_OPEN_BACKGROUND,
    CMD_GENERATE_MULTICOLOR, CMD_GENERATE_LANDSCAPE, CMD_GENERATE_BANDED, CMD_SAVE_BACKGROUND,
    CMD_RECENT_BACKGROUND_0, CMD_RECENT_BACKGROUND_0 + 1, CMD_RECENT_BACKGROUND_0 + 2,
    CMD_RECENT_BACKGROUND_9, CMD_HOW_TO_PLAY, CMD_ABOUT, CMD_TIME_BONUSES, CMD_CONFUSED,
    // Ids that are not in the menu do nothing.
    0, 1, 7000, 7049, 8112, 2103, 6006, 6109, 65535};

struct Layout {
  int command, columns, rows;
};
const Layout kSmallLayouts[] = {{CMD_LAYOUT_12X8, 12, 8}, {CMD_LAYOUT_16X12, 16, 12}};

// Clicks queued to clear a whole field, one taken per step so that boxes opened on the
// way are answered in between.
std::vector<POINT> sweep;

RECT ClientOnScreen() {
  RECT client = {};
  GetClientRect(game.main, &client);
  POINT origin = {0, 0};
  ClientToScreen(game.main, &origin);
  OffsetRect(&client, origin.x, origin.y);
  return client;
}

void StartSweep() {
  const Layout& layout = kSmallLayouts[RandomBelow(2)];
  lastAction = "sweep";
  PostMessageA(game.main, WM_COMMAND, layout.command, 0);
  ++tally.commands;
  Sleep(300);
  RECT client = ClientOnScreen();
  int width = client.right - client.left, height = client.bottom - client.top;
  sweep.clear();
  for (int col = 0; col < layout.columns; ++col) {
    for (int row = 0; row < layout.rows; ++row) {
      POINT p = {
          client.left + (col * width / layout.columns + (col + 1) * width / layout.columns) / 2,
          client.top + (row * height / layout.rows + (row + 1) * height / layout.rows) / 2};
      sweep.push_back(p);
    }
  }
  std::reverse(sweep.begin(), sweep.end());
}

void RandomPoint(int& x, int& y) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  x = RandomBelow(width);
  y = RandomBelow(height);
}

void AskToExit() {
  game.exitAsked = true;
  switch (RandomBelow(3)) {
    case 0:
      lastAction = "key X";
      PressKey('X');
      break;
    case 1:
      lastAction = "command exit";
      PostMessageA(game.main, WM_COMMAND, CMD_EXIT, 0);
      break;
    default:
      lastAction = "close";
      PostMessageA(game.main, WM_CLOSE, 0, 0);
      break;
  }
}

void Resize() {
  lastAction = "resize";
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  switch (RandomBelow(5)) {
    case 0:
      ShowWindowAsync(game.main, SW_RESTORE);
      break;
    case 1:
      ShowWindowAsync(game.main, Chance(500) ? SW_MAXIMIZE : SW_MINIMIZE);
      break;
    default: {
      // Sizes from nothing to larger than the screen, moved anywhere.
      int w = RandomBelow(width + 200), h = RandomBelow(height + 200);
      SetWindowPos(game.main, nullptr, RandomBelow(width / 2) - 50, RandomBelow(height / 2) - 50, w,
                   h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
      break;
    }
  }
  ++tally.inputs;
}

void Act() {
  longWorkMayRun = true;
  if (!sweep.empty()) {
    POINT p = sweep.back();
    sweep.pop_back();
    lastAction = "sweep click";
    ClickAt(p.x, p.y, false);
    return;
  }
  if (IsIconic(game.main) && Chance(300)) {
    lastAction = "restore";
    ShowWindowAsync(game.main, SW_RESTORE);
    return;
  }
  int x, y;
  int roll = RandomBelow(1000);
  if (roll < settings.exitsPerMille) {
    AskToExit();
  } else if (roll < 150) {
    RandomPoint(x, y);
    lastAction = "move";
    longWorkMayRun = false;
    MovePointer(x, y);
  } else if (roll < 200) {
    lastAction = "corner";
    longWorkMayRun = false;
    MovePointer(0, 0);
    if (Chance(500)) {
      Sleep(100);
      // The menu bar's pop-ups lie along its top edge.
      lastAction = "menu bar click";
      ClickAt(5 + RandomBelow(400), 5 + RandomBelow(10), false);
    }
  } else if (roll < 380) {
    RandomPoint(x, y);
    lastAction = "left click";
    ClickAt(x, y, false);
  } else if (roll < 440) {
    RandomPoint(x, y);
    lastAction = "right click";
    longWorkMayRun = false;
    ClickAt(x, y, true);
  } else if (roll < 560) {
    static const WORD keys[] = {'N',    'N',     'Q',      VK_F1,     'A',
                                'Z',    '5',     VK_SPACE, VK_RETURN, VK_ESCAPE,
                                VK_F10, VK_MENU, VK_TAB,   VK_LEFT,   VK_F4};
    WORD key = keys[RandomBelow(sizeof keys / sizeof keys[0])];
    lastAction = key == 'N' ? "key N" : key == VK_F1 ? "key F1" : "key";
    longWorkMayRun = false;
    PressKey(key);
  } else if (roll < 880) {
    int id = kCommands[RandomBelow(sizeof kCommands / sizeof kCommands[0])];
    static char text[32];
    snprintf(text, sizeof text, "command %d", id);
    lastAction = text;
    HWND target = game.menuDialog && Chance(500) ? game.menuDialog : game.main;
    PostMessageA(target, WM_COMMAND, static_cast<WPARAM>(id), 0);
    ++tally.commands;
  } else if (roll < 990) {
    Resize();
  } else {
    // A whole field cleared click by click takes a hundred steps or more: rare.
    StartSweep();
  }
}

// ---- the run ----------------------------------------------------------------------------

bool EndGame(DWORD limitMs) {
  DWORD start = GetTickCount();
  while (WaitForSingleObject(game.process.hProcess, 100) == WAIT_TIMEOUT) {
    if (GetTickCount() - start > limitMs) return false;
    // Boxes opened before the exit request must be answered for it to arrive.
    if (HWND dialog = OpenDialog()) {
      if (ClassOf(dialog) == "#32768")
        PressKey(VK_ESCAPE);
      else
        PostMessageA(dialog, WM_CLOSE, 0, 0);
      Sleep(200);
    }
  }
  return true;
}

// Called once the game's process has ended; true when it was asked to.
bool GameEnded() {
  DWORD code = 0;
  GetExitCodeProcess(game.process.hProcess, &code);
  CloseHandle(game.process.hProcess);
  CloseHandle(game.process.hThread);
  bool chosen = game.exitMayFollow && Elapsed() - game.exitMayFollowAt < 15000;
  if (!game.exitAsked && !chosen) {
    char text[32];
    snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(code));
    Fault("the game ended by itself with code %s", text);
    return false;
  }
  if (code != 0) {
    char text[32];
    snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(code));
    Fault("the game exited with code %s", text);
  }
  return true;
}

void PrintFigures() {
  printf("inputs\t%ld\ncommands\t%ld\ndialogs\t%ld\nrestarts\t%ld\nslowest_answer_ms\t%lu\n",
         tally.inputs, tally.commands, tally.dialogs, tally.restarts,
         static_cast<unsigned long>(tally.slowestAnswerMs));
  printf("files_given\t%ld\n", tally.filesGiven);
  printf("longest_work_ms\t%lu\t%s\n", static_cast<unsigned long>(tally.longestWorkMs),
         tally.longestWorkAfter.c_str());
  printf("distinct_boxes\t%u\n", static_cast<unsigned>(tally.boxes.size()));
  // Figures of the last process: the first sample after the warm-up, the peak after it,
  // and the last.
  const Sample* first = nullptr;
  Sample peak = {0, -1, -1, -1};
  const Sample* last = nullptr;
  for (const Sample& s : tally.samples) {
    if (s.ms < settings.warmupMs) continue;
    if (!first) first = &s;
    peak.gdi = std::max(peak.gdi, s.gdi);
    peak.handles = std::max(peak.handles, s.handles);
    peak.memoryKb = std::max(peak.memoryKb, s.memoryKb);
    last = &s;
  }
  if (first && last) {
    printf("after_warmup\tgdi\t%ld\thandles\t%ld\tmemory_kb\t%ld\n", first->gdi, first->handles,
           first->memoryKb);
    printf("peak\tgdi\t%ld\thandles\t%ld\tmemory_kb\t%ld\n", peak.gdi, peak.handles, peak.memoryKb);
    printf("final\tgdi\t%ld\thandles\t%ld\tmemory_kb\t%ld\n", last->gdi, last->handles,
           last->memoryKb);
  }
  printf("faults\t%ld\n", tally.faults);
}

int Usage() {
  fprintf(stderr,
          "usage: zdsoak GAME-FOLDER SECONDS SEED [--args TEXT] [--pictures DIR] "
          "[--saves DIR] [--exits N] [--sample MS] [--warmup MS]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  settings.gameFolder = argv[1];
  settings.seconds = static_cast<DWORD>(atol(argv[2]));
  settings.seed = static_cast<uint32_t>(strtoul(argv[3], nullptr, 10));
  for (int i = 4; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    const char* value = argv[i + 1];
    if (option == "--args")
      settings.arguments = value;
    else if (option == "--pictures")
      settings.pictures = value;
    else if (option == "--saves")
      settings.saves = value;
    else if (option == "--exits")
      settings.exitsPerMille = atoi(value);
    else if (option == "--sample")
      settings.sampleMs = static_cast<DWORD>(atol(value));
    else if (option == "--warmup")
      settings.warmupMs = static_cast<DWORD>(atol(value));
    else
      return Usage();
  }
  randomState = settings.seed * 2654435761ull + 1;
  printf("seed\t%lu\n", static_cast<unsigned long>(settings.seed));
  fflush(stdout);
  if (!settings.pictures.empty()) ListPictures();
  runStart = GetTickCount();
  RememberFiles();
  if (!StartGame()) {
    PrintFigures();
    return 1;
  }
  DWORD nextSample = Elapsed() + 2000;
  while (Elapsed() < settings.seconds * 1000) {
    if (WaitForSingleObject(game.process.hProcess, 0) == WAIT_OBJECT_0) {
      if (!GameEnded()) break;
      CheckFiles();
      ++tally.restarts;
      tally.samples.clear();
      if (!StartGame()) break;
      nextSample = Elapsed() + 2000;
      continue;
    }
    FindGameWindows();
    CheckForCrash();
    if (HWND dialog = OpenDialog())
      Answer(dialog);
    else if (!game.exitAsked)
      Act();
    Sleep(20 + RandomBelow(120));
    CheckAnswers();
    CheckFiles();
    if (Elapsed() >= nextSample && !OpenDialog()) {
      TakeSample();
      EmptySaves();
      nextSample = Elapsed() + settings.sampleMs;
    }
  }
  // Tell the game to exit and see it go.
  if (WaitForSingleObject(game.process.hProcess, 0) == WAIT_TIMEOUT) {
    // Boxes still open are answered first, as a player would before leaving.
    DWORD closing = GetTickCount();
    while (OpenDialog() && GetTickCount() - closing < 30000) {
      FindGameWindows();
      Answer(OpenDialog());
      Sleep(150);
    }
    if (!game.exitAsked) {
      if (!OpenDialog()) TakeSample();
      lastAction = "exit at the end";
      game.exitAsked = true;
      PostMessageA(game.main, WM_COMMAND, CMD_EXIT, 0);
    }
    if (!EndGame(60000)) {
      Fault("%s", "the game did not end within 60 s of being told to exit");
      TerminateProcess(game.process.hProcess, 1);
    } else {
      GameEnded();
    }
  }
  CheckFiles();
  for (const auto& box : tally.boxes) printf("seen\t%ld\t%s\n", box.second, box.first.c_str());
  PrintFigures();
  return tally.faults == 0 ? 0 : 1;
}
