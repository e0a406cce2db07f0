#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "FuzzTarget.h"

namespace {

std::map<std::string, TFuzzTarget>& Targets() {
  static std::map<std::string, TFuzzTarget> targets;
  return targets;
}

}  // namespace

bool RegisterFuzzTarget(const char* name, TFuzzTarget target) {
  Targets()[name] = target;
  return true;
}

// Every harness takes the empty input and each input kept for it: the crashers that were found
// (mended since) and the seeds its fuzzer starts from. A fault shows as a crash, a sanitizer
// report or an exception escaping the harness.
TEST(FuzzReplay, EveryKeptInputRunsCleanly) {
  ASSERT_FALSE(Targets().empty());
  for (const auto& [name, target] : Targets()) {
    SCOPED_TRACE(name);
    target(nullptr, 0);
    const std::filesystem::path folder = std::filesystem::path(TAVREN_FUZZ_INPUTS) / name;
    if (!std::filesystem::is_directory(folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      SCOPED_TRACE(entry.path().filename().string());
      std::ifstream file(entry.path(), std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
      EXPECT_NO_THROW(target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }
  }
}
