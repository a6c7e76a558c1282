// zdriver.exe: the end-to-end tests' hands and eyes. Run under Wine in the same prefix
// as the program under test, it finds that program's windows and talks to them.
//
//   zdriver windows [EXE]                 visible top-level windows (of EXE's processes)
//   zdriver wait TARGET [MS]              waits until TARGET exists and is visible
//   zdriver gone TARGET [MS]              waits until TARGET no longer exists
//   zdriver controls TARGET               a dialog's or message box's child controls
//   zdriver press TARGET BUTTON           clicks the button whose text is BUTTON
//                                         (with or without its '&')
//   zdriver type TARGET ID TEXT           puts TEXT into the edit control ID
//                                         (ID 0: the first edit control)
//   zdriver command TARGET ID             sends WM_COMMAND ID
//   zdriver post TARGET ID                posts WM_COMMAND ID (for commands that open a
//                                         modal box) and returns at once
//   zdriver click TARGET X Y [left|right] sends a click at client coordinates
//   zdriver move TARGET X Y               sends WM_MOUSEMOVE at client coordinates
//   zdriver cursor TARGET X Y             moves the real pointer to client coordinates
//   zdriver key TARGET KEY                sends a key press: a letter, digit, or
//                                         F1..F12, ESC, RETURN, SPACE
//   zdriver capture TARGET FILE.bmp       saves the client area as a 24-bit BMP
//   zdriver close TARGET                  posts WM_CLOSE
//   zdriver rect TARGET                   the client rectangle in screen coordinates
//   zdriver focus TARGET                  the window with the keyboard focus and the
//                                         active window of TARGET's thread (class, caption),
//                                         then "flags" and the thread's GUI_* flags in hex
//   zdriver watch TARGET MS PREFIX [STOP]  waits for TARGET, then saves every distinct
//                                         picture of its client area as PREFIX-NNN.bmp
//                                         for MS milliseconds, or until a window with
//                                         caption STOP appears; prints "ms file tick"
//                                         lines (tick: the system tick count), and
//                                         "ms stop tick" when STOP was seen
//   zdriver menu FILE.exe NAME            the menu resource NAME of a program, loaded as a
//                                         data file: one line per item, "depth id state
//                                         caption" (pop-ups have id "popup"; separators and
//                                         items with an empty caption show caption "-")
//   zdriver clickall TARGET COLUMNS ROWS [SKIP]
//                                         left-clicks the centre of every square of a
//                                         field of COLUMNS x ROWS squares, column by
//                                         column; SKIP (one character per square, row
//                                         by row) leaves out the squares marked '*'
//   zdriver timed TARGET ID               sends WM_COMMAND ID and prints the tick count
//                                         just before and just after: "T0 T1"
//   zdriver clickwatch TARGET X Y PREFIX MS  left-clicks at client (X, Y) like click and,
//                                         until the click has been handled, saves the
//                                         client area every MS ms as PREFIX-NNN.bmp when it
//                                         changed; prints "ms file" lines, then
//                                         "handled MS"
//   zdriver repaint TARGET COUNT          repaints the whole client area COUNT times (each
//                                         time invalidated and painted at once) and prints
//                                         the median, fastest and slowest time in ms
//   zdriver tick                          the system tick count (GetTickCount)
//   zdriver select TARGET ID INDEX        selects item INDEX (from 0) of combo box ID
//   zdriver place TARGET ID               control ID's "x y width height" in the client
//   zdriver timepress TARGET BUTTON SYNC [X Y]  presses the button and prints the ms
//                                         until TARGET is gone, until SYNC's thread
//                                         answers again, and until pixel X, Y of SYNC
//                                         changes on the screen
//   zdriver run DIR COMMAND [MS]          starts COMMAND with DIR as its current
//                                         directory, waits for it, prints its exit code
//   zdriver resize TARGET W H             gives the window an outer size of W x H, as
//                                         dragging its frame does, and returns when the
//                                         window has handled it
//   zdriver gdi EXE                       the number of GDI objects that the (first)
//                                         running process of EXE holds, counted inside it
//                                         by zdgdi.dll (beside the driver)
//   zdriver serve                         runs requests read from standard input, one a
//                                         line: "DIR<TAB>SEND-TIMEOUT<TAB>VERB<TAB>ARGS..."
//                                         (DIR the current directory, SEND-TIMEOUT the
//                                         ZD_SEND_TIMEOUT to use, or empty); after each,
//                                         its output and a line "\x1e" EXIT-CODE. Saves a
//                                         test the start of one Wine process per request.
//
// TARGET is class:NAME, caption:TEXT, or hwnd:HEX. Output is one record a line, fields
// separated by tabs. Exit code 0 on success, 1 when the target is not found or the
// action failed, 2 on a usage error.

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "window_text_win32.h"

