#pragma once
// The shell's services the system calls: starting programs and opening documents, and the
// special folders (as the desktop's XDG user and base directories name them, else the home
// folder; docs/shell-namespace.md has the table).

#include <functional>

#include "rtl/WinTypes.h"

// Starts `file` when it is an executable (detached: its own session, not our child once it
// runs), else opens the document, folder or URL with xdg-open when that exists. Answers a value
// above 32 on success, else SE_ERR_FNF (2) or SE_ERR_NOASSOC (31); nothing is shown on failure.
HINSTANCE ShellExecute(HWND window, const char* operation, const char* file, const char* parameters,
                       const char* directory, int showCommand);
inline HINSTANCE ShellExecuteA(HWND w, const char* o, const char* f, const char* p, const char* d, int s) {
  return ShellExecute(w, o, f, p, d, s);
}

// What ShellExecute does can be replaced (tests record the calls instead of starting programs).
// Installing an empty handler brings back the real one; the previous handler is answered.
using TShellExecuteHandler = std::function<HINSTANCE(HWND window, const char* operation, const char* file,
                                                     const char* parameters, const char* directory, int showCommand)>;
TShellExecuteHandler SetShellExecuteHandler(TShellExecuteHandler handler);

constexpr intptr_t SE_ERR_FNF = 2;
constexpr intptr_t SE_ERR_NOASSOC = 31;

constexpr int MAX_PATH = 260;
constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_MYDOCUMENTS = CSIDL_PERSONAL;
constexpr int CSIDL_MYMUSIC = 0x000D;
constexpr int CSIDL_MYVIDEO = 0x000E;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;
constexpr int CSIDL_FONTS = 0x0014;
constexpr int CSIDL_TEMPLATES = 0x0015;
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
constexpr int CSIDL_INTERNET_CACHE = 0x0020;
constexpr int CSIDL_COMMON_APPDATA = 0x0023;
constexpr int CSIDL_MYPICTURES = 0x0027;
constexpr int CSIDL_PROFILE = 0x0028;
constexpr int CSIDL_FLAG_CREATE = 0x8000;

// The folder's path without a trailing '/' into path (MAX_PATH bytes). create (or
// CSIDL_FLAG_CREATE) makes a missing folder. A path that does not fit is refused, never cut.
BOOL SHGetSpecialFolderPath(HWND window, char* path, int csidl, BOOL create);
inline BOOL SHGetSpecialFolderPathA(HWND w, char* p, int c, BOOL create) { return SHGetSpecialFolderPath(w, p, c, create); }
HRESULT SHGetFolderPath(HWND window, int csidl, HANDLE token, DWORD flags, char* path);
inline HRESULT SHGetFolderPathA(HWND w, int c, HANDLE t, DWORD f, char* p) { return SHGetFolderPath(w, c, t, f, p); }
