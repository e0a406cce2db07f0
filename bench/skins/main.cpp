// Loading and binding each built-in skin from the resources, against reading the same stream's
// bytes: the start-up cost the skins add, per skin and in all. Then a skinned form's painting
// (FormsBench.cpp).

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "FormsBench.h"
#include "backend/HeadlessBackend.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/Resources.h"
#include "rtl/RtlUnits.h"
#include "rtl/Streams.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/skins/qzSkinInfo.h"
#include "toolkit/skins/SkinsUnits.h"
#include "toolkit/skins/qzSkinsCore.h"
#include "user/User.h"
#include "user/UserUnits.h"
#include "vcl/VclUnits.h"
#include "toolkit/foundation/FoundationUnits.h"

namespace {

using Timing = std::chrono::steady_clock;
constexpr int kRounds = 20;

double Milliseconds(Timing::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The least time of kRounds runs of Work; what Work answers is freed after the clock stops.
template <class F>
double Best(F Work) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    Timing::time_point start = Timing::now();
    auto result = Work();
    best = std::min(best, Milliseconds(Timing::now() - start));
  }
  return best;
}

}  // namespace

int main() {
  RtlStart();
  GdiStart();
  UserStart();
  HeadlessBackend screen;
  SetDisplayBackend(&screen);
  ControlsStart();
  VclStart();
  FoundationStart();
  SkinsStart();
  std::vector<std::string> names;
  for (int n = 1; n <= 20; ++n) names.push_back("Skin" + std::string(n < 10 ? "0" : "") + std::to_string(n));
  names.push_back("DefaultUserSkinData");

  std::printf("%-20s %9s %10s %9s %7s\n", "skin", "bytes", "load+bind", "read", "ratio");
  double totalLoad = 0, totalRead = 0, worstLoad = 0, worstRatio = 0;
  for (const std::string& name : names) {
    Int64 size = 0;
    const double read = Best([&] {
      TResourceStream stream(HInstance, name, "QZSKINS");
      std::vector<Byte> bytes(static_cast<size_t>(stream.GetSize()));
      stream.ReadBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
      size = stream.GetSize();
      return bytes;
    });
    const double load = Best([&] { return std::make_unique<TqzSkinInfo>(new TqzSkin(name, true, HInstance)); });
    std::printf("%-20s %9lld %8.3fms %7.4fms %6.1fx\n", name.c_str(), static_cast<long long>(size), load, read,
                load / read);
    totalLoad += load;
    totalRead += read;
    worstLoad = std::max(worstLoad, load);
    worstRatio = std::max(worstRatio, load / read);
  }
  std::printf("all 21: load and bind %.2f ms, read %.3f ms; slowest skin %.3f ms (goal 2 ms), "
              "largest ratio %.1fx (goal 50x)\n",
              totalLoad, totalRead, worstLoad, worstRatio);

  BenchSkinnedForm();

  SkinsEnd();
  FoundationEnd();
  VclEnd();
  ControlsEnd();
  SetDisplayBackend(nullptr);
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