namespace {

std::string WithoutAmpersands(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      out += text[++i];
      continue;
    }
    out += text[i];
  }
  return out;
}

std::string ProcessName(DWORD pid) {
  std::string name;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return name;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == pid) {
      name = entry.szExeFile;
      break;
    }
  }
  CloseHandle(snapshot);
  return name;
}

struct Search {
  std::string kind;  // "class", "caption" or "hwnd"
  std::string value;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  bool match = false;
  if (search->kind == "class")
    match = _stricmp(ClassOf(window).c_str(), search->value.c_str()) == 0;
  else if (search->kind == "caption")
    match = WindowText(window) == search->value;
  if (match) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTarget(const std::string& target) {
  size_t colon = target.find(':');
  if (colon == std::string::npos) return nullptr;
  Search search;
  search.kind = target.substr(0, colon);
  search.value = target.substr(colon + 1);
  if (search.kind == "hwnd") {
    HWND window = reinterpret_cast<HWND>(strtoul(search.value.c_str(), nullptr, 16));
    return IsWindow(window) ? window : nullptr;
  }
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct Listing {
  std::string exe;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  Listing* listing = reinterpret_cast<Listing*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  if (!listing->exe.empty()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (_stricmp(ProcessName(pid).c_str(), listing->exe.c_str()) != 0) return TRUE;
  }
  listing->windows.push_back(window);
  return TRUE;
}

int ListWindows(const std::string& exe) {
  Listing listing;
  listing.exe = exe;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&listing));
  for (HWND window : listing.windows) {
    RECT r = {};
    GetWindowRect(window, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    printf("%p\t%s\t%s\t%ld %ld %ld %ld\t%s\t%08lx\n", static_cast<void*>(window),
           ClassOf(window).c_str(), Escaped(WindowText(window)).c_str(), r.left, r.top, r.right,
           r.bottom, ProcessName(pid).c_str(), static_cast<unsigned long>(style));
  }
  return 0;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  printf("%s\t%d\t%s\t%s\t%08lx\n", ClassOf(control).c_str(), GetDlgCtrlID(control),
         Escaped(WindowText(control)).c_str(), IsWindowVisible(control) ? "visible" : "hidden",
         static_cast<unsigned long>(style));
  return TRUE;
}

struct ButtonSearch {
  std::string text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchButton(HWND control, LPARAM param) {
  ButtonSearch* search = reinterpret_cast<ButtonSearch*>(param);
  if (_stricmp(ClassOf(control).c_str(), "Button") != 0) return TRUE;
  std::string text = WindowText(control);
  if (text == search->text || WithoutAmpersands(text) == search->text) {
    search->found = control;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FirstEdit(HWND control, LPARAM param) {
  if (_stricmp(ClassOf(control).c_str(), "Edit") == 0) {
    *reinterpret_cast<HWND*>(param) = control;
    return FALSE;
  }
  return TRUE;
}

UINT VirtualKey(const std::string& name) {
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return static_cast<UINT>(static_cast<unsigned char>(c));
  }
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    int n = atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12) return VK_F1 + n - 1;
  }
  if (name == "ESC") return VK_ESCAPE;
  if (name == "RETURN") return VK_RETURN;
  if (name == "SPACE") return VK_SPACE;
  return 0;
}

// The client area of `window` as bottom-up 24-bit rows, read off the screen (the screen
// holds what the window shows; reading it works for any process).
bool CaptureBits(HWND window, int& width, int& height, std::vector<unsigned char>& bits) {
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  width = client.right;
  height = client.bottom;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* data = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &data, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    size_t size = static_cast<size_t>((width * 3 + 3) & ~3) * static_cast<size_t>(height);
    const unsigned char* p = static_cast<const unsigned char*>(data);
    bits.assign(p, p + size);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool WriteBmp(const char* path, int width, int height, const std::vector<unsigned char>& bits) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(bits.size());
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* out = fopen(path, "wb");
  if (!out) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 &&
            fwrite(&header, sizeof header, 1, out) == 1 &&
            fwrite(bits.data(), 1, bits.size(), out) == bits.size();
  return fclose(out) == 0 && ok;
}

int Capture(HWND window, const char* path) {
  int width = 0, height = 0;
  std::vector<unsigned char> bits;
  if (!CaptureBits(window, width, height, bits)) return 1;
  return WriteBmp(path, width, height, bits) ? 0 : 1;
}

int Watch(const char* target, DWORD limit, const char* prefix, const char* stopCaption) {
  DWORD start = GetTickCount();
  HWND window = nullptr;
  while (!(window = FindTarget(target))) {
    if (GetTickCount() - start >= limit) return 1;
    Sleep(5);
  }
  std::vector<unsigned char> last, bits;
  int saved = 0;
  while (GetTickCount() - start < limit && IsWindow(window)) {
    int width = 0, height = 0;
    if (CaptureBits(window, width, height, bits) && bits != last) {
      char path[MAX_PATH];
      snprintf(path, sizeof path, "%s-%03d.bmp", prefix, saved++);
      WriteBmp(path, width, height, bits);
      printf("%lu\t%s\t%lu\n", static_cast<unsigned long>(GetTickCount() - start), path,
             static_cast<unsigned long>(GetTickCount()));
      fflush(stdout);
      last.swap(bits);
    }
    if (stopCaption && FindWindowA(nullptr, stopCaption)) {
      printf("%lu\tstop\t%lu\n", static_cast<unsigned long>(GetTickCount() - start),
             static_cast<unsigned long>(GetTickCount()));
      break;
    }
    Sleep(10);
  }
  return 0;
}

// Input and commands are sent, not posted: the driver returns once the program has
// handled them, so a test sees their effect at once. A handler that opens a modal box
// or runs long is given up on after ZD_SEND_TIMEOUT milliseconds (default 60000); the
// message is still handled.
bool Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char* setting = getenv("ZD_SEND_TIMEOUT");
  UINT timeout = setting ? static_cast<UINT>(atol(setting)) : 60000;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeout, &result)) {
    if (!IsWindow(window)) return true;  // the message ended the program
    fprintf(stderr, "zdriver: message %u not handled within %u ms\n", message, timeout);
  }
  return true;
}

