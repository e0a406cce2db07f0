// Change notices: inotify watches read on the user-interface thread's timer.

#include "user/ShellNotify.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <vector>

#include "user/Messages.h"
#include "user/ShellNamespace.h"
#include "user/Timers.h"
#include "user/WindowTree.h"

namespace {

constexpr UINT kPollInterval = 100;
// A recursive registration watches the folder and the folders in it, no deeper: the views ask
// for the folder the user looks at.
constexpr size_t kMaxWatches = 512;

struct Registration {
  HWND Window = nullptr;
  UINT Message = 0;
  LONG Events = 0;
  int Fd = -1;
  UINT_PTR Timer = 0;
  std::map<int, std::pair<String, LPITEMIDLIST>> Watches;  // descriptor -> folder path and list
  ~Registration() {
    if (Timer) KillTimer(nullptr, Timer);
    if (Fd >= 0) close(Fd);
    for (auto& [wd, watch] : Watches) ILFree(watch.second);
  }
};

std::map<ULONG, std::unique_ptr<Registration>>& Registrations() {
  static std::map<ULONG, std::unique_ptr<Registration>> registrations;
  return registrations;
}

ULONG gNextRegistration = 1;

void Watch(Registration& Item, const String& Path, LPCITEMIDLIST List) {
  if (Item.Watches.size() >= kMaxWatches) return;
  const int wd = inotify_add_watch(Item.Fd, Path.c_str(),
                                   IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB);
  if (wd < 0 || Item.Watches.count(wd)) return;
  Item.Watches.emplace(wd, std::make_pair(Path, ILClone(List)));
}

LONG EventOf(uint32_t Mask) {
  const bool folder = (Mask & IN_ISDIR) != 0;
  if (Mask & (IN_CREATE | IN_MOVED_TO)) return folder ? SHCNE_MKDIR : SHCNE_CREATE;
  if (Mask & (IN_DELETE | IN_MOVED_FROM)) return folder ? SHCNE_RMDIR : SHCNE_DELETE;
  return folder ? SHCNE_UPDATEDIR : SHCNE_UPDATEITEM;
}

void Poll(HWND, UINT, UINT_PTR Timer, DWORD) {
  // Copied first: a handler may deregister while it runs.
  std::vector<ULONG> ids;
  for (auto& [id, item] : Registrations())
    if (item->Timer == Timer) ids.push_back(id);
  for (ULONG id : ids) {
    alignas(inotify_event) char buffer[8192];
    for (;;) {
      auto found = Registrations().find(id);
      if (found == Registrations().end()) break;
      Registration& item = *found->second;
      const ssize_t got = read(item.Fd, buffer, sizeof buffer);
      if (got <= 0) break;
      std::vector<std::pair<LONG, LPITEMIDLIST>> changes;
      for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
        auto* event = reinterpret_cast<inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        auto watch = item.Watches.find(event->wd);
        if (watch == item.Watches.end() || event->len == 0) continue;
        const LONG code = EventOf(event->mask);
        if (!(item.Events & code)) continue;
        // The item by name below its folder: a deleted one can no longer be parsed.
        LPITEMIDLIST name = ILFromNames({{ShellItemKind::Entry, event->name}});
        changes.emplace_back(code, ILCombine(watch->second.second, name));
        ILFree(name);
      }
      const HWND window = item.Window;
      const UINT message = item.Message;
      for (auto& [code, list] : changes) {
        LPCITEMIDLIST lists[2] = {list, nullptr};
        if (IsWindow(window)) SendMessage(window, message, reinterpret_cast<WPARAM>(lists), code);
        ILFree(list);
      }
    }
  }
}

}  // namespace

ULONG SHChangeNotifyRegister(HWND window, int, LONG events, UINT message, int count, const SHChangeNotifyEntry* entries) {
  if (!window || count <= 0 || !entries) return 0;
  auto item = std::make_unique<Registration>();
  item->Window = window;
  item->Message = message;
  item->Events = events;
  item->Fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (item->Fd < 0) return 0;
  for (int i = 0; i < count; ++i) {
    const String path = ShellPathOf(entries[i].pidl);
    if (path.empty()) continue;
    Watch(*item, path, entries[i].pidl);
    if (!entries[i].fRecursive) continue;
    if (DIR* dir = opendir(path.c_str())) {
      while (dirent* entry = readdir(dir)) {
        const String name = entry->d_name;
        if (name == "." || name == "..") continue;
        const String child = (path == "/" ? "" : path) + "/" + name;
        struct stat status;
        if (stat(child.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) continue;
        LPITEMIDLIST id = ILFromNames({{ShellItemKind::Entry, name}});
        LPITEMIDLIST list = ILCombine(entries[i].pidl, id);
        Watch(*item, child, list);
        ILFree(list);
        ILFree(id);
      }
      closedir(dir);
    }
  }
  if (item->Watches.empty()) return 0;
  item->Timer = SetTimer(nullptr, 0, kPollInterval, &Poll);
  const ULONG id = gNextRegistration++;
  Registrations().emplace(id, std::move(item));
  return id;
}

BOOL SHChangeNotifyDeregister(ULONG registration) { return Registrations().erase(registration) ? TRUE : FALSE; }
