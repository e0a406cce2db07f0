// The skin controller: the root look-and-feel's skin, the skin switch, and the choice of a skin
// painter for each form.

#include <algorithm>

#include "toolkit/skins/qzSkinsForm.h"
#include "user/User.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzSkinController,
    PROPERTY(UseSkins).Default(true),
    PROPERTY(OnSkinForm),
    PROPERTY(OnSkinControl))

namespace {

std::vector<TqzSkinController*> skinControllers;

// Answers 1 when the form keeps the platform's frame.
bool RefusesSkins(TCustomForm* Form) {
  return Form && Form->HandleAllocated() && SendMessage(Form->GetHandle(), KVM_SKINFORMMESSAGE, 0, 0) == 1;
}

bool BeingDestroyed(TqzSkinController* Controller) {
  return Controller->GetComponentState().Contains(csDestroying);
}

String NameOf(TqzSkinLookAndFeelPainter* Painter) {
  String name;
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  if (Painter && registry) registry->NameOfPainter(Painter, name);
  return name;
}

}  // namespace

const std::vector<TqzSkinController*>& SkinControllers() { return skinControllers; }

TqzSkinController::TqzSkinController(TComponent* AOwner) : TkvLookAndFeelController(AOwner) {
  skinControllers.push_back(this);
  RefreshSkinnedWindows();
}

TqzSkinController::~TqzSkinController() {
  skinControllers.erase(std::remove(skinControllers.begin(), skinControllers.end(), this), skinControllers.end());
  RefreshSkinnedWindows();
}

bool TqzSkinController::AcceptsControl(TWinControl* Control) {
  if (!Control) return false;
  bool useSkin = true;
  FOnSkinControl(this, Control, useSkin);
  return useSkin;
}

TqzSkinLookAndFeelPainter* TqzSkinController::FormPainter(TCustomForm* Form) {
  TqzSkinName name;
  bool useSkin = false;
  if (!RefusesSkins(Form)) {
    name = GetSkinName();
    useSkin = UseSkins;
  }
  return ChoosePainter(Form, name, useSkin);
}

TqzSkinLookAndFeelPainter* TqzSkinController::ChoosePainter(TCustomForm* Form, TqzSkinName& SkinName,
                                                             bool& UseSkin) {
  if (!Form) return nullptr;
  FOnSkinForm(this, Form, UseSkin, SkinName);
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  TkvCustomLookAndFeelPainterClass painter = nullptr;
  if (!UseSkin || SkinName.empty() || !registry || !registry->LookupPainter(SkinName, painter)) return nullptr;
  return dynamic_cast<TqzSkinLookAndFeelPainter*>(painter);
}

void TqzSkinController::Loaded() {
  inherited::Loaded();
  RefreshSkinnedWindows();
}

void TqzSkinController::MasterValuesChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) {
  inherited::MasterValuesChanged(Sender, ChangedValues);
  RefreshSkinnedWindows();
}

void TqzSkinController::MasterDestroying(TkvLookAndFeel* Sender) {
  inherited::MasterDestroying(Sender);
  RefreshSkinnedWindows();
}

bool TqzSkinController::GetUseSkins() const { return UseSkins; }

void TqzSkinController::SetUseSkins(bool Value) {
  if (Value == UseSkins) return;
  UseSkins = Value;
  if (TkvLookAndFeel* root = TopLookAndFeel()) root->NotifyAllValuesChanged();
  RefreshSkinnedWindows();
}

// ---- Form painters --------------------------------------------------------------------------

void TqzSkinFormController::InitPainter() {
  auto* form = dynamic_cast<TCustomForm*>(Control());
  TqzSkinLookAndFeelPainter* painter = nullptr;
  for (size_t i = 0; i < skinControllers.size() && !painter; ++i) {
    if (i == 0) {
      painter = skinControllers[i]->FormPainter(form);
    } else {
      TqzSkinName name = NameOf(Painter());
      bool useSkin = !name.empty();
      painter = skinControllers[i]->ChoosePainter(form, name, useSkin);
    }
  }
  SetPainter(painter);
}

void TqzSkinFormController::ChooseFormPainter() {
  auto* form = dynamic_cast<TCustomForm*>(Control());
  for (auto it = skinControllers.rbegin(); it != skinControllers.rend(); ++it) {
    if (BeingDestroyed(*it)) continue;
    if (!Painter()) {
      SetPainter((*it)->FormPainter(form));
    } else if (RefusesSkins(form)) {
      SetPainter(nullptr);
    } else {
      TqzSkinName name = NameOf(Painter());
      bool useSkin = true;
      SetPainter((*it)->ChoosePainter(form, name, useSkin));
    }
  }
}
