// The manager's background pictures for bars and menu windows.

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarBackgrounds,
    PROPERTY(Bar),
    PROPERTY(SubMenu))

TqzBarBackgrounds::TqzBarBackgrounds(TqzBarManager* ABarManager)
    : TqzBarPersistent(ABarManager),
      FBar(CreateNotifyingBitmap(MakeEvent<&TqzBarBackgrounds::BackgroundsChanged>(this))),
      FSubMenu(std::make_unique<TBitmap>()) {}

TqzBarBackgrounds::~TqzBarBackgrounds() {
  FSubMenu.reset();
  FBar.reset();
}

void TqzBarBackgrounds::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarBackgrounds*>(Source);
  if (!source) {
    TqzBarPersistent::Assign(Source);
    return;
  }
  SetBar(source->GetBar());
  SetSubMenu(source->GetSubMenu());
}

void TqzBarBackgrounds::SetBar(TBitmap* Value) {
  bool changed = Value || !FBar->GetEmpty();
  // The bitmap's own change notice would restyle once more: the change is told once, below.
  TNotifyEvent notify = FBar->GetOnChange();
  FBar->SetOnChange(TNotifyEvent());
  try {
    FBar->Assign(Value);
  } catch (...) {
    FBar->SetOnChange(notify);
    throw;
  }
  FBar->SetOnChange(notify);
  if (changed) BackgroundsChanged();
}

void TqzBarBackgrounds::BackgroundsChanged(TObject*) {
  if (GetBarManager()) GetBarManager()->StyleChanged();
}
