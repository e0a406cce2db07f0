#include "rtl/IniFiles.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "ScratchDir.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
#include "rtl/SysUtils.h"

namespace {

String Joined(TStrings* strings) {
  String text;
  for (Integer i = 0; i < strings->GetCount(); ++i) text += (i ? "|" : "") + strings->GetStrings(i);
  return text;
}

TEST(IniFiles, TwoObjectsOnOneFileIgnoreLetterCase) {
  ScratchDir dir;
  TIniFile writer(dir.File("configure.ini"));
  TIniFile reader(dir.File("configure.ini"));
  writer.WriteString("Files", "InitDir", "/home/user/Videos");
  EXPECT_EQ(reader.ReadString("FILES", "initdir", "none"), "/home/user/Videos");
  reader.WriteString("files", "INITDIR", "/srv/media");  // the same key: replaced, not added
  EXPECT_EQ(writer.ReadString("Files", "InitDir", "none"), "/srv/media");
  EXPECT_EQ(dir.Read("configure.ini"), "[Files]\nInitDir=/srv/media\n");
}

TEST(IniFiles, TypedValues) {
  ScratchDir dir;
  dir.Write("a.ini", "[Formats]\nFormat=3\nHex=0x1F\nDollar=$10\nBad=12abc\nEmpty=\nOn=1\nOff=0\nWord=yes\n"
                     "Float=2.5\n");
  TIniFile ini(dir.File("a.ini"));
  struct Case {
    const char* key;
    Integer value;
  };
  const Case kCases[] = {{"Format", 3}, {"Hex", 31}, {"Dollar", 16}, {"Bad", -1}, {"Empty", -1}, {"Missing", -1}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(ini.ReadInteger("Formats", c.key, -1), c.value);
  }
  EXPECT_TRUE(ini.ReadBool("Formats", "On", false));
  EXPECT_FALSE(ini.ReadBool("Formats", "Off", true));
  EXPECT_TRUE(ini.ReadBool("Formats", "Word", true));  // not a number: the default
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Formats", "Float", 0), 2.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Formats", "Word", 7.5), 7.5);

  ini.WriteInteger("Formats", "VCodec", -1);
  ini.WriteBool("Formats", "On", false);
  ini.WriteFloat("Formats", "Ratio", 0.25);
  EXPECT_EQ(ini.ReadInteger("Formats", "VCodec", 0), -1);
  EXPECT_EQ(ini.ReadString("Formats", "On", ""), "0");
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Formats", "Ratio", 0), 0.25);
  TDateTime when = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 10, 0);
  ini.WriteDateTime("Formats", "When", when);
  EXPECT_NEAR(ini.ReadDateTime("Formats", "When", 0), when, 1e-6);
}

TEST(IniFiles, KeepsCommentsAndUnknownLinesAndLineEnds) {
  ScratchDir dir;
  dir.Write("a.ini", "; settings\r\n[Files]\r\nInitDir=a\r\n# note\r\nnot a key\r\n\r\n[Formats]\r\nFormat=1");
  TIniFile ini(dir.File("a.ini"));
  EXPECT_EQ(ini.ReadString("Formats", "Format", ""), "1");  // no final line end
  ini.WriteString("Files", "OutDir", "b");
  ini.WriteString("Formats", "Format", "2");
  ini.WriteString("New", "Key", "v");
  EXPECT_EQ(dir.Read("a.ini"),
            "; settings\r\n[Files]\r\nInitDir=a\r\nOutDir=b\r\n# note\r\nnot a key\r\n\r\n[Formats]\r\nFormat=2\r\n"
            "\r\n[New]\r\nKey=v\r\n");
}

TEST(IniFiles, ValuesReadBackAsWritten) {
  ScratchDir dir;
  TIniFile ini(dir.File("a.ini"));
  const char* kValues[] = {"plain", "  padded  ", "\"quoted\"", "'single'", "a=b=c", "", "C:\\Videos\\", "x ; y"};
  for (const char* value : kValues) {
    SCOPED_TRACE(value);
    ini.WriteString("S", "K", value);
    EXPECT_EQ(ini.ReadString("S", "K", "?"), value);
  }
  EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), EIniFileException);
  EXPECT_THROW(ini.WriteString("S", "a=b", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("S]", "K", "v"), EIniFileException);
  EXPECT_EQ(ini.ReadString("S", "K", "?"), "x ; y");  // refused writes changed nothing
}

TEST(IniFiles, SectionsKeysAndErasing) {
  ScratchDir dir;
  dir.Write("a.ini", "[One]\na=1\nb=2\n[Two]\nc=3\n[one]\nA=9\nd=4\n[Empty]\n");
  TIniFile ini(dir.File("a.ini"));
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Joined(&list), "One|Two|Empty");
  ini.ReadSection("ONE", &list);
  EXPECT_EQ(Joined(&list), "a|b|d");  // a section given twice reads as one; the first key wins
  ini.ReadSectionValues("one", &list);
  EXPECT_EQ(Joined(&list), "a=1|b=2|d=4");
  EXPECT_TRUE(ini.SectionExists("two"));
  EXPECT_FALSE(ini.SectionExists("Empty"));
  EXPECT_TRUE(ini.ValueExists("Two", "C"));
  EXPECT_FALSE(ini.ValueExists("Two", "a"));

  ini.DeleteKey("one", "A");
  EXPECT_EQ(ini.ReadString("One", "a", "gone"), "gone");
  ini.EraseSection("ONE");
  EXPECT_EQ(dir.Read("a.ini"), "[Two]\nc=3\n[Empty]\n");
}

