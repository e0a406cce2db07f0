// File types from the shared MIME database: the system's, and a user's own database laid over it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "../rtl/ScopedEnv.h"
#include "rtl/FileUtils.h"
#include "user/MimeTypes.h"

namespace {

class MimeTypesTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavren-mime-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    root = pattern;
    ASSERT_TRUE(ForceDirectories(root + "/mime/application"));
    std::ofstream(root + "/mime/globs2") << "# user types\n"
                                            "90:application/x-skin:*.skn\n"
                                            "55:text/x-notes:NOTES.TXT:cs\n"
                                            "broken line\n"
                                            "60:application/x-backup:*.mp4.bak\n";
    std::ofstream(root + "/mime/generic-icons") << "application/x-skin:image-x-generic\n";
    std::ofstream(root + "/mime/application/x-skin.xml")
        << "<mime-type type=\"application/x-skin\"><comment xml:lang=\"de\">Oberfl&#228;che</comment>"
           "<comment>Player skin &amp; layout</comment></mime-type>";
  }
  void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
  String root;
};

TEST_F(MimeTypesTest, NamesDescribesAndPicturesTypes) {
  ScopedEnv data("XDG_DATA_HOME", root);
  ScopedEnv dirs("XDG_DATA_DIRS", "/usr/share");
  struct Case {
    String name, type, comment, icon;
  } cases[] = {
      {"clip.mp4", "video/mp4", "MPEG-4 video", "video-x-generic"},
      {"CLIP.MP4", "video/mp4", "MPEG-4 video", "video-x-generic"},
      {"clip.mp4.bak", "application/x-backup", "", "application-x-generic"},  // the longer pattern
      {"theme.SKN", "application/x-skin", "Player skin & layout", "image-x-generic"},
      {"NOTES.TXT", "text/x-notes", "", "text-x-generic"},
      {"notes.txt", "text/plain", "plain text document", "text-x-generic"},  // a case-sensitive pattern
      {"no-extension", "", "", ""},
  };
  for (const Case& c : cases) {
    String type = MimeTypeOfName(c.name);
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(MimeTypeComment(type), c.comment) << c.name;
    EXPECT_EQ(MimeGenericIcon(type), c.icon) << c.name;
  }
  EXPECT_EQ(MimeTypeComment("../../etc/passwd"), "");
}

}  // namespace
