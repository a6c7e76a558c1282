// probe.exe: a window that reports what reaches it, so that the end-to-end tests can
// check the test driver itself. Class "ZdProbe", caption "Probe", client 320 x 240: the
// left half red, the right half blue, an edit control (id 100) and a button "&Go"
// (id 101). Every message of interest is appended to probe.log in the current folder.

#include <windows.h>

#include <cstdio>

namespace {

void Log(const char* format, int a, int b = 0) {
  FILE* log = fopen("probe.log", "ab");
  if (!log) return;
  fprintf(log, format, a, b);
  fputc('\n', log);
  fclose(log);
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == 101) {
        char text[64] = {};
        GetDlgItemTextA(window, 100, text, sizeof text);
        FILE* log = fopen("probe.log", "ab");
        if (log) {
          fprintf(log, "go %s\n", text);
          fclose(log);
        }
      } else {
        Log("command %d", LOWORD(wParam));
      }
      return 0;
    case WM_LBUTTONDOWN:
      Log("left %d %d", static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_RBUTTONDOWN:
      Log("right %d %d", static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      Log("move %d %d", static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_KEYDOWN:
      Log("key %d", static_cast<int>(wParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT left = {0, 0, 160, 240}, right = {160, 0, 320, 240};
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
      FillRect(dc, &left, red);
      FillRect(dc, &right, blue);
      DeleteObject(red);
      DeleteObject(blue);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(7);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ProbeProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "ZdProbe";
  RegisterClassA(&windowClass);
  RECT frame = {0, 0, 320, 240};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowA("ZdProbe", "Probe", style, 20, 20, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 170, 200, 80, 20, window,
                reinterpret_cast<HMENU>(100), instance, nullptr);
  CreateWindowA("BUTTON", "&Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 260, 200, 50, 20, window,
                reinterpret_cast<HMENU>(101), instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
