#pragma once
// What the conversion core asks of the program's windows: message boxes of the application, the
// log window shown modally with the run's log, and a bitmap taking a picture's pixels.

#include "core/CoreHost.h"

class TFormLog;

class TAppHost : public TCoreHost {
 public:
  // LogWindow is the program's log window, which lives as long as the program.
  explicit TAppHost(TFormLog* LogWindow) : FLogWindow(LogWindow) {}

  Integer ShowMessageBox(const String& Text, const String& Caption, TBoxKind Kind) override;
  void ShowLog(TStrings* Lines) override;
  void SetBitmapImage(TObject* Bitmap, HBITMAP Section) override;

 private:
  TFormLog* FLogWindow;
};
