#include "toolkit/foundation/kvLookAndFeels.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Messages.h"
#include "user/MessageNumbers.h"
#include "vcl/AllocateHWnd.h"
#include "vcl/Forms.h"

bool UseSkins = true;

namespace {

TkvLookAndFeel* GRoot = nullptr;

// ---- The shared palette listener ----------------------------------------------------------

class TkvSystemPaletteChangedListener : public TObject {
  TAVREN_CLASS(TkvSystemPaletteChangedListener, TObject)
 public:
  TkvSystemPaletteChangedListener() {
    Office11ColorsAddRef();
    FWindow = AllocateHWnd(MakeEvent<&TkvSystemPaletteChangedListener::WndProc>(this));
  }
  ~TkvSystemPaletteChangedListener() override {
    DeallocateHWnd(FWindow);
    Office11ColorsRelease();
  }

  void AddNotifier(TkvSystemPaletteChangedNotifier* Notifier) {
    ListOf(Notifier).push_back(Notifier);
  }
  void RemoveNotifier(TkvSystemPaletteChangedNotifier* Notifier) {
    auto& list = ListOf(Notifier);
    list.erase(std::remove(list.begin(), list.end(), Notifier), list.end());
  }
  bool Empty() const { return FPrimary.empty() && FOthers.empty(); }
  HWND Window() const noexcept { return FWindow; }

 private:
  std::vector<TkvSystemPaletteChangedNotifier*>& ListOf(TkvSystemPaletteChangedNotifier* Notifier) {
    return Notifier->GetIsPrimary() ? FPrimary : FOthers;
  }

  // Last to first; a notifier that goes while another fires is skipped, never read after.
  static void FireAll(std::vector<TkvSystemPaletteChangedNotifier*>& List) {
    for (size_t i = List.size(); i > 0; --i) {
      if (i > List.size()) continue;
      List[i - 1]->Fire();
    }
  }

  void WndProc(TMessage& Message) {
    if (Message.Msg == WM_SYSCOLORCHANGE) {
      Office11ColorsReload();
      FireAll(FPrimary);
      FireAll(FOthers);
    }
    Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
  }

  HWND FWindow = nullptr;
  std::vector<TkvSystemPaletteChangedNotifier*> FPrimary;
  std::vector<TkvSystemPaletteChangedNotifier*> FOthers;
};

TkvSystemPaletteChangedListener* GPaletteListener = nullptr;

TkvSystemPaletteChangedListener* AcquirePaletteListener() {
  if (!GPaletteListener) GPaletteListener = new TkvSystemPaletteChangedListener;
  return GPaletteListener;
}

void ReleasePaletteListener() {
  if (GPaletteListener && GPaletteListener->Empty()) {
    delete GPaletteListener;
    GPaletteListener = nullptr;
  }
}

}  // namespace

TAVREN_CLASS_IMPL(TkvSystemPaletteChangedListener)

// ---- Palette notifier ---------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvSystemPaletteChangedNotifier)

TkvSystemPaletteChangedNotifier::TkvSystemPaletteChangedNotifier(bool AIsPrimary) : FIsPrimary(AIsPrimary) {
  AcquirePaletteListener()->AddNotifier(this);
}

TkvSystemPaletteChangedNotifier::~TkvSystemPaletteChangedNotifier() {
  if (GPaletteListener) {
    GPaletteListener->RemoveNotifier(this);
    ReleasePaletteListener();
  }
}

void TkvSystemPaletteChangedNotifier::Fire() { FOnPaletteChanged(); }

HWND PaletteListenerWindow() { return GPaletteListener ? GPaletteListener->Window() : nullptr; }

// ---- Look-and-feel ------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvLookAndFeel,
    PROPERTY(AssignedValues).Stored(false),
    PROPERTY(Kind).Stored<&TkvLookAndFeel::IsKindStored>(),
    PROPERTY(NativeStyle).Stored<&TkvLookAndFeel::IsNativeStyleStored>(),
    PROPERTY(SkinName).Stored<&TkvLookAndFeel::IsSkinNameStored>())

