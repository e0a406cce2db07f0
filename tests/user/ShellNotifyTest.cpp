// Change notices of a folder, sent to a window on the user-interface thread as the clock runs.

#include <unistd.h>

#include <fstream>

#include "UserTestSupport.h"
#include "rtl/FileUtils.h"
#include "user/ShellNamespace.h"
#include "user/ShellNotify.h"

namespace {

using ShellNotifyTest = UserTest;

constexpr UINT kNotice = WM_USER + 7;

TEST_F(ShellNotifyTest, CreatedDeletedAndMadeItemsReachTheWindowWithTheirLists) {
  char pattern[] = "/tmp/tavren-notify-XXXXXX";
  ASSERT_TRUE(mkdtemp(pattern));
  const String folder = pattern;
  ASSERT_TRUE(ForceDirectories(folder + "/inner"));
  LPITEMIDLIST list = nullptr;
  ASSERT_EQ(ShellParsePath(folder, &list), S_OK);
  HWND window = Create(WS_OVERLAPPED, {0, 0, 100, 100});
  std::vector<std::pair<LPARAM, String>> seen;
  handlers[window] = [&](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
    if (message != kNotice) return false;
    auto* lists = reinterpret_cast<LPCITEMIDLIST*>(wParam);
    seen.emplace_back(lParam, ShellPathOf(lists[0]));
    EXPECT_EQ(lists[1], nullptr);
    return true;
  };
  SHChangeNotifyEntry entry;
  entry.pidl = list;
  entry.fRecursive = TRUE;
  const ULONG id = SHChangeNotifyRegister(window, SHCNRF_ShellLevel, SHCNE_DISKEVENTS, kNotice, 1, &entry);
  ASSERT_NE(id, 0u);
  std::ofstream(folder + "/a.txt") << "x";
  ASSERT_TRUE(ForceDirectories(folder + "/made"));
  std::ofstream(folder + "/inner/deep.txt") << "x";  // the folder's own folders are watched too
  clock.Advance(150);
  Pump();
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[0], (std::pair<LPARAM, String>{SHCNE_CREATE, folder + "/a.txt"}));
  EXPECT_TRUE(std::find(seen.begin(), seen.end(), std::pair<LPARAM, String>{SHCNE_MKDIR, folder + "/made"}) !=
              seen.end());
  EXPECT_TRUE(std::find(seen.begin(), seen.end(),
                        std::pair<LPARAM, String>{SHCNE_CREATE, folder + "/inner/deep.txt"}) != seen.end());
  seen.clear();
  unlink((folder + "/a.txt").c_str());
  clock.Advance(150);
  Pump();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].first, SHCNE_DELETE);
  EXPECT_EQ(seen[0].second, folder + "/a.txt");  // the list still names what went
  EXPECT_TRUE(SHChangeNotifyDeregister(id));
  EXPECT_FALSE(SHChangeNotifyDeregister(id));
  seen.clear();
  std::ofstream(folder + "/b.txt") << "x";
  clock.Advance(150);
  Pump();
  EXPECT_TRUE(seen.empty());
  handlers.erase(window);
  ILFree(list);
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace
