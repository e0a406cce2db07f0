#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include "ScratchDir.h"
#include "rtl/Resources.h"

namespace {

TEST(Streams, MemoryStreamWritesReadsAndSeeks) {
  TMemoryStream stream;
  stream.WriteBuffer("hello world", 11);
  EXPECT_EQ(stream.GetSize(), 11);
  EXPECT_EQ(stream.GetPosition(), 11);

  struct Case {
    Int64 offset;
    TSeekOrigin origin;
    Int64 position;
  };
  const Case kCases[] = {{0, soBeginning, 0}, {6, soBeginning, 6}, {-5, soEnd, 6}, {2, soCurrent, 8}, {0, soEnd, 11}};
  stream.SetPosition(0);
  for (const auto& c : kCases) {
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.position);
  }
  // The 32-bit form with the framework's word origins.
  EXPECT_EQ(stream.Seek(-5, soFromEnd), 6);
  char word[6] = {};
  stream.ReadBuffer(word, 5);
  EXPECT_STREQ(word, "world");
  EXPECT_EQ(stream.Read(word, 5), 0);  // at the end
}

TEST(Streams, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  stream.SetPosition(4);
  stream.WriteBuffer("x", 1);
  ASSERT_EQ(stream.GetSize(), 5);
  EXPECT_EQ(String(static_cast<const char*>(stream.GetMemory()), 5), String("\0\0\0\0x", 5));
  stream.SetSize(2);
  EXPECT_EQ(stream.GetSize(), 2);
  stream.Clear();
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.GetPosition(), 0);
}

TEST(Streams, ShortReadAndFailedWriteRaise) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(1);
  char buffer[8];
  try {
    stream.ReadBuffer(buffer, 3);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  TResourceStream resource(HInstance, "Greeting", RT_RCDATA);
  try {
    resource.WriteBuffer("x", 1);
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_NE(e.Message(), "");
  }
}

TEST(Streams, CopyFromWholeStreamOrPart) {
  TStringStream source("0123456789");
  source.SetPosition(7);
  TMemoryStream all;
  EXPECT_EQ(all.CopyFrom(&source, 0), 10);  // 0: everything, from the start
  EXPECT_EQ(String(static_cast<const char*>(all.GetMemory()), 10), "0123456789");

  source.SetPosition(2);
  TStringStream part;
  EXPECT_EQ(part.CopyFrom(&source, 3), 3);
  EXPECT_EQ(part.GetDataString(), "234");
  EXPECT_THROW(part.CopyFrom(&source, 100), EReadError);
}

TEST(Streams, StringStream) {
  TStringStream stream("abc");
  EXPECT_EQ(stream.GetPosition(), 0);
  EXPECT_EQ(stream.ReadString(2), "ab");
  stream.Seek(0, soFromEnd);
  stream.WriteString("def");
  EXPECT_EQ(stream.GetDataString(), "abcdef");
  stream.SetPosition(4);
  EXPECT_EQ(stream.ReadString(100), "ef");
}

TEST(Streams, FileStreamModes) {
  ScratchDir dir;
  String name = dir.File("data.bin");
  {
    TFileStream created(name, fmCreate | fmShareExclusive);
    created.WriteBuffer("12345", 5);
  }
  {
    TFileStream update(name, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_EQ(update.GetSize(), 5);
    update.Seek(-2, soFromEnd);
    update.WriteBuffer("ab", 2);
    update.SetSize(4);
  }
  EXPECT_EQ(dir.Read("data.bin"), "123a");
  {
    TFileStream reader(name, fmOpenRead);
    EXPECT_EQ(reader.Write("x", 1), 0);  // opened for reading only
    EXPECT_THROW(reader.WriteBuffer("x", 1), EWriteError);
  }
  {
    TFileStream truncated(name, fmCreate);
    EXPECT_EQ(truncated.GetSize(), 0);
  }
}

TEST(Streams, FileStreamErrorsNameTheFileAndReason) {
  ScratchDir dir;
  struct Case {
    String name;
    Word mode;
    String message;
  };
  const Case kCases[] = {
      {dir.File("missing.bin"), fmOpenRead, "Cannot open file \"" + dir.File("missing.bin") + "\". No such file or directory"},
      {dir.Path(), fmOpenRead, "Cannot open file \"" + dir.Path() + "\". Is a directory"},
      {dir.File("no/such/folder.bin"), fmCreate,
       "Cannot create file \"" + dir.File("no/such/folder.bin") + "\". No such file or directory"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    try {
      TFileStream stream(c.name, c.mode);
      FAIL() << "opened";
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_STREQ(e.ClassName(), c.mode == fmCreate ? "EFCreateError" : "EFOpenError");
    }
  }
}

TEST(Streams, MemoryStreamFilesRoundTrip) {
  ScratchDir dir;
  TMemoryStream out;
  out.WriteBuffer("line\r\n\0binary", 13);
  out.SaveToFile(dir.File("copy.bin"));
  TMemoryStream in;
  in.WriteBuffer("old contents that are longer", 28);
  in.LoadFromFile(dir.File("copy.bin"));
  EXPECT_EQ(in.GetSize(), 13);
  EXPECT_EQ(in.GetPosition(), 0);
  EXPECT_EQ(String(static_cast<const char*>(in.GetMemory()), 13), String("line\r\n\0binary", 13));
  EXPECT_THROW(in.LoadFromFile(dir.File("absent")), EFOpenError);
}

TEST(Streams, ResourceStreamByNameAndNumber) {
  TResourceStream byName(HInstance, String("greeting"), RT_RCDATA);
  EXPECT_EQ(byName.GetSize(), 21);
  TResourceStream byNumber(HInstance, 101, "XML");
  char start[6] = {};
  byNumber.ReadBuffer(start, 5);
  EXPECT_STREQ(start, "<?xml");
  TResourceStream byIntResource(HInstance, MAKEINTRESOURCE(77), MAKEINTRESOURCE(1234));
  EXPECT_EQ(byIntResource.GetSize(), 21);

  struct Case {
    LPCSTR name;
    const char* message;
  };
  const Case kCases[] = {{"Nothing", "Resource Nothing not found"}, {MAKEINTRESOURCE(102), "Resource 102 not found"}};
  for (const auto& c : kCases) {
    try {
      TResourceStream missing(HInstance, c.name, "XML");
      FAIL() << "found";
    } catch (const EResNotFound& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(Streams, AdapterReadsWritesAndSeeks) {
  auto* memory = new TMemoryStream;
  TInterfacePtr<IStream> stream(new TStreamAdapter(memory, soOwned));
  ULONG moved = 0;
  EXPECT_EQ(stream->Write("abcdef", 6, &moved), S_OK);
  EXPECT_EQ(moved, 6u);
  ULONGLONG position = 99;
  EXPECT_EQ(stream->Seek(-4, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, 2u);
  char buffer[8] = {};
  EXPECT_EQ(stream->Read(buffer, 8, &moved), S_FALSE);  // short read
  EXPECT_EQ(moved, 4u);
  EXPECT_STREQ(buffer, "cdef");
  STATSTG stat;
  EXPECT_EQ(stream->Stat(&stat, 0), S_OK);
  EXPECT_EQ(stat.cbSize, 6u);
  EXPECT_EQ(stream->SetSize(2), S_OK);
  EXPECT_EQ(memory->GetSize(), 2);
  EXPECT_EQ(stream->Seek(0, 7, nullptr), STG_E_INVALIDFUNCTION);
}

}  // namespace
