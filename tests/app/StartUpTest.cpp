// What the program settles before its windows: the updater's command line, and the folder and
// log the settings live in.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "VclTestSupport.h"
#include "app/AppHost.h"
#include "app/ConverterSetup.h"
#include "app/Log.h"
#include "app/MainUpdater.h"
#include "core/Global.h"
#include "rtl/FileUtils.h"
#include "backend/ScriptedInput.h"
#include "core/EngineApi.h"
#include "rtl/IniFiles.h"
#include "tests/rtl/ScratchDir.h"
#include "user/ModalResponder.h"
#include "vcl/StdCtrls.h"
#include "user/Shell.h"
#include "user/WindowPos.h"

namespace {

class StartUpTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    SetProductGlobals();
  }
  void TearDown() override {
    SetShellExecuteHandler(nullptr);
    VclTest::TearDown();
  }
  ScratchDir dir;
};

TEST_F(StartUpTest, TheUpdaterIsToldWhereAndWhatToUpdate) {
  const HWND window = reinterpret_cast<HWND>(uintptr_t(0x2a3fc));
  const String common =
      "-url \"https://www.example.com/srv/update.php\" -product \"Zorvex\" -ver \"3.0.1.324\" -mainwnd \"$2A3FC\" "
      "-msg \"Tavren Video to WMV Converter Update Wizard\"";
  EXPECT_EQ(UpdaterParameters(window, dir.Folder()), common);
  dir.Write("unins000.exe", "");
  EXPECT_EQ(UpdaterParameters(window, dir.Folder()),
            common + " -uninstall \"" + dir.File("unins000.exe") + "/SILENT /VERYSILENT\"");

  // A '%' in the product name is text, not a place for an argument.
  ProductName = "100% Converter";
  EXPECT_NE(UpdaterParameters(window, dir.Folder()).find("-msg \"100% Converter Update Wizard\""), String::npos);

  std::vector<String> calls;
  SetShellExecuteHandler([&](HWND w, const char* verb, const char* file, const char* parameters, const char* folder,
                             int show) {
    EXPECT_EQ(w, window);
    EXPECT_EQ(folder, nullptr);
    EXPECT_EQ(show, SW_SHOW);
    calls.push_back(String(verb) + " " + file + " " + parameters);
    return reinterpret_cast<HINSTANCE>(intptr_t(2));  // not found: nobody is told
  });
  LaunchUpdater(window, dir.Folder());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].substr(0, calls[0].find(' ', 5)), "open " + dir.File("update.exe"));
}

TEST_F(StartUpTest, SettingsAndLogLiveInTheUsersConfigurationFolder) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const String before = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  const String folder = ConfigFolder();
  EXPECT_EQ(folder, dir.File("config") + "/tavren/");
  EXPECT_TRUE(DirectoryExists(folder));
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_NE(ConfigFolder().find("/.config/tavren/"), String::npos) << "a relative folder is not a base";
  if (saved) setenv("XDG_CONFIG_HOME", before.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");

  std::ofstream(folder + "tavren.log") << "the last run's lines\n";
  const String log = StartRunLog(folder);
  EXPECT_EQ(log, folder + "tavren.log");
  struct stat info {};
  ASSERT_EQ(stat(log.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0) << "each run starts its own log";
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  ForceDirectories(dir.File("linked"));
  symlink(dir.File("elsewhere").c_str(), dir.File("linked/tavren.log").c_str());
  EXPECT_THROW(StartRunLog(dir.File("linked")), EOSError) << "never written through a link";
  EXPECT_FALSE(FileExists(dir.File("elsewhere")));
}

// A button whose handler fails the first time it is clicked.
struct TFailingHandler : TObject {
  int Clicks = 0;
  void Click(TObject*) {
    if (++Clicks == 1) throw Exception("Disk full");
  }
};

TEST_F(StartUpTest, AHandlersFailureIsShownWithTheLogAndTheProgramGoesOn) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const String before = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  const String folder = ConfigFolder();
  if (saved) setenv("XDG_CONFIG_HOME", before.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
  CreateMainForm();
  TFormLog* log = nullptr;
  Application()->CreateForm(log);
  forms.push_back(log);
  TAppHost host(log);
  SetCoreHost(&host);
  std::vector<String> boxes;
  SetModalResponder([&](const ModalRequest& request) {
    boxes.push_back(request.caption + ": " + request.text);
    PostMessage(log->GetHandle(), WM_CLOSE, 0, 0);  // the user reads the log and closes it
    return IDOK;
  });
  {
    TInitGlobal services(folder + "configure.ini", StartRunLog(folder));
    Application()->SetOnException(MakeEvent<&TInitGlobal::HandleException>(&services));
    LogCoreError("Converting clip.avi");
    TForm* form = NewForm();
    auto* button = new TButton(form);
    button->SetParent(form);
    TFailingHandler handler;
    button->SetOnClick(MakeEvent<&TFailingHandler::Click>(&handler));
    form->Show();
    Settle();
    const TPoint at = button->ClientToScreen(TPoint(5, 5));
    ScriptClick({at.X, at.Y});
    Settle();
    EXPECT_EQ(boxes, std::vector<String>{"Error: Disk full"});
    EXPECT_FALSE(log->GetVisible());
    EXPECT_NE(log->GetLogLines()->GetText().find("Converting clip.avi"), String::npos) << "this run's log";
    clock.Advance(1000);
    ScriptClick({at.X, at.Y});
    Settle();
    EXPECT_EQ(handler.Clicks, 2) << "the program goes on";
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(FileExists(folder + "configure.ini")) << "written at the end, not before";
    Application()->SetOnException({});
  }
  EXPECT_TRUE(FileExists(folder + "configure.ini"));
  EXPECT_EQ(TIniFile(folder + "configure.ini").ReadString("Formats", "Format", ""), "0");
  SetModalResponder(nullptr);
  SetCoreHost(nullptr);
}

}  // namespace