TkvLookAndFeel::TkvLookAndFeel(TPersistent* AOwner) : TkvInterfacedPersistent(AOwner) {
  FPaletteNotifier = std::make_unique<TkvSystemPaletteChangedNotifier>(false);
  FPaletteNotifier->SetOnPaletteChanged(MakeEvent<&TkvLookAndFeel::SystemColorsChanged>(this));
  if (GRoot) {
    GRoot->AttachListener(this);
    FCurrentKind = GRoot->GetKind();
    FCurrentNativeStyle = GRoot->GetNativeStyle();
    FCurrentSkinName = GRoot->GetSkinName();
    if (!FCurrentNativeStyle) FSkinPainter = EffectiveSkinPainter();
  }
  FPainter = ChoosePainter(0, true);
  ListenToPainterRegistry(FSkinPainter != nullptr);
}

TkvLookAndFeel::~TkvLookAndFeel() {
  ListenToPainterRegistry(false);
  FPaletteNotifier.reset();
  FDestroying = true;
  // Listeners that detach meanwhile stay in the list (DetachListener leaves it alone while we go).
  for (size_t i = 0; i < FListeners.size(); ++i) FListeners[i]->MasterDestroying(this);
  FDestroying = false;
  FListeners.clear();
  if (TkvLookAndFeel* master = EffectiveMaster()) master->DetachListener(this);
  if (FIsRoot && GRoot == this) GRoot = nullptr;
}

void TkvLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvLookAndFeel*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SaveState();
  FKind = source->FKind;
  FNativeStyle = source->FNativeStyle;
  FSkinName = source->FSkinName;
  FAssignedValues = source->FAssignedValues;
  TkvLookAndFeel* newMaster = source->EffectiveMaster();
  if (!FIsRoot && newMaster != this && newMaster != EffectiveMaster()) {
    if (TkvLookAndFeel* old = EffectiveMaster()) old->DetachListener(this);
    FMaster = newMaster == GRoot ? nullptr : newMaster;
    if (TkvLookAndFeel* master = EffectiveMaster()) master->AttachListener(this);
  }
  ReportStateChanges();
}

void TkvLookAndFeel::SetAssignedValues(TkvLookAndFeelValues Value) {
  if (Value == FAssignedValues) return;
  SaveState();
  FAssignedValues = Value;
  ReportStateChanges();
}

void TkvLookAndFeel::SetKind(TkvLookAndFeelKind Value) {
  const TkvLookAndFeelKind before = FCurrentKind;
  FAssignedValues.Include(lfvKind);
  FKind = Value;
  if (EffectiveKind() != before) PropagateChanges({lfvKind});
}

void TkvLookAndFeel::SetNativeStyle(bool Value) {
  const bool before = FCurrentNativeStyle;
  FAssignedValues.Include(lfvNativeStyle);
  FNativeStyle = Value;
  if (EffectiveNativeStyle() != before) PropagateChanges({lfvNativeStyle});
}

void TkvLookAndFeel::SetSkinName(const TqzSkinName& Value) {
  const TqzSkinName before = FCurrentSkinName;
  FAssignedValues.Include(lfvSkinName);
  FSkinName = Value;
  if (EffectiveSkinName() != before) PropagateChanges({lfvSkinName});
}

void TkvLookAndFeel::AttachToMaster(TkvLookAndFeel* Value) {
  if (FIsRoot || Value == this || Value == EffectiveMaster()) return;
  SaveState();
  if (TkvLookAndFeel* old = EffectiveMaster()) old->DetachListener(this);
  FMaster = Value;
  if (TkvLookAndFeel* master = EffectiveMaster()) master->AttachListener(this);
  ReportStateChanges();
}

void TkvLookAndFeel::ApplyStyle(Integer Style) {
  SetNativeStyle(Style == 3);
  if (GetNativeStyle()) return;
  switch (Style) {
    case 0: SetKind(lfFlat); break;
    case 1: SetKind(lfStandard); break;
    case 2: SetKind(lfUltraFlat); break;
    case 4: SetKind(lfOffice11); break;
    default: break;
  }
}

TkvCustomLookAndFeelPainterClass TkvLookAndFeel::PainterForThemeKind(TqzThemedObjectType ThemeKind) {
  return ChoosePainter(ThemedKindBit(ThemeKind), false);
}

