// zdgdi.dll: loaded into a program under test by `zdriver gdi`, it counts the GDI
// objects of that program's process. GDI handles belong to a process and Wine's
// GetGuiResources reports 0, so the count has to be taken from inside.
//
// CountGdiObjects runs as the start routine of a thread that the driver creates in the
// program; the thread's exit code is the count. Loading this library creates no GDI
// object of its own.

#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI CountGdiObjects(LPVOID) {
  // A handle is an index into the process's handle table in its low word; with the
  // high word 0, GetObjectType accepts it for whatever object holds that index now.
  DWORD count = 0;
  for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