void PrintMenu(HMENU menu, int depth) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    if (item.fType & MFT_SEPARATOR) {
      // An item with an empty caption reads as a separator; it keeps its id.
      printf("%d\t%u\t%lx\t-\n", depth, item.wID, static_cast<unsigned long>(item.fState));
      continue;
    }
    if (item.hSubMenu) {
      printf("%d\tpopup\t%lx\t%s\n", depth, static_cast<unsigned long>(item.fState), text);
      PrintMenu(item.hSubMenu, depth + 1);
    } else {
      printf("%d\t%u\t%lx\t%s\n", depth, item.wID, static_cast<unsigned long>(item.fState), text);
    }
  }
}

int PrintMenuResource(const char* file, const char* name) {
  HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return 1;
  HMENU menu = LoadMenuA(module, name);
  if (!menu) return 1;
  PrintMenu(menu, 0);
  DestroyMenu(menu);
  return 0;
}

int ClickAll(HWND window, int columns, int rows, const char* skip) {
  RECT client = {};
  GetClientRect(window, &client);
  if (columns <= 0 || rows <= 0) return 2;
  if (skip && strlen(skip) != static_cast<size_t>(columns) * static_cast<size_t>(rows)) return 2;
  for (int col = 0; col < columns && IsWindow(window); ++col) {
    for (int row = 0; row < rows && IsWindow(window); ++row) {
      if (skip && skip[row * columns + col] == '*') continue;
      int x = (col * client.right / columns + (col + 1) * client.right / columns) / 2;
      int y = (row * client.bottom / rows + (row + 1) * client.bottom / rows) / 2;
      LPARAM at = MAKELPARAM(x, y);
      Deliver(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
      Deliver(window, WM_LBUTTONUP, 0, at);
    }
  }
  return 0;
}

int Repaint(HWND window, int count) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < count && IsWindow(window); ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    // UpdateWindow on another thread's window sends WM_PAINT and waits for it.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
  }
  if (times.empty()) return 1;
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  printf("median\t%.2f\tfastest\t%.2f\tslowest\t%.2f\tcount\t%u\n", sorted[sorted.size() / 2],
         sorted.front(), sorted.back(), static_cast<unsigned>(sorted.size()));
  return 0;
}