TEST(IniFiles, DamagedFilesReadWithoutHarm) {
  ScratchDir dir;
  String junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  String longLine(1 << 20, 'x');
  dir.Write("junk.ini", junk + "\n[S]\nk=v\n" + "[S]\n" + longLine + "=" + longLine + "\n[\n=\n]\n\x00\x01");
  TIniFile ini(dir.File("junk.ini"));
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
  EXPECT_EQ(ini.ReadString("S", longLine, "").size(), longLine.size());
  ini.WriteString("S", "k", "w");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "w");
  EXPECT_EQ(dir.Read("junk.ini").substr(0, junk.size()), junk);  // the junk is kept as it was

  dir.Write("bom.ini", "\xEF\xBB\xBF[S]\r\nk=v\r\n");
  TIniFile bom(dir.File("bom.ini"));
  EXPECT_EQ(bom.ReadString("S", "k", ""), "v");
}

TEST(IniFiles, UnreadableFileIsNeverReplaced) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.File("folder.ini"));
  TIniFile ini(dir.File("folder.ini"));
  EXPECT_THROW(ini.ReadString("S", "k", ""), EIniFileException);
  EXPECT_THROW(ini.WriteString("S", "k", "v"), EIniFileException);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.ini")));

  TIniFile nowhere(dir.File("missing/a.ini"));
  EXPECT_EQ(nowhere.ReadString("S", "k", "default"), "default");
  try {
    nowhere.WriteString("S", "k", "v");
    FAIL() << "wrote";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message().rfind("Unable to write to " + dir.File("missing/a.ini"), 0), 0u) << e.Message();
  }
}

TEST(IniFiles, ProcessKilledMidWriteLeavesAWholeFile) {
  ScratchDir dir;
  String name = dir.File("configure.ini");
  // Each value carries its number at both ends, so a torn write would show.
  auto valueFor = [](int i) { return IntToStr(i) + ":" + String(1000 + (i * 37) % 20000, 'x') + ":" + IntToStr(i); };
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TIniFile ini(name);
    for (int i = 0; i < 1000000; ++i) {
      ini.WriteString("Formats", "Counter", IntToStr(i));
      ini.WriteString("Formats", "Payload", valueFor(i));
    }
    _exit(0);
  }
  // Let it write for a while, then kill it wherever it is.
  for (int i = 0; i < 1000 && !std::filesystem::exists(name); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));

  TIniFile ini(name);
  Integer counter = ini.ReadInteger("Formats", "Counter", -1);
  ASSERT_GE(counter, 0);
  String payload = ini.ReadString("Formats", "Payload", "");
  // Payload is either the one for this counter or, killed between the two writes, the one before.
  EXPECT_TRUE(payload == valueFor(counter) || (counter > 0 && payload == valueFor(counter - 1)) ||
              (counter == 0 && payload.empty()))
      << "counter " << counter << " payload " << payload.substr(0, 20);
  String text = dir.Read("configure.ini");
  EXPECT_EQ(text.back(), '\n');
}

// A writer killed in the middle of writing (here by passing its file size limit) leaves no file behind.
TEST(IniFiles, WriterKilledMidWriteLeavesNoTemporaryFile) {
  ScratchDir dir;
  const String name = dir.File("configure.ini");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit noCore{0, 0};
    const rlimit small{4096, 4096};
    setrlimit(RLIMIT_CORE, &noCore);
    setrlimit(RLIMIT_FSIZE, &small);
    TIniFile(name).WriteString("Formats", "Payload", String(100000, 'x'));
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(IniFiles, MemIniFileWritesOnlyOnUpdate) {
  ScratchDir dir;
  dir.Write("a.ini", "; kept\n[Bars]\nCount=1\n");
  TMemIniFile ini(dir.File("a.ini"));
  ini.WriteInteger("Bars", "Count", 2);
  ini.WriteBool("bars", "Visible", true);
  EXPECT_EQ(dir.Read("a.ini"), "; kept\n[Bars]\nCount=1\n");
  EXPECT_EQ(ini.ReadInteger("BARS", "count", 0), 2);
  ini.UpdateFile();
  EXPECT_EQ(dir.Read("a.ini"), "; kept\n[Bars]\nCount=2\nVisible=1\n");

  TMemIniFile snapshot("");
  snapshot.WriteString("Main", "Version", "1");
  snapshot.UpdateFile();  // nothing to write to
  TStringList lines;
  snapshot.GetStrings(&lines);
  EXPECT_EQ(Joined(&lines), "[Main]|Version=1");
  TMemIniFile copy("");
  copy.SetStrings(&lines);
  EXPECT_EQ(copy.ReadString("main", "version", ""), "1");
  copy.Clear();
  EXPECT_EQ(copy.ReadString("main", "version", "none"), "none");
}

TEST(IniFiles, BinaryStreams) {
  TMemIniFile ini("");
  TMemoryStream out;
  out.WriteBuffer("\x00\x7F\xFFz", 4);
  out.SetPosition(1);  // from the position on
  ini.WriteBinaryStream("S", "Data", &out);
  EXPECT_EQ(ini.ReadString("S", "Data", ""), "7FFF7A");
  TMemoryStream in;
  EXPECT_EQ(ini.ReadBinaryStream("S", "Data", &in), 3);
  EXPECT_EQ(String(static_cast<const char*>(in.GetMemory()), 3), "\x7F\xFFz");
  ini.WriteString("S", "Bad", "01zz02");
  EXPECT_EQ(ini.ReadBinaryStream("S", "Bad", &in), 1);
}

}  // namespace
