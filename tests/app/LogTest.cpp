// The log window: its note, and Save writing the memo's lines where the save dialog points.

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/Log.h"
#include "core/GlobalFun.h"
#include "rtl/FileUtils.h"
#include "toolkit/editors/kvMemo.h"
#include "user/ModalResponder.h"
#include "user/User.h"

namespace {

class LogTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    CreateMainForm();
    Application()->CreateForm(log);
    forms.push_back(log);
    folder = MakeTempFileName("logdir");
    DeleteFile(folder);
    ForceDirectories(folder);
  }
  void TearDown() override {
    SetModalResponder(nullptr);
    DeleteFile(folder + "/log.txt");
    rmdir(folder.c_str());
    VclTest::TearDown();
  }

  TFormLog* log = nullptr;
  String folder;
};

TEST_F(LogTest, SaveWritesTheLinesUnderTheChosenName) {
  EXPECT_EQ(log->lblLogNote->GetCaption(), "Please save and send log file to us to help us improve!");
  log->GetLogLines()->SetText("12:00:01 Started\n12:00:02 Error: disk full\n");
  log->SaveDialog->SetInitialDir(folder);
  String suggested;
  SetModalResponder([&](const ModalRequest& request) {
    EXPECT_EQ(request.kind, "SaveDialog");
    TWinControl* dialog = FindControl(request.window);
    auto* name = dialog ? dynamic_cast<TEdit*>(dialog->FindComponent("FileNameEdit")) : nullptr;
    if (!name) return IDCANCEL;
    suggested = name->GetText();
    return IDOK;
  });
  log->SaveClick(nullptr);
  EXPECT_EQ(suggested, "log.txt");
  std::ifstream file(folder + "/log.txt");
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("12:00:01 Started"), std::string::npos);
  EXPECT_NE(text.str().find("Error: disk full"), std::string::npos);

  SetModalResponder([](const ModalRequest&) { return IDCANCEL; });
  DeleteFile(folder + "/log.txt");
  log->SaveClick(nullptr);
  EXPECT_FALSE(FileExists(folder + "/log.txt")) << "cancelled: nothing written";
}

TEST_F(LogTest, Screenshot) {
  for (int i = 0; i < 40; ++i)
    log->GetLogLines()->Add("2026-12-10 20:" + String(i < 10 ? "0" : "") + std::to_string(i) +
                            ":00 Converting clip" + std::to_string(i % 3 + 1) + ".avi to WMV");
  log->Show();
  Settle();
  EXPECT_TRUE(SaveWindowShot(log->GetHandle(), "app-log"));
}

}  // namespace
