// The output-format frame in the settings dialog, over the real catalogue: rows filled from the
// selection, the video rows of an audio-only profile switched off, Default, OK and Cancel.

#include <gtest/gtest.h>

#include <cstdio>

#include "Screenshots.h"
#include "VclTestSupport.h"
#include "app/FormatsAdvance.h"
#include "core/GlobalFun.h"
#include "toolkit/editors/kvButtons.h"
#include "rtl/SysUtils.h"

namespace {

class OutputFormatTest : public VclTest {
 protected:
  void SetUp() override {
    VclTest::SetUp();
    config = MakeTempFileName("ofmt");
    formats = std::make_unique<TFormats>("Zune,WMV,WMA,MP3", config);
    CreateMainForm();
    Application()->CreateForm(dialog);
    forms.push_back(dialog);
    frame = dialog->FrameOFormat;
    frame->SetFormats(formats.get());
    formats->Attach(frame);
  }
  void TearDown() override {
    formats->Detach(frame);
    VclTest::TearDown();
    formats.reset();
    std::remove(config.c_str());
  }
  Integer FormatNamed(const String& Name) {
    for (Integer i = 0; i < formats->GetCount(); ++i)
      if (formats->GetRoot().GetItems(i).GetName() == Name) return i;
    ADD_FAILURE() << Name;
    return 0;
  }
  void Choose(const String& Name) {
    TFormatSelection selection;
    selection.Format = FormatNamed(Name);
    formats->SetSelection(selection);
    formats->ApplyDefaults();
  }

  String config;
  std::unique_ptr<TFormats> formats;
  TFormOSetting* dialog = nullptr;
  TFrameOFormat* frame = nullptr;
};

TEST_F(OutputFormatTest, RowsShowTheChosenProfile) {
  struct Case {
    const char* format;
    bool video;
    Integer aBitRate, sample, channels;
  };
  // Lines counted from 0, as the catalogue's defaults give them.
  const Case cases[] = {{"MP3", false, 4, 2, 1}, {"WMV", true, -1, -1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    Choose(c.format);
    const TXMLFormatType format = formats->GetRoot().GetItems(FormatNamed(c.format));
    for (TJyComboBoxItem* row : {frame->VCodec, frame->Size, frame->Fps, frame->Aspect, frame->VBitRate})
      EXPECT_EQ(row->GetEnabled(), c.video) << row->GetCaption();
    EXPECT_EQ(frame->ABitRate->GetLines()->GetCount(), format.GetAudio().GetBitRate().GetCount());
    EXPECT_EQ(frame->ACodec->GetLines()->GetCount(), 1);
    EXPECT_EQ(frame->ACodec->GetItemIndex(), 0);
    EXPECT_EQ(frame->ACodec->GetLines()->GetStrings(0), format.GetAudio().GetCodec().GetName());
    if (c.aBitRate >= 0) {
      EXPECT_EQ(frame->ABitRate->GetItemIndex(), c.aBitRate);
      EXPECT_EQ(frame->Sample->GetItemIndex(), c.sample);
      EXPECT_EQ(frame->Channels->GetItemIndex(), c.channels);
    }
    if (c.video) {
      EXPECT_EQ(frame->Size->GetItemIndex(), format.GetVideo().GetDefSize());
      EXPECT_EQ(frame->Size->GetLines()->GetStrings(0), format.GetVideo().GetSize().GetItems(0).GetName());
      EXPECT_EQ(frame->VBitRate->GetLines()->GetStrings(0), IntToStr(format.GetVideo().GetBitRate().GetItems(0)));
    }
  }
}

TEST_F(OutputFormatTest, DefaultRestoresAndStoresTheFormatsDefaults) {
  Choose("WMV");
  const Integer defSize = frame->Size->GetItemIndex();
  ASSERT_GT(frame->Size->GetLines()->GetCount(), 1);
  TFormatSelection changed = formats->GetSelection();
  changed.Size = defSize == 0 ? 1 : 0;
  formats->SetSelection(changed);
  EXPECT_EQ(frame->Size->GetItemIndex(), changed.Size);
  dialog->Default->Click();
  EXPECT_EQ(frame->Size->GetItemIndex(), defSize);
  EXPECT_EQ(formats->GetSelection().Size, defSize);
  EXPECT_EQ(dialog->GetModalResult(), mrNone);  // the dialog stays open
}

TEST_F(OutputFormatTest, OkStoresThePickedLinesAndKeepsTheProfile) {
  Choose("WMV");
  const TFormatSelection before = formats->GetSelection();
  const Integer picked = before.VBitrate == 0 ? 1 : 0;
  frame->VBitRate->SetItemIndex(picked);
  dialog->OK->Click();
  EXPECT_EQ(dialog->GetModalResult(), mrOk);
  TFormatSelection expected = before;
  expected.VBitrate = picked;
  EXPECT_EQ(formats->GetSelection(), expected);
}

TEST_F(OutputFormatTest, CancelWritesNothing) {
  Choose("WMV");
  const TFormatSelection before = formats->GetSelection();
  frame->Size->SetItemIndex(before.Size == 0 ? 1 : 0);
  dialog->Cancel->Click();
  EXPECT_EQ(dialog->GetModalResult(), mrCancel);
  EXPECT_EQ(formats->GetSelection(), before);
}

TEST_F(OutputFormatTest, ARowWithoutAValidLineKeepsTheStoredIndex) {
  Choose("WMV");
  const TFormatSelection before = formats->GetSelection();
  frame->Size->SetItemIndex(99);  // stored, shown as no value
  frame->Fps->SetItemIndex(-1);
  frame->ApplyToSelection();
  EXPECT_EQ(formats->GetSelection(), before);
}

TEST_F(OutputFormatTest, Screenshots) {
  for (const char* name : {"WMV", "MP3"}) {
    Choose(name);
    dialog->Show();
    Settle();
    EXPECT_TRUE(SaveWindowShot(dialog->GetHandle(), String("app-settings-") + name));
    dialog->Hide();
  }
}

}  // namespace
