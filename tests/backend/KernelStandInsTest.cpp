#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include "BackendFixture.h"
#include "rtl/FormatSettings.h"
#include "user/LocaleInfo.h"
#include "user/Shell.h"
#include "user/SystemInfo.h"
#include "user/TempFiles.h"
#include "tests/rtl/ScopedEnv.h"

namespace {

String MakeScratch() {
  String dir = testing::TempDir() + "/kernel-XXXXXX";
  return mkdtemp(dir.data()) ? dir : "";
}

}  // namespace

TEST(KernelStandIns, TempFileNamesAreNewPrivateAndUnique) {
  String dir = MakeScratch();
  ASSERT_FALSE(dir.empty());
  std::set<String> names;
  for (int i = 0; i < 40; ++i) {
    char name[MAX_PATH];
    ASSERT_NE(GetTempFileName(dir.c_str(), "tavren", 0, name), 0u);
    names.insert(name);
    struct stat info;
    ASSERT_EQ(stat(name, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(String(name).rfind(dir + "/tav", 0), 0u);
  }
  EXPECT_EQ(names.size(), 40u);
  char name[MAX_PATH];
  ASSERT_EQ(GetTempFileName(dir.c_str(), "x", 0x1F, name), 0x1Fu);
  EXPECT_EQ(String(name), dir + "/x1F.tmp");
  EXPECT_EQ(GetTempFileName(dir.c_str(), "x", 0x1F, name), 0u) << "an existing name is never handed out";
  EXPECT_EQ(GetTempFileName((dir + "/missing").c_str(), "x", 0, name), 0u);
  for (const String& n : names) unlink(n.c_str());
  unlink((dir + "/x1F.tmp").c_str());
  rmdir(dir.c_str());
}

TEST(KernelStandIns, TempPathComesFromTmpdirWithATrailingSlash) {
  ScopedEnv tmp("TMPDIR", "/var/tmp");
  char buffer[MAX_PATH];
  EXPECT_EQ(GetTempPath(MAX_PATH, buffer), 9u);
  EXPECT_STREQ(buffer, "/var/tmp/");
  EXPECT_EQ(GetTempPath(5, buffer), 10u) << "too small: the size needed";
  ScopedEnv none("TMPDIR", "");
  GetTempPath(MAX_PATH, buffer);
  EXPECT_STREQ(buffer, "/tmp/");
}

TEST(KernelStandIns, ShellExecuteStartsProgramsAndFailsQuietlyOtherwise) {
  auto code = [](HINSTANCE h) { return reinterpret_cast<intptr_t>(h); };
  EXPECT_LE(code(ShellExecute(nullptr, "open", "/no/such/program", nullptr, nullptr, 1)), 32);
  EXPECT_LE(code(ShellExecute(nullptr, "open", "", nullptr, nullptr, 1)), 32);
  EXPECT_LE(code(ShellExecute(nullptr, "open", nullptr, nullptr, nullptr, 1)), 32);
  String dir = MakeScratch();
  String marker = dir + "/started";
  String script = dir + "/touch-it";
  {
    std::ofstream out(script);
    out << "#!/bin/sh\ntouch \"$1\"\n";
  }
  chmod(script.c_str(), 0700);
  EXPECT_GT(code(ShellExecute(nullptr, "open", script.c_str(), ("\"" + marker + "\"").c_str(), nullptr, 1)), 32);
  // The program runs on its own; wait (without a time limit that a loaded machine could miss)
  // until it has done its work.
  for (int i = 0; i < 3000 && access(marker.c_str(), F_OK) != 0; ++i) usleep(10000);
  EXPECT_EQ(access(marker.c_str(), F_OK), 0);
  unlink(marker.c_str());
  unlink(script.c_str());
  rmdir(dir.c_str());
}

TEST(KernelStandIns, AReplacedShellExecuteRecordsInsteadOfStarting) {
  std::vector<String> calls;
  TShellExecuteHandler previous = SetShellExecuteHandler(
      [&](HWND, const char* operation, const char* file, const char* parameters, const char*, int show) {
        calls.push_back(String(operation) + "|" + file + "|" + (parameters ? parameters : "") + "|" + std::to_string(show));
        return reinterpret_cast<HINSTANCE>(intptr_t(42));
      });
  EXPECT_FALSE(previous);
  EXPECT_EQ(reinterpret_cast<intptr_t>(ShellExecute(nullptr, "open", "/no/such/program", "/SILENT", nullptr, 1)), 42);
  EXPECT_EQ(calls, std::vector<String>{"open|/no/such/program|/SILENT|1"});
  EXPECT_TRUE(SetShellExecuteHandler(nullptr));
  EXPECT_LE(reinterpret_cast<intptr_t>(ShellExecute(nullptr, "open", "/no/such/program", nullptr, nullptr, 1)), 32);
  EXPECT_EQ(calls.size(), 1u);
}

TEST(KernelStandIns, SpecialFoldersFollowTheUserDirectories) {
  String home = MakeScratch();
  ASSERT_FALSE(home.empty());
  ScopedEnv homeEnv("HOME", home);
  ScopedEnv config("XDG_CONFIG_HOME", "");
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PERSONAL, FALSE));
  EXPECT_EQ(String(path), home) << "no user directories: the home folder";

  mkdir((home + "/.config").c_str(), 0700);
  {
    std::ofstream dirs(home + "/.config/user-dirs.dirs");
    dirs << "# written by a tool\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\nXDG_VIDEOS_DIR=\"/srv/videos\"\n"
            "XDG_MUSIC_DIR=\"$HOME/\"\n";
  }
  struct Case { int csidl; String expected; };
  const Case cases[] = {{CSIDL_PERSONAL, home + "/Papiere"},
                        {CSIDL_MYVIDEO, "/srv/videos"},
                        {CSIDL_MYMUSIC, home},
                        {CSIDL_APPDATA, home + "/.config"},
                        {CSIDL_LOCAL_APPDATA, home + "/.local/share"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.csidl);
    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, c.csidl, FALSE));
    EXPECT_EQ(String(path), c.expected);
  }
  EXPECT_EQ(SHGetFolderPath(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
  struct stat info;
  EXPECT_EQ(stat((home + "/Papiere").c_str(), &info), 0);
  EXPECT_EQ(SHGetFolderPath(nullptr, 0x7777, nullptr, 0, path), E_INVALIDARG);

  ScopedEnv longHome("HOME", "/" + String(300, 'a'));
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROFILE, FALSE)) << "too long for MAX_PATH: refused";
  std::system(("rm -rf '" + home + "'").c_str());
}

