// Window helpers shared by the test drivers (zdriver, zdsoak).
#ifndef ZD_TESTS_DRIVER_WINDOW_TEXT_WIN32_H
#define ZD_TESTS_DRIVER_WINDOW_TEXT_WIN32_H

#include <windows.h>

#include <string>

std::string ClassOf(HWND window);
// The window's text, asked for with WM_GETTEXT (marshalled across processes for every
// window class); empty when the window does not answer within 2 s.
std::string WindowText(HWND window);
// CR, LF, tab and backslash escaped, so that a text printed stays on its line.
std::string Escaped(const std::string& text);

#endif