int Usage();

// Starting a program in a chosen folder lets a test give it any current directory,
// also one on a drive letter that the Unix side cannot express, or a UNC path. The
// folder is handed down as this process's own current directory: Wine drops a UNC
// folder given to CreateProcess, but keeps an inherited one. Folder and command are
// taken from the wide command line, so that names outside the ANSI code page arrive.
int RunProgram(DWORD limit) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count < 4) return Usage();
  const wchar_t* directory = args[2];
  std::wstring line = args[3];
  if (!SetCurrentDirectoryW(directory)) {
    fprintf(stderr, "zdriver: no folder %ls (error %lu)\n", directory,
            static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::vector<wchar_t> commandLine(line.begin(), line.end());
  commandLine.push_back(L'\0');
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    fprintf(stderr, "zdriver: cannot start %ls in %ls (error %lu)\n", line.c_str(), directory,
            static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  CloseHandle(process.hThread);
  fprintf(stderr, "started\t%lu\n", static_cast<unsigned long>(GetTickCount()));
  DWORD waited = WaitForSingleObject(process.hProcess, limit);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  if (waited != WAIT_OBJECT_0) {
    printf("timeout\n");
    return 1;
  }
  printf("exit\t%lu\n", static_cast<unsigned long>(code));
  return 0;
}

DWORD ProcessIdOf(const char* exe) {
  DWORD pid = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, exe) == 0) {
      pid = entry.th32ProcessID;
      break;
    }
  }
  CloseHandle(snapshot);
  return pid;
}

// Runs `routine`(argument) on a new thread of `process` and returns the thread's exit
// code, or false when the thread could not run to its end within 10 s.
bool RunRemote(HANDLE process, LPTHREAD_START_ROUTINE routine, LPVOID argument, DWORD& result) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, routine, argument, 0, nullptr);
  if (!thread) return false;
  bool done =
      WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &result);
  CloseHandle(thread);
  return done;
}

// Where the module `name` lies in process `pid`, or 0. (A remote LoadLibrary's thread
// exit code holds only 32 bits of the handle, too few in a 64-bit process.)
ULONG_PTR RemoteModuleBase(DWORD pid, const wchar_t* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  MODULEENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  ULONG_PTR base = 0;
  for (BOOL ok = Module32FirstW(snapshot, &entry); ok; ok = Module32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szModule, name) == 0) {
      base = reinterpret_cast<ULONG_PTR>(entry.modBaseAddr);
      break;
    }
  }
  CloseHandle(snapshot);
  return base;
}

