#include "toolkit/skins/qzSkinRegistration.h"

#include <cstdio>
#include <memory>

#include "rtl/Resources.h"

TqzSkinRegistration::TqzSkinRegistration(String ASkinName, String ARegisteredName,
                                         TkvCustomLookAndFeelPainterClass APainter, bool AUserSkin)
    : FSkinName(std::move(ASkinName)),
      FRegisteredName(std::move(ARegisteredName)),
      FPainter(APainter),
      FUserSkin(AUserSkin) {}

void TqzSkinRegistration::Load() {
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  if (FInfo || !registry || !GdiPlusReady()) return;
  std::unique_ptr<TqzSkinLookAndFeelPainterInfo> info;
  try {
    auto* skin = new TqzSkin(FSkinName, false, nullptr);
    std::unique_ptr<TqzSkin> owned(skin);
    skin->LoadFromResource(HInstance);
    owned.release();
    info.reset(FUserSkin ? new TqzSkinUserLookAndFeelPainterInfo(skin) : new TqzSkinLookAndFeelPainterInfo(skin));
  } catch (const Exception& e) {
    std::fprintf(stderr, "The skin %s is left out: %s\n", FSkinName.c_str(), e.Message().c_str());
    return;
  }
  if (registry->AddPainter(FRegisteredName, FPainter, info.get())) FInfo = info.release();
}

void TqzSkinRegistration::Unload() {
  if (!FInfo) return;
  FInfo = nullptr;
  if (TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance()) registry->RemovePainter(FRegisteredName);
}
