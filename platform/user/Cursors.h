#pragma once
// Cursors: the system cursors by their IDC_ numbers, cursors from resources and files (gdi's
// LoadImage), the cursor shown (SetCursor) and the show count (ShowCursor). The display backend
// is told whenever what it must show changes.

#include "rtl/WinTypes.h"

// System cursor ids, written as MAKEINTRESOURCE values.
inline const char* IdcName(WORD id) { return reinterpret_cast<const char*>(static_cast<uintptr_t>(id)); }
inline const char* const IDC_ARROW = IdcName(32512);
inline const char* const IDC_IBEAM = IdcName(32513);
inline const char* const IDC_WAIT = IdcName(32514);
inline const char* const IDC_CROSS = IdcName(32515);
inline const char* const IDC_UPARROW = IdcName(32516);
inline const char* const IDC_SIZENWSE = IdcName(32642);
inline const char* const IDC_SIZENESW = IdcName(32643);
inline const char* const IDC_SIZEWE = IdcName(32644);
inline const char* const IDC_SIZENS = IdcName(32645);
inline const char* const IDC_SIZEALL = IdcName(32646);
inline const char* const IDC_NO = IdcName(32648);
inline const char* const IDC_HAND = IdcName(32649);
inline const char* const IDC_APPSTARTING = IdcName(32650);
inline const char* const IDC_HELP = IdcName(32651);

// With a null instance: the system cursor of an IDC_ id (the same handle every time; null for an
// unknown id). Otherwise the cursor resource of that name or id.
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
inline HCURSOR LoadCursorA(HINSTANCE instance, const char* name) { return LoadCursor(instance, name); }
// A cursor file (.cur), or null when it cannot be read.
HCURSOR LoadCursorFromFile(const char* fileName);
inline HCURSOR LoadCursorFromFileA(const char* fileName) { return LoadCursorFromFile(fileName); }

// Answers the cursor shown before. Null shows no cursor.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The cursor is shown while the count is 0 or more; answers the new count.
int ShowCursor(BOOL show);
// A cursor of the caller's own (DestroyCursor frees it). A system cursor destroyed by mistake is
// made again by the next LoadCursor.
HCURSOR CopyCursor(HCURSOR cursor);

// The IDC_ number of a system cursor, 0 for any other handle (for backends).
int SystemCursorId(HCURSOR cursor);

// What DefWindowProc does with WM_SETCURSOR once the parent declined: the class cursor over the
// client area, sizing arrows over the borders, the arrow elsewhere.
LRESULT DefSetCursor(HWND window, LPARAM lParam);
void CursorsEnd();