#ifdef _WIN64
// A 64-bit driver cannot load its library into a 32-bit process: it runs the 32-bit
// driver named by ZD_DRIVER32 (a Windows path) for the count, on its own output, and
// returns that driver's exit code.
int CountWithDriver32(const char* exe) {
  char driver[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("ZD_DRIVER32", driver, MAX_PATH);
  if (!length || length >= MAX_PATH) {
    fprintf(stderr, "zdriver: %s is a 32-bit process; set ZD_DRIVER32 to the 32-bit driver\n", exe);
    return 1;
  }
  std::string line = std::string("\"") + driver + "\" gdi " + exe;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  fflush(stdout);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(driver, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &info)) {
    fprintf(stderr, "zdriver: cannot start %s\n", driver);
    return 1;
  }
  DWORD code = 1;
  if (WaitForSingleObject(info.hProcess, 60000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(info.hProcess, &code))
    code = 1;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}
#endif

// Loads zdgdi.dll into the process of `exe`, runs its CountGdiObjects there, unloads it
// and prints the count. The library lies at the same place in both processes only by
// chance, so its routine is found at the same offset from wherever it was loaded.
int CountGdiObjectsOf(const char* exe) {
  DWORD pid = ProcessIdOf(exe);
  if (!pid) {
    fprintf(stderr, "zdriver: no process %s\n", exe);
    return 1;
  }
  wchar_t library[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, library, MAX_PATH);
  wchar_t* slash = wcsrchr(library, L'\\');
  if (!length || length >= MAX_PATH || !slash || slash - library + 10 >= MAX_PATH) return 1;
  wcscpy(slash + 1, L"zdgdi.dll");
  HMODULE local = LoadLibraryW(library);
  FARPROC localCount = local ? GetProcAddress(local, "CountGdiObjects@4") : nullptr;
  if (local && !localCount) localCount = GetProcAddress(local, "CountGdiObjects");
  if (!localCount) {
    fprintf(stderr, "zdriver: cannot load zdgdi.dll beside the driver\n");
    return 1;
  }
  ULONG_PTR offset = reinterpret_cast<ULONG_PTR>(localCount) - reinterpret_cast<ULONG_PTR>(local);

  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                   PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
                               FALSE, pid);
  if (!process) {
    fprintf(stderr, "zdriver: cannot open process %lu\n", static_cast<unsigned long>(pid));
    return 1;
  }
#ifdef _WIN64
  BOOL wow64 = FALSE;
  if (IsWow64Process(process, &wow64) && wow64) {
    CloseHandle(process);
    FreeLibrary(local);
    return CountWithDriver32(exe);
  }
#endif
  size_t bytes = (wcslen(library) + 1) * sizeof(wchar_t);
  void* remotePath = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "LoadLibraryW")));
  auto freeLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "FreeLibrary")));
  DWORD loaded = 0, count = 0;
  ULONG_PTR remoteBase = 0;
  bool counted = remotePath && WriteProcessMemory(process, remotePath, library, bytes, nullptr) &&
                 RunRemote(process, loadLibrary, remotePath, loaded) &&
                 (remoteBase = RemoteModuleBase(pid, L"zdgdi.dll")) != 0;
  if (counted) {
    auto remoteCount = reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteBase + offset);
    counted = RunRemote(process, remoteCount, nullptr, count);
    DWORD ignored = 0;
    RunRemote(process, freeLibrary, reinterpret_cast<LPVOID>(remoteBase), ignored);
  }
  if (remotePath) VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
  CloseHandle(process);
  FreeLibrary(local);
  if (!counted) {
#ifdef _WIN64
    // Wine does not always say that a process is a 32-bit one; a library that
    // would not load there is the sign.
    if (GetEnvironmentVariableA("ZD_DRIVER32", nullptr, 0) > 0) return CountWithDriver32(exe);
#endif
    fprintf(stderr, "zdriver: could not count inside process %lu\n",
            static_cast<unsigned long>(pid));
    return 1;
  }
  printf("%lu\n", static_cast<unsigned long>(count));
  return 0;
}

// ---- dialogs: choosing in a combo box, a control's place, timing a button ------------

// Selects item INDEX (from 0) of combo box ID and tells its dialog, as a choice from the
// list does.
int SelectComboItem(HWND window, int id, int index) {
  HWND combo = GetDlgItem(window, id);
  if (!combo || SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR)
    return 1;
  // A choice from the list sends both; the common file dialogs act on the second.
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  return 0;
}

