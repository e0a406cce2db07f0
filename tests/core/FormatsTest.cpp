#include <gtest/gtest.h>

#include <fstream>

#include "FakeEngine.h"
#include "NotifyCounter.h"
#include "core/Formats.h"
#include "rtl/IniFiles.h"
#include "tests/rtl/ScratchDir.h"

namespace {

const char* const kProductFormats = "Zune,WMV,WMA,MP3";

TFormatSelection Sel(Integer f, Integer vc, Integer vb, Integer s, Integer fps, Integer a, Integer ab, Integer sr,
                     Integer ch) {
  return {f, vc, vb, s, fps, a, ab, sr, ch};
}

std::string Text(const TFormatSelection& s) {
  return std::to_string(s.Format) + "," + std::to_string(s.VCodec) + "," + std::to_string(s.VBitrate) + "," +
         std::to_string(s.Size) + "," + std::to_string(s.Fps) + "," + std::to_string(s.Aspect) + "," +
         std::to_string(s.ABitrate) + "," + std::to_string(s.SampleRate) + "," + std::to_string(s.Channels);
}

}  // namespace

TEST(FormatCatalogue, FilterKeepsTheNamedFormatsInDocumentOrder) {
  ScratchDir dir;
  TFormats all("", dir.File("configure.ini"));
  EXPECT_EQ(all.GetCount(), 24);
  EXPECT_EQ(all.GetRoot().GetVersion(), "1.0");
  const struct {
    const char* filter;
    std::vector<std::string> names;
  } cases[] = {{"Zune,WMV,WMA,MP3", {"WMV", "Zune", "MP3", "WMA"}},
               {"MP3MP4", {"MP4", "MP3"}},
               {"Apple TV", {"Apple TV"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.filter);
    TFormats formats(c.filter, dir.File("configure.ini"));
    std::vector<std::string> names;
    for (Integer i = 0; i < formats.GetCount(); ++i) names.push_back(formats.GetRoot()[i].GetName());
    EXPECT_EQ(names, c.names);
  }
  // Names compare with letter case; a filter that offers nothing leaves nothing to choose from,
  // and the start cannot go on.
  try {
    TFormats none("wmv", dir.File("configure.ini"));
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Lost or breaken configure file XMLFormats.xml");
  }
}

TEST(FormatCatalogue, KeptFormatsReadAsTheCatalogueGivesThem) {
  ScratchDir dir;
  TFormats formats(kProductFormats, dir.File("configure.ini"));
  TXMLFormatType wmv = formats.GetRoot()[0];
  EXPECT_EQ(wmv.GetID(), 14);
  EXPECT_EQ(wmv.GetGeneral().GetOutFormat(), "asf");
  EXPECT_EQ(wmv.GetVideo().GetFps()[9].GetDen(), 30000);
  EXPECT_EQ(wmv.GetVideo().GetFps()[9].GetNum(), 1001);
  EXPECT_EQ(wmv.GetVideo().GetSize()[11].GetWidth(), 1024);
  EXPECT_EQ(wmv.GetVideo().GetSize()[11].GetHeight(), 768);
  EXPECT_EQ(wmv.GetVideo().GetCodec()[0].GetName(), "Windows Media 9");
  EXPECT_THROW(wmv.GetVideo().GetSize()[12], EListError);
  EXPECT_EQ(formats.GetRoot()[1].GetAudio().GetCodec().GetID(), 1);
  EXPECT_EQ(formats.GetRoot()[2].GetVideo().GetCodec()[0].GetID(), 0);
  EXPECT_EQ(formats.GetRoot()[3].GetGeneral().GetFileExt(), "mp3");
}

TEST(FormatCatalogue, SelectionAfterStartUp) {
  const struct {
    const char* name;
    const char* ini;  // section "Formats" as stored, or nullptr for no file
    const char* selection;
  } cases[] = {
      {"no file", nullptr, "0,0,5,0,6,0,5,7,1"},
      {"empty file", "", "0,0,5,0,6,0,5,7,1"},
      {"partial", "Format=1\nSize=-1\nFps=3\n", "1,0,5,2,3,0,4,7,1"},
      {"all stored", "Format=0\nVCodec=2\nVBitrate=8\nSize=11\nFps=10\nAspect=1\nABitrate=7\nSampleRate=0\nChannels=0\n",
       "0,2,8,11,10,1,7,0,0"},
      {"format past the kept ones", "Format=4\nSize=3\n", "0,0,5,3,6,0,5,7,1"},
      {"negative format", "Format=-2\n", "0,0,5,0,6,0,5,7,1"},
      {"indexes past their lists", "Format=2\nVCodec=1\nSize=5\nFps=-7\nABitrate=8\nSampleRate=3\nChannels=2\n",
       "2,0,0,0,0,0,4,2,1"},
      {"text for numbers", "Format=WMA\nVBitrate=x\nChannels=0\n", "0,0,5,0,6,0,5,7,0"},
      {"huge numbers", "Format=1\nSize=99999999999\nFps=2147483647\n", "1,0,5,2,6,0,4,7,1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    if (c.ini) std::ofstream(dir.File("configure.ini")) << "[Formats]\n" << c.ini;
    TFormats formats(kProductFormats, dir.File("configure.ini"));
    EXPECT_EQ(Text(formats.GetSelection()), c.selection);
    FormatDetail detail;
    EXPECT_NO_THROW(formats.BuildDetail(detail));
  }
}

TEST(FormatCatalogue, SelectionIsWrittenAtTheEndAndRestoredExactly) {
  ScratchDir dir;
  const auto chosen = Sel(1, 2, 3, 4, 5, 1, 2, 3, 0);
  {
    TFormats formats(kProductFormats, dir.File("configure.ini"));
    formats.SetSelection(chosen);
  }
  EXPECT_EQ(TIniFile(dir.File("configure.ini")).ReadInteger("Formats", "Size", -9), 4);
  TFormats formats(kProductFormats, dir.File("configure.ini"));
  EXPECT_EQ(formats.GetSelection(), chosen);
}

TEST(FormatCatalogue, SetSelectionNotifiesAndKeepsIndexesInTheirLists) {
  ScratchDir dir;
  TFormats formats(kProductFormats, dir.File("configure.ini"));
  TNotifyCounter counter;
  formats.Attach(&counter);
  formats.SetSelection(formats.GetSelection());
  EXPECT_EQ(counter.Count, 2);  // even when nothing changed
  const struct {
    TFormatSelection given;
    const char* kept;
  } cases[] = {{Sel(0, 1, 2, 5, 9, 1, 4, 7, 0), "0,1,2,5,9,1,4,7,0"},
               {Sel(7, 1, 2, 5, 9, 1, 4, 7, 0), "0,1,2,5,9,1,4,7,0"},
               {Sel(-1, 0, 0, 0, 0, 0, 0, 0, 0), "0,0,0,0,0,0,0,0,0"},
               {Sel(1, 3, 9, 6, 11, 2, 8, 9, 2), "1,0,5,2,6,0,4,7,1"},
               {Sel(3, -1, -1, -1, -1, -1, -1, -1, -1), "3,0,0,0,0,0,5,4,1"}};
  for (const auto& c : cases) {
    formats.SetSelection(c.given);
    EXPECT_EQ(Text(formats.GetSelection()), c.kept) << Text(c.given);
  }
  formats.ApplyDefaults();
  EXPECT_EQ(counter.Count, 2 + 5 + 1);
  EXPECT_EQ(Text(formats.GetSelection()), "3,0,0,0,0,0,5,4,1");
}

TEST(FormatCatalogue, BuildDetailRows) {
  ScratchDir dir;
  TFormats formats(kProductFormats, dir.File("configure.ini"));
  const struct {
    TFormatSelection selection;
    const char* outFormat;
    const char* fileExt;
    Integer width, height, fpsDen, fpsNum, aspectDen, aspectNum, vCodec, vBitRate, channels, sampleRate, aCodec,
        aBitRate;
  } cases[] = {
      {Sel(0, 1, 2, 5, 9, 1, 4, 7, 0), "asf", "wmv", 320, 240, 30000, 1001, 16, 9, 19, 500000, 1, 44100, 1, 96000},
      {Sel(0, 0, 5, 0, 6, 0, 5, 7, 1), "asf", "wmv", 0, 0, 24000, 1001, 4, 3, 74, 800000, 2, 44100, 1, 128000},
      {Sel(1, 2, 8, 3, 10, 0, 7, 0, 1), "asf", "wmv", 480, 368, 30, 1, 4, 3, 18, 2500000, 2, 8000, 1, 192000},
      {Sel(2, 0, 0, 0, 0, 0, 4, 2, 1), "mp3", "mp3", 0, 0, 0, 0, 4, 3, 0, 300000, 2, 44100, 86017, 96000},
      {Sel(3, 0, 0, 0, 0, 1, 5, 4, 0), "wma", "mp3", 0, 0, 0, 0, 16, 9, 0, 300000, 1, 44100, 86017, 128000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Text(c.selection));
    FormatDetail d;
    d.OutFormat = "left over";
    d.ABitRate = 1;
    formats.BuildDetailFor(d, c.selection);
    EXPECT_EQ(d.OutFormat, c.outFormat);
    EXPECT_EQ(d.FileExt, c.fileExt);
    EXPECT_EQ(d.Size, 60);
    EXPECT_EQ(d.Width, c.width);
    EXPECT_EQ(d.Height, c.height);
    EXPECT_EQ(d.FpsDen, c.fpsDen);
    EXPECT_EQ(d.FpsNum, c.fpsNum);
    EXPECT_EQ(d.AspectDen, c.aspectDen);
    EXPECT_EQ(d.AspectNum, c.aspectNum);
    EXPECT_EQ(d.VCodecID, c.vCodec);
    EXPECT_EQ(d.VBitRate, c.vBitRate);
    EXPECT_EQ(d.Channels, c.channels);
    EXPECT_EQ(d.SampleRate, c.sampleRate);
    EXPECT_EQ(d.ACodecID, c.aCodec);
    EXPECT_EQ(d.ABitRate, c.aBitRate);
  }
  FormatDetail d;
  EXPECT_THROW(formats.BuildDetailFor(d, Sel(0, 0, 0, 12, 0, 0, 0, 0, 0)), EListError);
  EXPECT_THROW(formats.BuildDetailFor(d, Sel(4, 0, 0, 0, 0, 0, 0, 0, 0)), EListError);
}

TEST(FormatCatalogue, BindingRejectsAnotherRootAndUnreadableNumbers) {
  TXMLDocument doc;
  doc.LoadFromXML("<Profiles/>");
  EXPECT_THROW(GetFormats(&doc), EXMLDocError);
  doc.LoadFromXML("<Formats><Format ID=\"x\" Name=\"A\"><Video DefSize=\"\"><BitRate>fast</BitRate></Video></Format></Formats>");
  TXMLFormatsType root = GetFormats(&doc);
  ASSERT_EQ(root.GetCount(), 1);
  EXPECT_EQ(root[0].GetName(), "A");
  EXPECT_THROW(root[0].GetID(), EConvertError);
  EXPECT_THROW(root[0].GetVideo().GetDefSize(), EConvertError);
  EXPECT_THROW(root[0].GetVideo().GetBitRate()[0], EConvertError);
  EXPECT_EQ(root[0].GetGeneral().GetOutFormat(), "");  // a missing element reads as empty text
  EXPECT_EQ(root[0].GetAudio().GetChannels().GetCount(), 0);
  root.Delete(0);
  EXPECT_EQ(root.GetCount(), 0);
}
