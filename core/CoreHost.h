#pragma once
// What the conversion core needs of the application's windows, filled in by the application once
// its framework stands: message boxes, the log window, and handing a bitmap its pixels. Without
// a host the core logs what it would have shown.

#include "rtl/Object.h"
#include "rtl/WinTypes.h"

class TStrings;

enum class TBoxKind { Information, Error };

class TCoreHost {
 public:
  virtual ~TCoreHost() = default;
  // An application message box with an OK button; answers the box's result.
  virtual Integer ShowMessageBox(const String& Text, const String& Caption, TBoxKind Kind) = 0;
  // The log window, shown modally with Lines as its text.
  virtual void ShowLog(TStrings* Lines) = 0;
  // Bitmap (the framework's bitmap object) takes Section as its image and owns it from now on.
  virtual void SetBitmapImage(TObject* Bitmap, HBITMAP Section) = 0;
};

// The installed host, or nullptr.
TCoreHost* CoreHost();
void SetCoreHost(TCoreHost* Host);
