#pragma once
// A host that records what the core asks of the application's windows.

#include <functional>
#include <string>
#include <vector>

#include "core/CoreHost.h"
#include "gdi/DeviceContexts.h"
#include "rtl/StringList.h"

class TFakeHost : public TCoreHost {
 public:
  TFakeHost() { SetCoreHost(this); }
  ~TFakeHost() override {
    SetCoreHost(nullptr);
    if (Image) DeleteObject(Image);
  }

  Integer ShowMessageBox(const String& Text, const String& Caption, TBoxKind Kind) override {
    Boxes.push_back(Caption + (Kind == TBoxKind::Error ? "!" : "") + ": " + Text);
    if (DuringBox) DuringBox();
    return 1;
  }
  void ShowLog(TStrings* Lines) override {
    Logs.push_back(Lines->GetText());
    if (DuringLog) DuringLog();
  }
  void SetBitmapImage(TObject* Bitmap, HBITMAP Section) override {
    if (Image) DeleteObject(Image);
    Target = Bitmap;
    Image = Section;
  }

  std::vector<std::string> Boxes;  // "Caption: text", the caption marked "!" for error boxes
  std::vector<std::string> Logs;
  std::function<void()> DuringBox;
  std::function<void()> DuringLog;
  TObject* Target = nullptr;
  HBITMAP Image = nullptr;
};