// The rectangle of control ID in its dialog's client coordinates.
int PrintControlPlace(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  if (!control) return 1;
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Presses the button of a dialog and times what follows: "gone" once the dialog has
// closed, "done" once the thread of SYNC has handled a message again (the work the
// button started is over), and, with X Y, "shown" once the pixel at X, Y of SYNC's
// client area on the screen differs from what it was before the press. Milliseconds.
int TimePress(HWND dialog, const char* text, HWND sync, int x, int y, bool watchPixel) {
  ButtonSearch search;
  search.text = text;
  EnumChildWindows(dialog, MatchButton, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  COLORREF before = watchPixel ? ScreenPixel(sync, x, y) : 0;
  DWORD start = GetTickCount();
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(search.found), BN_CLICKED),
               reinterpret_cast<LPARAM>(search.found));
  while (IsWindow(dialog) && GetTickCount() - start < 60000) Sleep(1);
  printf("gone\t%lu\n", static_cast<unsigned long>(GetTickCount() - start));
  DWORD_PTR result = 0;
  SendMessageTimeoutA(sync, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
  printf("done\t%lu\n", static_cast<unsigned long>(GetTickCount() - start));
  if (watchPixel) {
    while (ScreenPixel(sync, x, y) == before && GetTickCount() - start < 60000) Sleep(1);
    printf("shown\t%lu\n", static_cast<unsigned long>(GetTickCount() - start));
  }
  return 0;
}

LPARAM ClientPoint(const char* x, const char* y) { return MAKELPARAM(atoi(x), atoi(y)); }

struct ClickJob {
  HWND window;
  LPARAM at;
};

DWORD WINAPI DeliverClick(LPVOID parameter) {
  const ClickJob& job = *static_cast<const ClickJob*>(parameter);
  Deliver(job.window, WM_MOUSEMOVE, 0, job.at);
  Deliver(job.window, WM_LBUTTONDOWN, MK_LBUTTON, job.at);
  Deliver(job.window, WM_LBUTTONUP, 0, job.at);
  return 0;
}

// The click is delivered on a second thread; this one looks at the screen meanwhile.
int ClickWatch(HWND window, const char* x, const char* y, const char* prefix, DWORD every) {
  ClickJob job{window, ClientPoint(x, y)};
  DWORD start = GetTickCount();
  HANDLE thread = CreateThread(nullptr, 0, DeliverClick, &job, 0, nullptr);
  if (!thread) return 1;
  std::vector<unsigned char> last, bits;
  int saved = 0;
  while (WaitForSingleObject(thread, every) == WAIT_TIMEOUT) {
    int width = 0, height = 0;
    if (!CaptureBits(window, width, height, bits) || bits == last) continue;
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s-%03d.bmp", prefix, saved++);
    WriteBmp(path, width, height, bits);
    printf("%lu\t%s\n", static_cast<unsigned long>(GetTickCount() - start), path);
    last.swap(bits);
  }
  CloseHandle(thread);
  printf("handled\t%lu\n", static_cast<unsigned long>(GetTickCount() - start));
  return 0;
}

// The verbs. `a` holds the arguments after the verb, `n` of them (at least `least`); a
// verb that takes a window finds it from a[0] first and fails when there is none.
using VerbRun = int (*)(HWND window, char** a, int n);
struct Verb {
  const char* name;
  int least;
  bool window;
  VerbRun run;
};

DWORD Ms(char** a, int n, int i, DWORD otherwise) {
  return n > i ? static_cast<DWORD>(atol(a[i])) : otherwise;
}

// wait and gone look for the target again and again until their time is up.
int WaitFor(const char* target, DWORD limit, bool present) {
  for (DWORD start = GetTickCount();; Sleep(50)) {
    HWND window = FindTarget(target);
    if (present && window && IsWindowVisible(window)) {
      printf("%p\n", static_cast<void*>(window));
      return 0;
    }
    if (!present && !window) return 0;
    if (GetTickCount() - start >= limit) return 1;
  }
}

int Press(HWND window, const char* text) {
  // A box found by its caption may still be making its buttons: look for up to 10 s.
  ButtonSearch search;
  search.text = text;
  for (DWORD start = GetTickCount(); IsWindow(window) && GetTickCount() - start < 10000;
       Sleep(20)) {
    EnumChildWindows(window, MatchButton, reinterpret_cast<LPARAM>(&search));
    if (search.found) break;
  }
  if (!search.found) return 1;
  // A message box or dialog acts on the button's notification to its parent.
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(search.found), BN_CLICKED),
               reinterpret_cast<LPARAM>(search.found));
  return 0;
}

