#pragma once
// The clipboard. Text goes to the desktop's clipboard when the display backend has one (so other
// programs see it) and stays in-process otherwise; other formats stay in-process. Data handed to
// SetClipboardData belongs to the clipboard from then on (global memory, or a bitmap for
// CF_BITMAP); handles from GetClipboardData stay the clipboard's.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;

// One window (or the thread, with null) at a time.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees what the clipboard holds; the opener becomes its owner. Needs the clipboard open.
BOOL EmptyClipboard();
// CF_TEXT: UTF-8 text, CF_UNICODETEXT: UTF-16 text, both ending in a 0. Needs the clipboard open.
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();
// A number shared with RegisterWindowMessage's, the same for the same name.
UINT RegisterClipboardFormat(const char* name);
inline UINT RegisterClipboardFormatA(const char* name) { return RegisterClipboardFormat(name); }

// Text in one step: opens the clipboard for `owner`, replaces its content with the text (CF_TEXT)
// or reads its text, and closes it. False when the clipboard is taken or holds no text.
bool SetClipboardString(HWND owner, const String& text);
bool GetClipboardString(HWND owner, String& text);

void ClipboardEnd();
