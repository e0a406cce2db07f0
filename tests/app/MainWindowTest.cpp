// The program's start and the main window as the program makes them: a start that fails shows
// its reason once and makes no window; the profile list, the stored profile across a restart,
// the updater started once; and a picture of the window with files and a preview.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "ClipEditorScript.h"
#include "ModalScript.h"
#include "MediaFixture.h"
#include "ScreenPoints.h"
#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/Converter.h"
#include "app/AppWindows.h"
#include "app/ConverterSetup.h"
#include "app/Main.h"
#include "app/Progress.h"
#include "app/ProgressRun.h"
#include "backend/BackendStart.h"
#include "backend/HeadlessBackend.h"
#include "engine/MediaConv.h"
#include "toolkit/editors/kvButtons.h"
#include "backend/ScriptedInput.h"
#include "user/Painting.h"
#include "core/Convert.h"
#include "core/Formats.h"
#include "core/Global.h"
#include "core/VideoList.h"
#include "rtl/FileUtils.h"
#include "tests/rtl/ScratchDir.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/editors/kvTextEdit.h"
#include "vcl/StdCtrls.h"
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
    DrainLeavingTheQuit();
    EndConverter();
    started = false;
  }
  // Closing the main window, or a failed start, ends the application with a quit message; the
  // application must not see it, or every later modal loop of this test program would end at once.
  static void DrainLeavingTheQuit() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message != WM_QUIT) DispatchMessage(&msg);
  }
  String Ini() const { return dir.Path() + "/tavren/configure.ini"; }
  // Clicks into the edit, selects what it holds and types the text over it.
  void TypeInto(TControl* AEdit, const String& AText) {
    Click(ControlPoint(AEdit));
    ScriptKeyPress(VK_HOME);
    ScriptKeyPress(VK_END, kShift);
    ScriptTypeText(AText);
    Settle();
  }
  // A click long after the last one (never part of a double click), and what it starts.
  void Click(POINT At) {
    clock.Advance(1000);
    ScriptClick(At);
    Settle();
  }
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
    DrainLeavingTheQuit();
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

TEST_F(MainWindowTest, WithoutFilesTheCommandsOpenNothing) {
  Start();
  shell.clear();
  FormMain->DeleteVideo(FormMain);
  EXPECT_EQ(boxes, std::vector<String>{"Please select a item"});
  FormMain->ShowTrimEdit(FormMain);
  FormMain->ConvertVideo(FormMain);
  EXPECT_EQ(boxes.size(), 1u) << "neither the clip editor nor the progress window opens";
  FormMain->HelpClick(FormMain);
  EXPECT_EQ(shell, std::vector<String>{"help.chm"});
}

TEST_F(MainWindowTest, TheWindowWithThreeFilesAndAPreview) {
  Start();
  const String clip = dir.File("vga.mp4");
  Make(clip, "-f lavfi -i testsrc2=size=640x480:rate=25:duration=4 -c:v libx264 -pix_fmt yuv420p");
  for (int i = 0; i < 3; ++i) GlobalVideoList->AddFile(GlobalMediaInfo, clip);
  EXPECT_EQ(GlobalVideoList->GetCount(), 3);
  EXPECT_EQ(FormMain->FrameFileList->GetSelectedRow(), 2);

  FormMain->FrameFileListFileListDblClick(FormMain);
  EXPECT_EQ(FormMain->lblSize->GetCaption(), "640 x 480");
  EXPECT_TRUE(FormMain->TimerUpdatePos->GetEnabled());
  for (int i = 0; i < 300 && GlobalMediaPlayer->Position() < 10000000; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  clock.Advance(100);  // the knob follows the position
  Settle();
  FormMain->ImagePauseClick(FormMain);
  clock.Advance(100);
  Settle();
  EXPECT_TRUE(SaveWindowShot(FormMain->GetHandle(), "app-main"));
}

// The ribbon read from the form shows its three groups: each group's window is visible and draws
// its buttons (their captions and images are the only dark or strongly coloured pixels on the
// pale groups area).
TEST_F(MainWindowTest, TheRibbonShowsItsGroupsWithTheirButtons) {
  Start();
  HeadlessBackend* screen = CurrentHeadlessBackend();
  ASSERT_NE(screen, nullptr);
  UpdateAllWindows();
  const PixelImage shot = screen->WindowImage(FormMain->GetHandle());
  TRect formRect;
  GetWindowRect(FormMain->GetHandle(), &formRect);
  for (const char* name : {"qzBarManagerBar1", "qzBarManagerBar2", "qzBarManagerBar3"}) {
    SCOPED_TRACE(name);
    auto* bar = dynamic_cast<TqzBar*>(FormMain->FindComponent(name));
    ASSERT_NE(bar, nullptr);
    TqzBarControl* window = bar->GetBarControl();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(IsWindowVisible(window->GetHandle()));
    TRect r;
    GetWindowRect(window->GetHandle(), &r);
    EXPECT_GT(r.Width(), 100);
    r = TRect(std::max(r.Left, formRect.Left), std::max(r.Top, formRect.Top), std::min(r.Right, formRect.Right),
              std::min(r.Bottom, formRect.Bottom));
    Integer drawn = 0;
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x) {
        const uint32_t p = shot.pixels[size_t(y - formRect.Top) * shot.width + size_t(x - formRect.Left)];
        const int b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
        if (r + g + b < 240 || std::max({r, g, b}) - std::min({r, g, b}) > 90) ++drawn;
      }
    EXPECT_GT(drawn, 100) << "the group's buttons are drawn";
  }
}

