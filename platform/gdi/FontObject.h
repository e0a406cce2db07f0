#pragma once
// The font object behind an HFONT, for the units that draw text.

#include <memory>

#include "gdi/FontEngine.h"
#include "gdi/GdiObjects.h"

class DeviceContext;

class FontObject : public GdiObject {
 public:
  explicit FontObject(const LOGFONT& font);

  const LOGFONT& LogFont() const { return logFont_; }
  // Made on first use and shared with every font of the same size and face.
  FontInstance& Instance();

  int GetObjectRecord(int size, void* buffer) const override;

 private:
  LOGFONT logFont_;
  std::shared_ptr<FontInstance> instance_;
};

// The font selected into the DC (the stock system font when nothing else is).
FontObject* SelectedFont(const DeviceContext& dc);