void TkvLookAndFeel::AttachListener(IkvLookAndFeelListener* Listener) {
  if (!Listener) return;
  const bool isController = dynamic_cast<TkvLookAndFeelController*>(Listener->ListenerObject()) != nullptr;
  if (isController && !FIsRoot) return;
  if (std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) return;
  FListeners.push_back(Listener);
  if (isController) ++FControllerCount;
}

void TkvLookAndFeel::DetachListener(IkvLookAndFeelListener* Listener) {
  if (!Listener) return;
  const bool isController = dynamic_cast<TkvLookAndFeelController*>(Listener->ListenerObject()) != nullptr;
  if (isController && !FIsRoot) return;
  auto it = std::find(FListeners.begin(), FListeners.end(), Listener);
  if (it == FListeners.end()) return;
  if (!FDestroying) FListeners.erase(it);
  if (isController && --FControllerCount == 0) ClearAssignedValues();
}

TkvLookAndFeelKind TkvLookAndFeel::EffectiveKind() {
  if (FAssignedValues.Contains(lfvKind)) return FKind;
  if (TkvLookAndFeel* master = EffectiveMaster()) return master->GetKind();
  return lfUltraFlat;
}

bool TkvLookAndFeel::EffectiveNativeStyle() {
  if (FAssignedValues.Contains(lfvNativeStyle)) return FNativeStyle;
  if (TkvLookAndFeel* master = EffectiveMaster()) return master->GetNativeStyle();
  return false;
}

TqzSkinName TkvLookAndFeel::EffectiveSkinName() {
  if (FAssignedValues.Contains(lfvSkinName)) return FSkinName;
  if (TkvLookAndFeel* master = EffectiveMaster()) return master->GetSkinName();
  return {};
}

TkvCustomLookAndFeelPainterClass TkvLookAndFeel::EffectiveSkinPainter() {
  TkvCustomLookAndFeelPainterClass painter = nullptr;
  if (FAssignedValues.Contains(lfvSkinName))
    FindSkinPainter(FSkinName, painter);
  else if (TkvLookAndFeel* master = EffectiveMaster())
    master->FindSkinPainter(master->GetSkinName(), painter);
  return painter;
}

bool TkvLookAndFeel::FindSkinPainter(const TqzSkinName& SkinName, TkvCustomLookAndFeelPainterClass& Painter) {
  Painter = nullptr;
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  TkvCustomLookAndFeelPainterClass found = nullptr;
  const bool result = !SkinName.empty() && registry && registry->LookupPainter(SkinName, found);
  if (result && UseSkins) Painter = found;
  return result;
}

void TkvLookAndFeel::SystemColorsChanged() { PropagateChanges({lfvNativeStyle}); }

void TkvLookAndFeel::MasterValuesChanged(TkvLookAndFeel*, TkvLookAndFeelValues ChangedValues) {
  PropagateChanges(ChangedValues - FAssignedValues);
}

void TkvLookAndFeel::MasterDestroying(TkvLookAndFeel*) { AttachToMaster(nullptr); }

void TkvLookAndFeel::PropagateChanges(TkvLookAndFeelValues ChangedValues) {
  if (ChangedValues.Empty() || FDestroying) return;
  FCurrentKind = EffectiveKind();
  FCurrentNativeStyle = EffectiveNativeStyle();
  FCurrentSkinName = EffectiveSkinName();
  FSkinPainter = FCurrentNativeStyle ? nullptr : EffectiveSkinPainter();
  FPainter = ChoosePainter(0, true);
  ListenToPainterRegistry(FSkinPainter != nullptr);
  // The count is read again after every call: a listener that leaves shortens the list, and the
  // one that moved into its place is visited next.
  for (size_t i = 0; i < FListeners.size();) {
    IkvLookAndFeelListener* listener = FListeners[i];
    const size_t countBefore = FListeners.size();
    listener->MasterValuesChanged(this, ChangedValues);
    if (FListeners.size() >= countBefore || i >= FListeners.size() || FListeners[i] == listener) ++i;
  }
  FOnChanged(this, ChangedValues);
}

TkvLookAndFeel* TkvLookAndFeel::EffectiveMaster() const {
  if (FIsRoot) return nullptr;
  return FMaster ? FMaster : GRoot;
}