TEST(KernelStandIns, VersionModuleAndLocale) {
  OSVERSIONINFO info;
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.dwMajorVersion, 5u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  OSVERSIONINFOEX ex;
  EXPECT_TRUE(GetVersionEx(&ex));
  info.dwOSVersionInfoSize = 100;
  EXPECT_FALSE(GetVersionEx(&info));

  char module[MAX_PATH];
  DWORD length = GetModuleFileName(nullptr, module, MAX_PATH);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(String(module).substr(String(module).rfind('/') + 1), "backend_tests");
  char small[4];
  EXPECT_EQ(GetModuleFileName(nullptr, small, 4), 4u);
  EXPECT_EQ(small[3], 0);

  struct Case { LCTYPE type; String expected; };
  const TFormatSettings& fs = FormatSettings;
  const Case cases[] = {{LOCALE_SDECIMAL, String(1, fs.DecimalSeparator)},
                        {LOCALE_SSHORTDATE, fs.ShortDateFormat},
                        {LOCALE_SDAYNAME1, fs.LongDayNames[1]},
                        {LOCALE_SDAYNAME1 + 6, fs.LongDayNames[0]},
                        {LOCALE_SABBREVMONTHNAME1 + 11, fs.ShortMonthNames[11]},
                        {LOCALE_ICALENDARTYPE, "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    char buffer[80];
    ASSERT_GT(GetLocaleInfo(LOCALE_USER_DEFAULT, c.type, buffer, sizeof buffer), 0);
    EXPECT_EQ(String(buffer), c.expected);
  }
  char first[4];
  ASSERT_EQ(GetLocaleInfo(GetUserDefaultLCID(), LOCALE_IFIRSTDAYOFWEEK, first, 4), 2);
  EXPECT_GE(first[0], '0');
  EXPECT_LE(first[0], '6');
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0),
            static_cast<int>(fs.ShortDateFormat.size()) + 1);
  char tiny[1];
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, tiny, 1), 0);
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7FFF, tiny, 1), 0);
}