int TypeText(HWND window, int id, const char* text) {
  HWND edit = nullptr;
  if (id == 0)
    EnumChildWindows(window, FirstEdit, reinterpret_cast<LPARAM>(&edit));
  else
    edit = GetDlgItem(window, id);
  if (!edit) return 1;
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  return 0;
}

int Click(HWND window, const char* x, const char* y, bool right) {
  LPARAM at = ClientPoint(x, y);
  Deliver(window, WM_MOUSEMOVE, 0, at);
  Deliver(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  Deliver(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
  return 0;
}

int Key(HWND window, const char* name) {
  UINT vk = VirtualKey(name);
  if (!vk) return Usage();
  UINT scan = MapVirtualKeyA(vk, 0);
  Deliver(window, WM_KEYDOWN, vk, 1 | (scan << 16));
  if (strlen(name) == 1 && IsWindow(window))
    Deliver(window, WM_CHAR, static_cast<unsigned char>(name[0]), 1 | (scan << 16));
  if (IsWindow(window)) Deliver(window, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
  return 0;
}

int Timed(HWND window, int id) {
  DWORD before = GetTickCount();
  Deliver(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  DWORD after = GetTickCount();
  printf("%lu %lu\n", static_cast<unsigned long>(before), static_cast<unsigned long>(after));
  return 0;
}

int Focus(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 1;
  for (HWND w : {info.hwndFocus, info.hwndActive}) {
    printf("%p\t%s\t%s\n", static_cast<void*>(w), w ? ClassOf(w).c_str() : "",
           w ? Escaped(WindowText(w)).c_str() : "");
  }
  printf("flags\t%08lx\n", static_cast<unsigned long>(info.flags));
  return 0;
}

int PrintClientRect(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  printf("%ld %ld %ld %ld\n", origin.x, origin.y, origin.x + client.right,
         origin.y + client.bottom);
  return 0;
}

int TimePressVerb(HWND window, char** a, int n) {
  HWND sync = FindTarget(a[2]);
  if (!sync) return 1;
  bool pixel = n > 4;
  return TimePress(window, a[1], sync, pixel ? atoi(a[3]) : 0, pixel ? atoi(a[4]) : 0, pixel);
}

const Verb kVerbs[] = {
    {"tick", 0, false,
     [](HWND, char**, int) {
       printf("%lu\n", static_cast<unsigned long>(GetTickCount()));
       return 0;
     }},
    {"windows", 0, false, [](HWND, char** a, int n) { return ListWindows(n > 0 ? a[0] : ""); }},
    {"menu", 2, false, [](HWND, char** a, int) { return PrintMenuResource(a[0], a[1]); }},
    {"watch", 3, false,
     [](HWND, char** a, int n) {
       return Watch(a[0], Ms(a, n, 1, 0), a[2], n > 3 ? a[3] : nullptr);
     }},
    {"gdi", 1, false, [](HWND, char** a, int) { return CountGdiObjectsOf(a[0]); }},
    {"run", 2, false, [](HWND, char** a, int n) { return RunProgram(Ms(a, n, 2, 60000)); }},
    {"wait", 1, false,
     [](HWND, char** a, int n) { return WaitFor(a[0], Ms(a, n, 1, 10000), true); }},
    {"gone", 1, false,
     [](HWND, char** a, int n) { return WaitFor(a[0], Ms(a, n, 1, 10000), false); }},
    {"controls", 1, true,
     [](HWND w, char**, int) {
       EnumChildWindows(w, PrintControl, 0);
       return 0;
     }},
    {"press", 2, true, [](HWND w, char** a, int) { return Press(w, a[1]); }},
    {"type", 3, true, [](HWND w, char** a, int) { return TypeText(w, atoi(a[1]), a[2]); }},
    {"post", 2, true,
     [](HWND w, char** a, int) {
       return PostMessageA(w, WM_COMMAND, MAKEWPARAM(atoi(a[1]), 0), 0) ? 0 : 1;
     }},
    {"command", 2, true,
     [](HWND w, char** a, int) {
       return Deliver(w, WM_COMMAND, MAKEWPARAM(atoi(a[1]), 0), 0) ? 0 : 1;
     }},
    {"click", 3, true,
     [](HWND w, char** a, int n) {
       return Click(w, a[1], a[2], n > 3 && strcmp(a[3], "right") == 0);
     }},
    {"clickwatch", 5, true,
     [](HWND w, char** a, int n) { return ClickWatch(w, a[1], a[2], a[3], Ms(a, n, 4, 0)); }},
    {"move", 3, true,
     [](HWND w, char** a, int) {
       return Deliver(w, WM_MOUSEMOVE, 0, ClientPoint(a[1], a[2])) ? 0 : 1;
     }},
    {"cursor", 3, true,
     [](HWND w, char** a, int) {
       POINT p = {atoi(a[1]), atoi(a[2])};
       ClientToScreen(w, &p);
       return SetCursorPos(p.x, p.y) ? 0 : 1;
     }},
    {"key", 2, true, [](HWND w, char** a, int) { return Key(w, a[1]); }},
    {"repaint", 2, true, [](HWND w, char** a, int) { return Repaint(w, atoi(a[1])); }},
    {"clickall", 3, true,
     [](HWND w, char** a, int n) {
       return ClickAll(w, atoi(a[1]), atoi(a[2]), n > 3 ? a[3] : nullptr);
     }},
    {"timed", 2, true, [](HWND w, char** a, int) { return Timed(w, atoi(a[1])); }},
    {"capture", 2, true, [](HWND w, char** a, int) { return Capture(w, a[1]); }},
    {"close", 1, true, [](HWND w, char**, int) { return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1; }},
    {"focus", 1, true, [](HWND w, char**, int) { return Focus(w); }},
    {"select", 3, true,
     [](HWND w, char** a, int) { return SelectComboItem(w, atoi(a[1]), atoi(a[2])); }},
    {"place", 2, true, [](HWND w, char** a, int) { return PrintControlPlace(w, atoi(a[1])); }},
    {"timepress", 3, true, TimePressVerb},
    {"resize", 3, true,
     [](HWND w, char** a, int) {
       return SetWindowPos(w, nullptr, 0, 0, atoi(a[1]), atoi(a[2]),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                  ? 0
                  : 1;
     }},
    {"rect", 1, true, [](HWND w, char**, int) { return PrintClientRect(w); }},
};

int Usage() {
  fprintf(stderr, "usage: zdriver");
  const char* separator = " ";
  for (const Verb& verb : kVerbs) {
    fprintf(stderr, "%s%s", separator, verb.name);
    separator = "|";
  }
  fprintf(stderr, " ...\n");
  return 2;
}

// argv[0] is the verb, argv[1..] its arguments.
int RunVerb(int argc, char** argv) {
  for (const Verb& verb : kVerbs) {
    if (argc < 1 || strcmp(argv[0], verb.name) != 0) continue;
    if (argc - 1 < verb.least) break;
    HWND window = nullptr;
    if (verb.window && !(window = FindTarget(argv[1]))) {
      fprintf(stderr, "zdriver: no window %s\n", argv[1]);
      return 1;
    }
    return verb.run(window, argv + 1, argc - 1);
  }
  return Usage();
}

int Serve() {
  std::string line;
  int c = 0;
  while (c != EOF) {
    line.clear();
    while ((c = getchar()) != EOF && c != '\n') line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
      size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    int status = 2;
    if (fields.size() >= 3 && fields[2] != "serve" && fields[2] != "run") {
      SetCurrentDirectoryA(fields[0].c_str());
      _putenv(("ZD_SEND_TIMEOUT=" + fields[1]).c_str());
      std::vector<char*> args;
      for (size_t i = 2; i < fields.size(); ++i) args.push_back(&fields[i][0]);
      status = RunVerb(static_cast<int>(args.size()), args.data());
    }
    fflush(stderr);
    printf("\x1e%d\n", status);
    fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && strcmp(argv[1], "serve") == 0) return Serve();
  return RunVerb(argc - 1, argv + 1);
}
