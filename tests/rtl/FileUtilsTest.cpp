#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "ScratchDir.h"

TEST(FileUtils, NameRoutinesTakeBothDelimiters) {
  struct Case {
    const char *path, *name, *filePath, *dir, *ext;
  };
  const Case cases[] = {
      {"/home/u/clip.avi", "clip.avi", "/home/u/", "/home/u", ".avi"},
      {"C:\\Videos\\clip.mp4", "clip.mp4", "C:\\Videos\\", "C:\\Videos", ".mp4"},
      {"out/sub\\a.b.wmv", "a.b.wmv", "out/sub\\", "out/sub", ".wmv"},
      {"clip", "clip", "", "", ""},
      {"/clip", "clip", "/", "/", ""},
      {"dir.d/clip", "clip", "dir.d/", "dir.d", ""},
      {"dir/", "", "dir/", "dir", ""},
      {"a//b", "b", "a//", "a//", ""},
      {".hidden", ".hidden", "", "", ".hidden"},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ExtractFileName(c.path), c.name);
    EXPECT_EQ(ExtractFilePath(c.path), c.filePath);
    EXPECT_EQ(ExtractFileDir(c.path), c.dir);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
  }
  EXPECT_EQ(ChangeFileExt("a/clip.avi", ".wmv"), "a/clip.wmv");
  EXPECT_EQ(ChangeFileExt("a.d\\clip", ".wmv"), "a.d\\clip.wmv");
  EXPECT_EQ(ChangeFileExt("clip.avi", ""), "clip");
  EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("a\\"), "a\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a\\"), "a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("a"), "a");
  EXPECT_TRUE(IsPathDelimiter("a\\b", 2));
  EXPECT_FALSE(IsPathDelimiter("a\\b", 3));
  EXPECT_EQ(NativePath("a\\b/c"), "a/b/c");
  EXPECT_EQ(ExpandFileName("/a/./b/../c\\d"), "/a/c/d");
  EXPECT_EQ(ExpandFileName("/../x/"), "/x/");
  EXPECT_EQ(ExpandFileName("rel"), IncludeTrailingPathDelimiter(GetCurrentDir()) + "rel");
}

TEST(FileUtils, FilesAndDirectories) {
  ScratchDir scratch;
  const String root = scratch.Path();
  EXPECT_TRUE(DirectoryExists(root));
  EXPECT_FALSE(FileExists(root));
  EXPECT_TRUE(ForceDirectories(root + "\\one/two\\three"));
  EXPECT_TRUE(DirectoryExists(root + "/one/two/three"));
  EXPECT_TRUE(ForceDirectories(root + "/one/two/"));
  EXPECT_FALSE(ForceDirectories(""));

  scratch.Write("a.txt", "abc");
  EXPECT_FALSE(ForceDirectories(root + "/a.txt/sub"));  // a file stands in the way
  EXPECT_TRUE(FileExists(root + "\\a.txt"));
  EXPECT_FALSE(DirectoryExists(root + "/a.txt"));
  EXPECT_FALSE(DeleteFile(root + "/one"));  // never a directory
  EXPECT_TRUE(RenameFile(root + "/a.txt", root + "/b.txt"));
  EXPECT_FALSE(FileExists(root + "/a.txt"));
  scratch.Write("c.txt", "c");
  EXPECT_FALSE(RenameFile(root + "/b.txt", root + "/c.txt"));  // does not replace
  EXPECT_EQ(scratch.Read("c.txt"), "c");
  EXPECT_TRUE(DeleteFile(root + "/b.txt"));
  EXPECT_FALSE(DeleteFile(root + "/b.txt"));

  TDateTime age;
  const TDateTime stamp = EncodeDate(2021, 6, 15) + EncodeTime(10, 20, 30, 0);
  EXPECT_EQ(FileSetDate(root + "/c.txt", stamp), 0);
  ASSERT_TRUE(FileAge(root + "/c.txt", age));
  EXPECT_NEAR(age, stamp, 1.0 / SecsPerDay);
  EXPECT_FALSE(FileAge(root + "/none", age));
  EXPECT_NE(FileSetDate(root + "/none", stamp), 0);
}

TEST(FileUtils, FindFirstFiltersByMaskAndAttributes) {
  ScratchDir scratch;
  scratch.Write("b.SKN", "12345");
  scratch.Write("a.skn", "1");
  scratch.Write("c.xml", "");
  scratch.Write(".hidden.skn", "");
  std::filesystem::create_directory(scratch.File("sub.skn"));

  const auto find = [&](const String& mask, Integer attr) {
    std::vector<String> names;
    TSearchRec rec;
    for (Integer r = FindFirst(scratch.Path() + "\\" + mask, attr, rec); r == 0; r = FindNext(rec))
      names.push_back(rec.Name);
    FindClose(rec);
    return names;
  };
  EXPECT_EQ(find("*.skn", 0), (std::vector<String>{"a.skn", "b.SKN"}));
  EXPECT_EQ(find("*.skn", faDirectory), (std::vector<String>{"a.skn", "b.SKN", "sub.skn"}));
  EXPECT_EQ(find("*.skn", faAnyFile), (std::vector<String>{".hidden.skn", "a.skn", "b.SKN", "sub.skn"}));
  EXPECT_EQ(find("?.*", 0), (std::vector<String>{"a.skn", "b.SKN", "c.xml"}));
  EXPECT_EQ(find("*.*", faDirectory), (std::vector<String>{".", "..", "a.skn", "b.SKN", "c.xml", "sub.skn"}));

  TSearchRec rec;
  ASSERT_EQ(FindFirst(scratch.File("b.skn"), faAnyFile, rec), 0);
  EXPECT_EQ(rec.Size, 5);
  EXPECT_EQ(rec.Attr & faDirectory, 0);
  EXPECT_GT(rec.TimeStamp, EncodeDate(2020, 1, 1));
  EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);
  FindClose(rec);
  EXPECT_EQ(FindFirst(scratch.File("*.none"), faAnyFile, rec), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirst(scratch.File("missing/*"), faAnyFile, rec), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);
}