// Files added through the open dialog by their typed names and converted by every profile into a
// folder typed for it, the real engine and ffprobe judging the outputs.
TEST_F(MainWindowTest, FilesAreConvertedByEveryProfileIntoTheTypedFolder) {
  Start();
  Make(dir.File("a.mp4"), "-f lavfi -i testsrc2=size=640x480:rate=25:duration=4 -f lavfi -i sine=duration=4 "
                          "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest");
  Make(dir.File("b.mp4"), "-f lavfi -i testsrc=size=640x480:rate=25:duration=4 -f lavfi -i sine=duration=4 "
                          "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest");
  Make(dir.File("tone.wav"), "-f lavfi -i sine=duration=4");
  GlobalVideoList->SetInDir(dir.Path());
  SetModalResponder([this](const ModalRequest& request) {
    if (request.kind == "MessageBox") {
      boxes.push_back(request.text);
      // The user reads the box and closes the progress window.
      PostMessage(FormProgress->GetHandle(), WM_CLOSE, 0, 0);
      return IDOK;
    }
    if (request.kind != "OpenDialog") return IDCANCEL;
    // The user types the three names, quoted, into the focused name box and presses Enter.
    ScriptTypeText("\"a.mp4\" \"b.mp4\" \"tone.wav\"");
    ScriptKeyPress(VK_RETURN);
    return 0;
  });
  Click(CommandButtonPoint(FormMain, "Add"));
  ASSERT_EQ(GlobalVideoList->GetCount(), 3);

  // The first file's range and crop, set in the clip editor that the Trim command opens.
  Click(FileRowPoint(FormMain->FrameFileList, 0));
  ASSERT_EQ(FormMain->FrameFileList->GetSelectedRow(), 0);
  TClipEdit edit;
  edit.Start = "00:00:01.000";
  edit.End = "00:00:03.000";
  edit.Stepped = {10, 20, 330, 260};
  edit.Drag = {30, 24};
  TModalScript script(clock);
  script.Run(ClipEditSteps(clock, edit));
  Click(CommandButtonPoint(FormMain, "Trim"));
  script.Stop();
  ASSERT_TRUE(script.Finished()) << "the editor's steps stopped before step " << script.Next();
  EXPECT_EQ(edit.ShownStart, edit.Start);
  EXPECT_EQ(edit.ShownEnd, edit.End);
  EXPECT_EQ(edit.SteppedShown, edit.Stepped);
  // The drag moved the selection by its screen distance in source pixels, keeping its size.
  const TRect& chosen = edit.Chosen;
  EXPECT_NEAR(chosen.Left, edit.Stepped.Left + edit.Drag.X / edit.Scale, 2);
  EXPECT_NEAR(chosen.Top, edit.Stepped.Top + edit.Drag.Y / edit.Scale, 2);
  EXPECT_NEAR(chosen.Width(), edit.Stepped.Width(), 2);
  EXPECT_NEAR(chosen.Height(), edit.Stepped.Height(), 2);
  const TTaskInfo* task = GlobalVideoList->GetInfo(0)->Task;
  EXPECT_EQ(task->StartTime, 10000000);
  EXPECT_EQ(task->EndTime, 30000000);
  EXPECT_EQ(task->Crop, chosen);
  EXPECT_EQ(FileRowText(FormMain->FrameFileList, 0, 2), "00:00:02.000");

  for (Integer profile = 0; profile < GlobalFormats->GetCount(); ++profile) {
    const String folder = dir.File("out-" + std::to_string(profile));
    ASSERT_TRUE(ForceDirectories(folder));
    // The folder typed over the one shown, then the profile picked in the list below it.
    TypeInto(FormMain->edtOutDir, folder);
    Click(ControlPoint(FormMain->cbProfile));
    for (Integer i = FormMain->cbProfile->GetItemIndex(); i < profile; ++i) ScriptKeyPress(VK_DOWN);
    ScriptKeyPress(VK_RETURN);
    Settle();
    ASSERT_EQ(FormMain->cbProfile->GetItemIndex(), profile);
    ASSERT_EQ(FormMain->edtOutDir->GetText(), folder);
    FormatDetail detail;
    GlobalFormats->BuildDetail(detail);
    SCOPED_TRACE(testing::Message() << "profile " << profile << " ." << detail.FileExt);
    boxes.clear();
    Click(ControlPoint(dynamic_cast<TControl*>(FormMain->FindComponent("Convert"))));
    EXPECT_EQ(boxes, std::vector<String>{"All conversion tasks have been finished!"});
    const std::vector<String> outputs = FolderEntries(folder);
    EXPECT_EQ(outputs.size(), 3u) << "one output a file, no temporary file";
    for (const String& output : outputs) {
      SCOPED_TRACE(output);
      EXPECT_EQ(ExtractFileExt(output), "." + detail.FileExt);
      const TProbe probe = FFprobe(IncludeTrailingPathDelimiter(folder) + output);
      const auto* video = probe.StreamOf("video");
      const bool picture = detail.VCodecID != 0 && output.find("tone") == String::npos;
      EXPECT_EQ(video != nullptr, picture);
      EXPECT_NE(probe.StreamOf("audio"), nullptr);
      if (video && detail.Width > 0) {
        EXPECT_EQ(video->at("width"), std::to_string(detail.Width));
        EXPECT_EQ(video->at("height"), std::to_string(detail.Height));
      }
      EXPECT_EQ(probe.Format.at("format_name"), detail.FileExt == "mp3" ? "mp3" : "asf");
      // Each stream within a frame of the source's length, or 50 ms.
      const double frame = video && detail.FpsDen > 0 ? double(detail.FpsNum) / detail.FpsDen : 0.0;
      std::istringstream durations(RunCommand("ffprobe -v error -show_entries stream=duration -of csv=p=0 " +
                                              Quote(IncludeTrailingPathDelimiter(folder) + output)));
      const double length = output.find("a_mp4") != String::npos ? 2.0 : 4.0;
      int streams = 0;
      for (String line; std::getline(durations, line); ++streams)
        EXPECT_NEAR(std::stod(line), length, std::max(0.05, frame));
      EXPECT_EQ(streams, picture ? 2 : 1);
    }
  }
}

}  // namespace

