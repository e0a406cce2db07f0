#include "RibbonTestSupport.h"

#include <cstdlib>
#include <filesystem>

#include "rtl/Streams.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"

bool SaveRibbonPicture(RibbonSurface& Surface, const std::string& Name) {
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (!root || !*root) return false;
  std::filesystem::create_directories(root);
  Surface.bitmap.MakeOpaque();
  TqzPNGImage picture;
  picture.SetBitmap(&Surface.bitmap);
  TFileStream out((std::filesystem::path(root) / (Name + ".png")).string(), fmCreate);
  picture.SaveToStream(&out);
  return true;
}
