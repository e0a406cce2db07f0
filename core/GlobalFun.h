#pragma once
// Free routines shared by the conversion core and the application windows: the version text,
// temporary file names, message boxes, snapshot bitmaps, the program's folders, and times as the
// text "00:00:00.000".

#include "rtl/Object.h"
#include "rtl/Types.h"

// The program's file version ("3.0.1.324") when FileName is the running program; the version
// resources of other files are not read, and give "".
String GetFileVersionText(const String& FileName);
// A new file with a unique name in the temporary folder, created exclusively and readable only by
// the user; answers its full path. The file is kept, so that nobody can take the name meanwhile.
// EOSError when no file can be created.
String MakeTempFileName(const String& Prefix);

Integer ShowInformation(const String& Text);
Integer ShowError(const String& Text);

// Gives Bitmap a new top-down DIB section of Width x Height at BitCount bits, filled with the
// first min(image size, Length) bytes of Pixels. False, and Bitmap unchanged, when there is no
// Bitmap, Length is 0 or the section cannot be made.
bool BitmapFromPixels(TObject* Bitmap, const void* Pixels, Integer Length, Integer Width, Integer Height,
                      Integer BitCount);

// Head becomes the part of Text before the first Separator and Text the part after it; without a
// Separator Head takes all of Text and Text becomes empty.
void SplitAt(String& Text, Char Separator, String& Head);

// "hh:mm:ss.zzz" (or "hh:mm:ss"); 0 or less gives the zero text; hours beyond 99 take more digits.
String FormatMilliseconds(bool WithMs, Int64 Milliseconds);
// The same for 100-ns ticks, rounded to the nearest millisecond (halves to even).
String FormatTicks(bool WithMs, Int64 Ticks);
// Hours, minutes, seconds and milliseconds; an unreadable part counts 0. The sum is clamped to
// the 32-bit range.
Integer ParseTimeText(const String& Text);

// The running program's folder, with a trailing delimiter.
String ExecutableFolder();
// The folder for temporary files: $TMPDIR, else /tmp.
String TemporaryFolder();
// The user's documents folder with a trailing delimiter, or "" when there is none.
String PersonalFolder();