namespace {

// Cancelled from the progress window that Convert opened: Cancel, then OK in the box that asks;
// the window closes within a second of the clock, the folder holds nothing, and the next Convert
// works.
TEST_F(MainWindowTest, AConversionCancelledMidFileLeavesNothingAndTheNextOneWorks) {
  Start();
  Make(dir.File("long.mp4"), "-f lavfi -i testsrc2=size=640x480:rate=25:duration=30 -c:v libx264 -pix_fmt yuv420p");
  GlobalVideoList->AddFile(GlobalMediaInfo, dir.File("long.mp4"));
  const String folder = dir.File("out");
  ASSERT_TRUE(ForceDirectories(folder));
  TypeInto(FormMain->edtOutDir, folder);
  SetModalResponder([this](const ModalRequest& request) {
    boxes.push_back(request.text);
    if (request.text != "Cancel conversion?") PostMessage(FormProgress->GetHandle(), WM_CLOSE, 0, 0);
    return IDOK;
  });
  const POINT convert = ControlPoint(dynamic_cast<TControl*>(FormMain->FindComponent("Convert")));
  MediaConvSetParts(1);  // one stream: slow enough to be caught in the middle
  uint64_t cancelled = 0, running = 0;
  TModalScript script(clock);
  script.Run({[&] {
    const TProgressRun* run = FormProgress->GetRun();
    if (!FormProgress->GetVisible() || !run->IsJobRunning() || run->GetFigures().Current < 2) return false;
    running = clock.Now();
    return true;
  }, [&] {
    // The window's picture of the file comes every 1.5 s of the clock.
    if (clock.Now() < running + 1600) return false;
    EXPECT_TRUE(SaveWindowShot(FormProgress->GetHandle(), "app-progress"));
    clock.Advance(1000);
    ScriptClick(ControlPoint(FormProgress->btnCancel));
    cancelled = clock.Now();
    return true;
  }});
  Click(convert);
  script.Stop();
  MediaConvSetParts(0);
  ASSERT_TRUE(script.Finished());
  EXPECT_FALSE(FormProgress->GetVisible());
  EXPECT_LE(clock.Now() - cancelled, 1000u);
  EXPECT_EQ(boxes, std::vector<String>{"Cancel conversion?"});
  EXPECT_EQ(FolderEntries(folder), std::vector<String>{}) << "no output, no temporary file";

  // The next run, of a short file, goes to its end.
  boxes.clear();
  GlobalVideoList->Clear();
  Make(dir.File("short.mp4"), "-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -c:v libx264 -pix_fmt yuv420p");
  GlobalVideoList->AddFile(GlobalMediaInfo, dir.File("short.mp4"));
  Click(convert);
  EXPECT_EQ(boxes, std::vector<String>{"All conversion tasks have been finished!"});
  EXPECT_EQ(FolderEntries(folder), std::vector<String>{"short_mp4.wmv"});
}

}  // namespace
