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
//   zdriver command TARGET ID             posts WM_COMMAND ID
//   zdriver click TARGET X Y [left|right] posts a click at client coordinates
//   zdriver move TARGET X Y               posts WM_MOUSEMOVE at client coordinates
//   zdriver cursor TARGET X Y             moves the real pointer to client coordinates
//   zdriver key TARGET KEY                posts a key press: a letter, digit, or
//                                         F1..F12, ESC, RETURN, SPACE
//   zdriver capture TARGET FILE.bmp       saves the client area as a 24-bit BMP
//   zdriver close TARGET                  posts WM_CLOSE
//   zdriver rect TARGET                   the client rectangle in screen coordinates
//   zdriver run DIR COMMAND [MS]          starts COMMAND with DIR as its current
//                                         directory, waits for it, prints its exit code
//
// TARGET is class:NAME, caption:TEXT, or hwnd:HEX. Output is one record a line, fields
// separated by tabs. Exit code 0 on success, 1 when the target is not found or the
// action failed, 2 on a usage error.

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string WindowText(HWND window)
{
    char text[4096] = {};
    // WM_GETTEXT is marshalled across processes for every window class.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Newlines and tabs inside texts are shown escaped so that each record stays on a line.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

std::string WithoutAmpersands(const std::string& text)
{
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

std::string ProcessName(DWORD pid)
{
    std::string name;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return name;
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
    std::string kind;   // "class", "caption" or "hwnd"
    std::string value;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
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

HWND FindTarget(const std::string& target)
{
    size_t colon = target.find(':');
    if (colon == std::string::npos)
        return nullptr;
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

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    Listing* listing = reinterpret_cast<Listing*>(param);
    if (!IsWindowVisible(window))
        return TRUE;
    if (!listing->exe.empty()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (_stricmp(ProcessName(pid).c_str(), listing->exe.c_str()) != 0)
            return TRUE;
    }
    listing->windows.push_back(window);
    return TRUE;
}

int ListWindows(const std::string& exe)
{
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
               ClassOf(window).c_str(), Escaped(WindowText(window)).c_str(), r.left, r.top,
               r.right, r.bottom, ProcessName(pid).c_str(), static_cast<unsigned long>(style));
    }
    return 0;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM)
{
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

BOOL CALLBACK MatchButton(HWND control, LPARAM param)
{
    ButtonSearch* search = reinterpret_cast<ButtonSearch*>(param);
    if (_stricmp(ClassOf(control).c_str(), "Button") != 0)
        return TRUE;
    std::string text = WindowText(control);
    if (text == search->text || WithoutAmpersands(text) == search->text) {
        search->found = control;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FirstEdit(HWND control, LPARAM param)
{
    if (_stricmp(ClassOf(control).c_str(), "Edit") == 0) {
        *reinterpret_cast<HWND*>(param) = control;
        return FALSE;
    }
    return TRUE;
}

UINT VirtualKey(const std::string& name)
{
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

int Capture(HWND window, const char* path)
{
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return 1;
    // The screen holds what the window shows; reading it works for any process.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return 1;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    int result = 1;
    FILE* out = fopen(path, "wb");
    if (out) {
        bool ok = fwrite(&file, sizeof file, 1, out) == 1 &&
                  fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  fwrite(bits, 1, imageSize, out) == imageSize;
        result = (fclose(out) == 0 && ok) ? 0 : 1;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}

int Usage()
{
    fprintf(stderr, "usage: zdriver windows|wait|gone|controls|press|type|command|click|"
                    "move|cursor|key|capture|close|rect ...\n");
    return 2;
}

// Starting a program in a chosen folder lets a test give it any current directory,
// also one on a drive letter that the Unix side cannot express, or a UNC path. The
// folder is handed down as this process's own current directory: Wine drops a UNC
// folder given to CreateProcess, but keeps an inherited one.
int RunProgram(const char* directory, const char* command, DWORD limit)
{
    if (!SetCurrentDirectoryA(directory)) {
        fprintf(stderr, "zdriver: no folder %s (error %lu)\n", directory,
                static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command, command + strlen(command) + 1);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fprintf(stderr, "zdriver: cannot start %s in %s (error %lu)\n", command, directory,
                static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    CloseHandle(process.hThread);
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

LPARAM ClientPoint(const char* x, const char* y)
{
    return MAKELPARAM(atoi(x), atoi(y));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string verb = argv[1];
    if (verb == "windows")
        return ListWindows(argc > 2 ? argv[2] : "");
    if (argc < 3)
        return Usage();

    if (verb == "run" && argc > 3)
        return RunProgram(argv[2], argv[3], argc > 4 ? static_cast<DWORD>(atol(argv[4])) : 60000);

    if (verb == "wait" || verb == "gone") {
        DWORD limit = argc > 3 ? static_cast<DWORD>(atol(argv[3])) : 10000;
        DWORD start = GetTickCount();
        for (;;) {
            HWND window = FindTarget(argv[2]);
            bool present = window && IsWindowVisible(window);
            if (verb == "wait" && present) {
                printf("%p\n", static_cast<void*>(window));
                return 0;
            }
            if (verb == "gone" && !window)
                return 0;
            if (GetTickCount() - start >= limit)
                return 1;
            Sleep(50);
        }
    }

    HWND window = FindTarget(argv[2]);
    if (!window) {
        fprintf(stderr, "zdriver: no window %s\n", argv[2]);
        return 1;
    }

    if (verb == "controls") {
        EnumChildWindows(window, PrintControl, 0);
        return 0;
    }
    if (verb == "press" && argc > 3) {
        ButtonSearch search;
        search.text = argv[3];
        EnumChildWindows(window, MatchButton, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return 1;
        // A message box or dialog acts on the button's notification to its parent.
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(search.found), BN_CLICKED),
                     reinterpret_cast<LPARAM>(search.found));
        return 0;
    }
    if (verb == "type" && argc > 4) {
        int id = atoi(argv[3]);
        HWND edit = nullptr;
        if (id == 0)
            EnumChildWindows(window, FirstEdit, reinterpret_cast<LPARAM>(&edit));
        else
            edit = GetDlgItem(window, id);
        if (!edit)
            return 1;
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        return 0;
    }
    if (verb == "command" && argc > 3) {
        return PostMessageA(window, WM_COMMAND, MAKEWPARAM(atoi(argv[3]), 0), 0) ? 0 : 1;
    }
    if (verb == "click" && argc > 4) {
        bool right = argc > 5 && strcmp(argv[5], "right") == 0;
        LPARAM at = ClientPoint(argv[3], argv[4]);
        PostMessageA(window, WM_MOUSEMOVE, 0, at);
        PostMessageA(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                     right ? MK_RBUTTON : MK_LBUTTON, at);
        PostMessageA(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
        return 0;
    }
    if (verb == "move" && argc > 4) {
        return PostMessageA(window, WM_MOUSEMOVE, 0, ClientPoint(argv[3], argv[4])) ? 0 : 1;
    }
    if (verb == "cursor" && argc > 4) {
        POINT p = {atoi(argv[3]), atoi(argv[4])};
        ClientToScreen(window, &p);
        return SetCursorPos(p.x, p.y) ? 0 : 1;
    }
    if (verb == "key" && argc > 3) {
        UINT vk = VirtualKey(argv[3]);
        if (!vk)
            return Usage();
        UINT scan = MapVirtualKeyA(vk, 0);
        PostMessageA(window, WM_KEYDOWN, vk, 1 | (scan << 16));
        if (strlen(argv[3]) == 1)
            PostMessageA(window, WM_CHAR, static_cast<unsigned char>(argv[3][0]), 1 | (scan << 16));
        PostMessageA(window, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
        return 0;
    }
    if (verb == "capture" && argc > 3)
        return Capture(window, argv[3]);
    if (verb == "close")
        return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == "rect") {
        RECT client = {};
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        printf("%ld %ld %ld %ld\n", origin.x, origin.y, origin.x + client.right,
               origin.y + client.bottom);
        return 0;
    }
    return Usage();
}
