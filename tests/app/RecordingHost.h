#pragma once
// The program's host with its message boxes recorded instead of shown and no log window.

#include <vector>

#include "app/AppHost.h"

class TRecordingHost : public TAppHost {
 public:
  TRecordingHost() : TAppHost(nullptr) {}
  Integer ShowMessageBox(const String& Text, const String&, TBoxKind) override {
    Boxes.push_back(Text);
    return 1;
  }
  void ShowLog(TStrings*) override {}
  std::vector<String> Boxes;
};
