// Binary form data as the reader hands it to pictures (a class name, then the graphic's own data)
// and to image lists (the platform list's stream): a damaged blob raises the reader's error and
// leaves the component as it was.

#include "FuzzTarget.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"
#include "toolkit/foundation/kvGraphics.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"

namespace {

class TFuzzPictureHolder : public TComponent {
  TAVREN_CLASS(TFuzzPictureHolder, TComponent)
 public:
  using TComponent::TComponent;
  TPicture* GetPicture() { return &FPicture; }
  void SetPicture(TPicture* Value) { FPicture.Assign(Value); }

 private:
  TPicture FPicture;
};

String Hex(const uint8_t* data, size_t size) {
  String hex;
  hex.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) hex += IntToHex(data[i], 2);
  return hex;
}

void Read(const String& text, TComponent* root) {
  try {
    ReadComponentFromText(text, root);
  } catch (const Exception&) {
  }
}

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TFuzzPictureHolder, PROPERTY(Picture))

TAVREN_FUZZ_TARGET(FormData) {
  const String blob = "{" + Hex(data, size) + "}\nend\n";
  TFuzzPictureHolder holder(nullptr);
  Read("object H: TFuzzPictureHolder\n  Picture.Data = " + blob, &holder);
  TImageList list(nullptr);
  Read("object L: TImageList\n  Bitmap = " + blob, &list);
  if (list.GetCount() > 0) list.Delete(0);
  TkvImageList kvList(nullptr);
  Read("object L: TkvImageList\n  Bitmap = " + blob, &kvList);
  if (kvList.GetCount() > 0) kvList.Delete(0);
}
