// The main window's commands over the real catalogue and engine: the profile list and the choice
// of a profile kept across a restart, and adding files (one that cannot be opened is named and
// skipped), also through the open dialog by typed names.

#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "VclTestSupport.h"
#include "MediaFixture.h"
#include "app/MainCommands.h"
#include "app/Progress.h"
#include "app/VideoEdit.h"
#include "rtl/StringList.h"
#include "tests/rtl/ScratchDir.h"
#include "user/ModalResponder.h"
#include "vcl/StdCtrls.h"

namespace {

class MainCommandsTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    SetCoreHost(&host);
    CreateMainForm();
  }
  void TearDown() override {
    SetModalResponder(nullptr);
    VclTest::TearDown();
    SetCoreHost(nullptr);
  }
  static const ScratchDir& Media() {
    static ScratchDir media;
    static bool made = [] {
      Make(media.File("a.mp4"), "-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -c:v libx264 -pix_fmt yuv420p");
      Make(media.File("tone.wav"), "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=1 -c:a pcm_s16le");
      media.Write("broken.avi", "RIFF but nothing a decoder could take");
      return true;
    }();
    (void)made;
    return media;
  }

  ScratchDir dir;
  TRecordingHost host;
  TMediaInfo probe;
};

TEST_F(MainCommandsTest, ProfilesAreListedAndTheChoiceOutlivesTheProgram) {
  const String config = dir.File("configure.ini");
  {
    TFormats formats("Zune,WMV,WMA,MP3", config);
    TStringList lines;
    FillProfileLines(formats, &lines);
    ASSERT_EQ(lines.GetCount(), formats.GetCount());
    Integer wmv = lines.IndexOf("WMV (*.wmv)");
    Integer mp3 = lines.IndexOf("MP3 (*.mp3)");
    ASSERT_GE(wmv, 0);
    ASSERT_GE(mp3, 0);

    ChooseProfile(formats, wmv);
    TFormatSelection chosen = formats.GetSelection();
    chosen.ABitrate = chosen.ABitrate + 1;  // the user's own sound bit rate
    formats.SetSelection(chosen);
    const TFormatSelection before = formats.GetSelection();
    ChooseProfile(formats, -1);
    ChooseProfile(formats, formats.GetCount());
    EXPECT_EQ(formats.GetSelection(), before) << "no profile picked: nothing changes";

    ChooseProfile(formats, mp3);
    TFormatSelection defaults = formats.GetSelection();
    EXPECT_EQ(defaults.Format, mp3);
    formats.ApplyDefaults();
    EXPECT_EQ(formats.GetSelection(), defaults) << "a new profile takes its defaults";
  }
  TFormats again("Zune,WMV,WMA,MP3", config);
  TStringList lines;
  FillProfileLines(again, &lines);
  EXPECT_EQ(lines.GetStrings(again.GetSelection().Format), "MP3 (*.mp3)");
}

TEST_F(MainCommandsTest, AFileThatCannotBeOpenedIsNamedAndSkipped) {
  TVideoList list(dir.File("configure.ini"));
  TStringList files;
  for (const char* name : {"a.mp4", "tone.wav", "broken.avi", "a.mp4", "tone.wav"}) files.Add(Media().File(name));
  AddFiles(list, probe, &files);
  ASSERT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list.GetPath(3), Media().File("tone.wav"));
  EXPECT_EQ(host.Boxes, std::vector<String>{"Failed to create decoder, file broken.avi cannot be imported."});

  TPlayContext context;
  FillPlayContext(list, 0, context);
  EXPECT_EQ(context.Path, Media().File("a.mp4"));
  EXPECT_TRUE(context.HasVideo);
  EXPECT_EQ(context.Width, 320);
  EXPECT_EQ(context.Height, 240);
  EXPECT_EQ(context.Duration, list.GetInfo(0)->Duration);
  EXPECT_EQ(context.Task, list.GetInfo(0)->Task);
}

TEST_F(MainCommandsTest, DeleteNeedsASelectionAndConvertAFile) {
  TVideoList list(dir.File("configure.ini"));
  TFormProgress* window = nullptr;
  Application()->CreateForm(window);
  forms.push_back(window);
  EXPECT_FALSE(QueueConversion(list, *window)) << "an empty list converts nothing";
  EXPECT_EQ(window->GetRun()->GetCount(), 0);

  TStringList files;
  files.Add(Media().File("a.mp4"));
  files.Add(Media().File("tone.wav"));
  AddFiles(list, probe, &files);
  list.SetOutDir(dir.Path());
  ASSERT_TRUE(QueueConversion(list, *window));
  EXPECT_EQ(window->GetRun()->GetCount(), 2);
  EXPECT_EQ(window->GetRun()->GetOutDir(), dir.Folder());

  DeleteSelectedFile(list, -1);
  EXPECT_EQ(host.Boxes, std::vector<String>{"Please select a item"});
  EXPECT_EQ(list.GetCount(), 2);
  DeleteSelectedFile(list, 0);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetPath(0), Media().File("tone.wav"));
}

TEST_F(MainCommandsTest, FilesAreChosenInTheOpenDialogByTypedNames) {
  TVideoList list(dir.File("configure.ini"));
  list.SetInDir(Media().Folder());
  ModalRequest seen;
  SetModalResponder([&](const ModalRequest& request) {
    seen = request;
    TWinControl* dialog = FindControl(request.window);
    auto* name = dialog ? dynamic_cast<TEdit*>(dialog->FindComponent("FileNameEdit")) : nullptr;
    if (!name) return IDCANCEL;
    name->SetText("\"a.mp4\" \"tone.wav\"");
    return IDOK;
  });
  AddVideoFiles(list, probe, "Tavren Video to WMV Converter");
  EXPECT_EQ(seen.caption, "Tavren Video to WMV Converter");
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetPath(0), Media().File("a.mp4"));
  EXPECT_EQ(list.GetPath(1), Media().File("tone.wav"));
  EXPECT_FALSE(list.GetInfo(1)->HasVideo);

  SetModalResponder([](const ModalRequest&) { return IDCANCEL; });
  AddVideoFiles(list, probe, "Tavren Video to WMV Converter");
  EXPECT_EQ(list.GetCount(), 2) << "cancelled: nothing added";
}

}  // namespace
