// Draws the built-in skins and the user skin from their descriptions and writes each as a skin
// stream:
//   skin-builder <description folder> <output folder>
// reads skin01.skin ... skin20.skin and user.skin, writes skin01.qzskin ... skin20.qzskin and
// defaultuserskindata.qzskin. The same descriptions give the same bytes.

#include <cstdio>
#include <exception>
#include <string>

#include "Catalogue.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "rtl/Streams.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "toolkit/skins/qzSkinsCore.h"

namespace {

void Build(const std::string& Source, const std::string& Output) {
  std::unique_ptr<TqzSkin> skin = AssembleSkin(ReadDescription(Source));
  TFileStream stream(Output, fmCreate);
  skin->SaveToStream(&stream);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skin-builder <description folder> <output folder>\n");
    return 2;
  }
  const std::string in = argv[1], out = argv[2];
  // Only the units skins are made with: texts, the graphics library and its PNG pictures.
  RtlStart();
  GdiStart();
  kvClassesStart();
  qzGDIPlusAPIStart();
  qzGDIPlusClassesStart();
  qzSkinsCoreStart();
  int result = 0;
  try {
    for (int n = 1; n <= 20; ++n) {
      char name[16];
      std::snprintf(name, sizeof name, "skin%02d", n);
      Build(in + "/" + name + ".skin", out + "/" + name + ".qzskin");
    }
    Build(in + "/user.skin", out + "/defaultuserskindata.qzskin");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skin-builder: %s\n", e.what());
    result = 1;
  }
  qzSkinsCoreEnd();
  qzGDIPlusClassesEnd();
  qzGDIPlusAPIEnd();
  kvClassesEnd();
  GdiEnd();
  RtlEnd();
  return result;
}
