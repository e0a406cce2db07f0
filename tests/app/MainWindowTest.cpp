// The program's start and the main window as the program makes them: a start that fails shows
// its reason once and makes no window; the profile list, the stored profile across a restart,
// the updater started once; and a picture of the window with files and a preview.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "MediaFixture.h"
#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/Converter.h"
#include "app/ConverterSetup.h"
#include "app/Main.h"
#include "core/Convert.h"
#include "core/Formats.h"
#include "core/Global.h"
#include "core/VideoList.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/ScratchDir.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvListView.h"
#include "user/ModalResponder.h"
#include "user/Shell.h"

namespace {

class MainWindowTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    hadConfig = saved != nullptr;
    if (saved) savedConfig = saved;
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    SetProductGlobals();
    SetShellExecuteHandler([this](HWND, const char*, const char* file, const char*, const char*, int) {
      shell.push_back(ExtractFileName(file));
      return reinterpret_cast<HINSTANCE>(intptr_t(2));
    });
    SetModalResponder([this](const ModalRequest& request) {
      boxes.push_back(request.text);
      return IDOK;
    });
  }
  void TearDown() override {
    if (started) EndConverter();
    SetShellExecuteHandler(nullptr);
    if (hadConfig) setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
    VclTest::TearDown();
  }
  void Start() {
    started = StartConverter();
    ASSERT_TRUE(started);
    FormMain->Show();
    Settle();
  }
  // The user closes the main window; the program ends.
  void Quit() {
    FormMain->Close();
    Settle();
    EndConverter();
    started = false;
  }
  String Ini() const { return dir.Path() + "/tavren/configure.ini"; }
  TStrings* ProfileLines() const {
    return static_cast<TkvCustomComboBoxProperties*>(FormMain->cbProfile->GetProperties())->GetItems();
  }

  ScratchDir dir;
  bool hadConfig = false;
  String savedConfig;
  bool started = false;
  std::vector<String> shell;
  std::vector<String> boxes;
};

TEST_F(MainWindowTest, AStartThatFailsShowsWhyOnceAndMakesNoWindow) {
  struct Case {
    const char* what;
    std::function<void()> breakIt;
    const char* message;
  } cases[] = {
      {"a catalogue that offers nothing", [] { FormatList = "Nothing"; },
       "Lost or breaken configure file XMLFormats.xml"},
      {"a configuration folder that cannot be made",
       [this] {
         dir.Write("plain", "a file where a folder belongs");
         setenv("XDG_CONFIG_HOME", dir.File("plain").c_str(), 1);
       },
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.clear();
    SetProductGlobals();
    c.breakIt();
    EXPECT_FALSE(StartConverter());
    ASSERT_EQ(boxes.size(), 1u);
    if (c.message) {
      EXPECT_EQ(boxes[0], c.message);
    }
    EXPECT_EQ(FormMain, nullptr);
    EXPECT_EQ(Application()->GetMainForm(), nullptr);
    EXPECT_TRUE(shell.empty()) << "no updater either";
    EXPECT_FALSE(FileExists(Ini())) << "nothing written back";
    Settle();
  }
}

TEST_F(MainWindowTest, ProfilesAreListedAndTheStoredOneOutlivesARestart) {
  Start();
  EXPECT_EQ(Application()->GetTitle(), "Tavren Video to WMV Converter");
  EXPECT_EQ(FormMain->GetCaption(), "Video Converter");
  EXPECT_EQ(Application()->GetMainForm(), FormMain);
  EXPECT_EQ(shell, std::vector<String>{"update.exe"}) << "the updater starts once, at the start";
  ASSERT_EQ(ProfileLines()->GetCount(), 4);
  EXPECT_EQ(ProfileLines()->GetStrings(0), "WMV (*.wmv)");
  EXPECT_EQ(ProfileLines()->GetStrings(2), "MP3 (*.mp3)");
  EXPECT_EQ(FormMain->cbProfile->GetItemIndex(), 0);

  // Choosing MP3 applies its defaults; a parameter changed afterwards is kept with it.
  FormMain->cbProfile->SetItemIndex(2);
  TFormatSelection chosen = GlobalFormats->GetSelection();
  EXPECT_EQ(chosen.Format, 2);
  chosen.ABitrate = chosen.ABitrate == 0 ? 1 : 0;
  GlobalFormats->SetSelection(chosen);
  EXPECT_FALSE(FileExists(Ini())) << "written at the end";
  Quit();
  EXPECT_TRUE(FileExists(Ini())) << "written once the window has closed";

  shell.clear();
  Start();
  EXPECT_EQ(FormMain->cbProfile->GetItemIndex(), 2);
  EXPECT_EQ(GlobalFormats->GetSelection().ABitrate, chosen.ABitrate) << "the stored parameters, not the defaults";
  // A list without a picked line changes nothing.
  FormMain->cbProfile->SetItemIndex(-1);
  EXPECT_EQ(GlobalFormats->GetSelection().Format, 2);
}

TEST_F(MainWindowTest, TheWindowWithThreeFilesAndAPreview) {
  Start();
  const String clip = dir.File("vga.mp4");
  Make(clip, "-f lavfi -i testsrc2=size=640x480:rate=25:duration=4 -c:v libx264 -pix_fmt yuv420p");
  for (int i = 0; i < 3; ++i) GlobalVideoList->AddFile(GlobalMediaInfo, clip);
  EXPECT_EQ(FormMain->FrameFileList->FileList->GetItems()->GetCount(), 3);
  EXPECT_EQ(FormMain->FrameFileList->GetSelectedRow(), 2);

  FormMain->FrameFileListFileListDblClick(FormMain);
  EXPECT_EQ(FormMain->lblSize->GetCaption(), "640 x 480");
  EXPECT_TRUE(FormMain->TimerUpdatePos->GetEnabled());
  for (int i = 0; i < 300 && GlobalMediaPlayer->Position() < 10000000; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  FormMain->ImagePauseClick(FormMain);
  clock.Advance(100);
  Settle();
  EXPECT_TRUE(SaveWindowShot(FormMain->GetHandle(), "app-main"));
}

}  // namespace
