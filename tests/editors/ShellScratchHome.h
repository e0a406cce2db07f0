#pragma once
// A scratch home folder for the shell controls' tests: folders and files under a fresh temporary
// folder, the environment pointing the shell there (home, XDG folders, a one-line mount table),
// all gone again with the object.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <utility>
#include <vector>

#include "../rtl/ScopedEnv.h"
#include "rtl/FileUtils.h"

class ScratchHome {
 public:
  // Folders and files are relative to the home folder; a file is (name, content).
  ScratchHome(std::initializer_list<const char*> Folders,
              std::initializer_list<std::pair<const char*, std::string>> Files) {
    char pattern[] = "/tmp/tavren-shell-XXXXXX";
    if (mkdtemp(pattern)) root = pattern;
    home = root + "/home";
    EXPECT_TRUE(ForceDirectories(home + "/.config"));
    for (const char* folder : Folders) EXPECT_TRUE(ForceDirectories(home + "/" + folder)) << folder;
    for (const auto& [name, content] : Files) std::ofstream(home + "/" + name) << content;
    std::ofstream(root + "/mountinfo") << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
    env.push_back(std::make_unique<ScopedEnv>("HOME", home));
    env.push_back(std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", home + "/.config"));
    env.push_back(std::make_unique<ScopedEnv>("XDG_DATA_HOME", home + "/.local/share"));
    env.push_back(std::make_unique<ScopedEnv>("TAVREN_MOUNTINFO", root + "/mountinfo"));
  }
  ~ScratchHome() {
    env.clear();
    if (!root.empty()) std::system(("rm -rf '" + root + "'").c_str());
  }
  ScratchHome(const ScratchHome&) = delete;
  ScratchHome& operator=(const ScratchHome&) = delete;

  std::string root, home;

 private:
  std::vector<std::unique_ptr<ScopedEnv>> env;
};