TkvCustomLookAndFeelPainterClass TkvLookAndFeel::ChoosePainter(TqzThemedObjectTypes ThemeKinds, bool AnyKind) {
  const bool themes = AnyKind ? ThemesAvailableFor(0) : ThemesAvailableFor(ThemeKinds);
  if (FCurrentNativeStyle && themes) return PainterClassOf<TkvWinXPLookAndFeelPainter>();
  if (FSkinPainter) return FSkinPainter;
  return PainterOfKind(FCurrentKind);
}

void TkvLookAndFeel::SaveState() {
  FSavedKind = FCurrentKind;
  FSavedNativeStyle = FCurrentNativeStyle;
  FSavedSkinName = FCurrentSkinName;
}

void TkvLookAndFeel::ReportStateChanges() {
  TkvLookAndFeelValues changed;
  if (EffectiveKind() != FSavedKind) changed.Include(lfvKind);
  if (EffectiveNativeStyle() != FSavedNativeStyle) changed.Include(lfvNativeStyle);
  if (EffectiveSkinName() != FSavedSkinName) changed.Include(lfvSkinName);
  PropagateChanges(changed);
}

void TkvLookAndFeel::ListenToPainterRegistry(bool Listen) {
  TkvExtendedStylePainters* registry = ExtendedStylePaintersInstance();
  if (!registry || Listen == FListensToRegistry) return;
  FListensToRegistry = Listen;
  if (Listen)
    registry->RegisterListener(this);
  else
    registry->UnregisterListener(this);
}

TkvLookAndFeel* TopLookAndFeel() { return GRoot; }

TkvCustomLookAndFeelPainterClass PainterOfKind(TkvLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat: return PainterClassOf<TkvFlatLookAndFeelPainter>();
    case lfStandard: return PainterClassOf<TkvStandardLookAndFeelPainter>();
    case lfOffice11: return PainterClassOf<TkvOffice11LookAndFeelPainter>();
    case lfUltraFlat:
    default: return PainterClassOf<TkvUltraFlatLookAndFeelPainter>();
  }
}

// ---- Controller ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvLookAndFeelController,
    PROPERTY(Kind).Default(lfUltraFlat),
    PROPERTY(NativeStyle).Default(false),
    PROPERTY(SkinName))

TkvLookAndFeelController::TkvLookAndFeelController(TComponent* AOwner) : TComponent(AOwner), FRoot(GRoot) {
  if (FRoot) FRoot->AttachListener(this);
}

TkvLookAndFeelController::~TkvLookAndFeelController() {
  if (FRoot) FRoot->DetachListener(this);
}

TkvLookAndFeelKind TkvLookAndFeelController::GetKind() const { return FRoot ? FRoot->GetKind() : lfUltraFlat; }

void TkvLookAndFeelController::SetKind(TkvLookAndFeelKind Value) {
  if (FRoot) FRoot->SetKind(Value);
}

bool TkvLookAndFeelController::GetNativeStyle() const { return FRoot && FRoot->GetNativeStyle(); }

void TkvLookAndFeelController::SetNativeStyle(bool Value) {
  if (FRoot) FRoot->SetNativeStyle(Value);
}

TqzSkinName TkvLookAndFeelController::GetSkinName() const { return FRoot ? FRoot->GetSkinName() : TqzSkinName(); }

void TkvLookAndFeelController::SetSkinName(const TqzSkinName& Value) {
  if (FRoot) FRoot->SetSkinName(Value);
}

// The designer's modification hook; there is no designer in the program.
void TkvLookAndFeelController::MasterValuesChanged(TkvLookAndFeel*, TkvLookAndFeelValues) {}

// The root is going: the controller stops reading and writing it. A designer would be told here
// that the form changed; the program has none.
void TkvLookAndFeelController::MasterDestroying(TkvLookAndFeel* Sender) {
  if (Sender == FRoot) FRoot = nullptr;
}

HRESULT TkvLookAndFeelController::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

// ---- Unit start and end -------------------------------------------------------------------

void kvLookAndFeelsStart() {
  GroupDescendentsWith(TkvLookAndFeelController::ClassInfo(), TControl::ClassInfo());
  auto* root = new TkvLookAndFeel(nullptr);
  root->FIsRoot = true;
  GRoot = root;
}

void kvLookAndFeelsEnd() {
  TkvLookAndFeel* root = GRoot;
  delete root;
  GRoot = nullptr;
}
