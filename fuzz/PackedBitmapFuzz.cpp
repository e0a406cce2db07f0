// The packed bitmap data of the toolkit's bitmaps in form data, and its run decoder.

#include "FuzzTarget.h"
#include "rtl/Streams.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {

class TFuzzBitmap : public TkvBitmap {
 public:
  using TkvBitmap::TkvBitmap;
  using TkvCustomBitmap::ReadData;
};

}  // namespace

TAVREN_FUZZ_TARGET(PackedBitmap) {
  UnpackBytes(data, size);
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<Integer>(size));
  stream.SetPosition(0);
  TFuzzBitmap bitmap;
  try {
    bitmap.ReadData(&stream);
  } catch (const Exception&) {  // damaged data raises the reader's error
  }
}
