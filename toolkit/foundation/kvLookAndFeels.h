#pragma once
// Look-and-feel settings: every toolkit control owns a TkvLookAndFeel whose Kind, NativeStyle and
// SkinName are either its own or taken from a master, and from them the painter the control draws
// through. One root look-and-feel is the master of every one without another; a controller
// component edits the root and so restyles the whole application. A shared hidden window turns
// system colour changes into re-resolution.

#include <vector>

#include "rtl/Component.h"
#include "rtl/Events.h"
#include "rtl/Interfaces.h"
#include "rtl/Sets.h"
#include "rtl/TypInfo.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/qzThemeManager.h"

TAVREN_ENUM_INFO(TkvLookAndFeelKind, lfFlat, lfStandard, lfUltraFlat, lfOffice11);

enum TkvLookAndFeelValue { lfvKind, lfvNativeStyle, lfvSkinName };
TAVREN_ENUM_INFO(TkvLookAndFeelValue, lfvKind, lfvNativeStyle, lfvSkinName);
// Bits 1, 2, 4.
using TkvLookAndFeelValues = TSet<TkvLookAndFeelValue, 3>;
inline const TkvLookAndFeelValues kvAllLookAndFeelValues{lfvKind, lfvNativeStyle, lfvSkinName};

using TqzSkinName = String;

// The skin painters' global switch (owned by the skin controller; on until it says otherwise).
extern bool UseSkins;

class TkvLookAndFeel;

// Follows a look-and-feel's changes.
class IkvLookAndFeelListener : public virtual IInterface {
  TAVREN_INTERFACE(IkvLookAndFeelListener)
 public:
  virtual TObject* ListenerObject() = 0;
  virtual void MasterValuesChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) = 0;
  virtual void MasterDestroying(TkvLookAndFeel* Sender) = 0;
};

using TkvLookAndFeelChangedEvent = TEvent<void(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues)>;

// ---- Palette change notice ----------------------------------------------------------------

using TkvPaletteChangedEvent = TEvent<void()>;

// Told when the system colours change (after the Office-11 colours are reloaded). Primary
// notifiers are told before the others.
class TkvSystemPaletteChangedNotifier : public TObject {
  TAVREN_CLASS(TkvSystemPaletteChangedNotifier, TObject)
 public:
  explicit TkvSystemPaletteChangedNotifier(bool AIsPrimary = false);
  ~TkvSystemPaletteChangedNotifier() override;
  virtual void Fire();

  bool GetIsPrimary() const noexcept { return FIsPrimary; }
  TkvPaletteChangedEvent GetOnPaletteChanged() const { return FOnPaletteChanged; }
  void SetOnPaletteChanged(TkvPaletteChangedEvent Value) { FOnPaletteChanged = Value; }

 private:
  bool FIsPrimary;
  TkvPaletteChangedEvent FOnPaletteChanged;
};

// The shared listener's hidden window while one exists (nullptr otherwise): it hears
// WM_SYSCOLORCHANGE.
HWND PaletteListenerWindow();

// ---- Look-and-feel ------------------------------------------------------------------------

class TkvLookAndFeel : public TkvInterfacedPersistent,
                       public IkvLookAndFeelListener,
                       public IkvLookAndFeelPainterListener {
  TAVREN_CLASS(TkvLookAndFeel, TkvInterfacedPersistent)
 public:
  explicit TkvLookAndFeel(TPersistent* AOwner);
  ~TkvLookAndFeel() override;

  void Assign(TPersistent* Source) override;

  TkvLookAndFeelValues GetAssignedValues() const noexcept { return FAssignedValues; }
  void SetAssignedValues(TkvLookAndFeelValues Value);
  void ClearAssignedValues() { SetAssignedValues({}); }
  TkvLookAndFeelKind GetKind() const noexcept { return FCurrentKind; }
  void SetKind(TkvLookAndFeelKind Value);
  bool GetNativeStyle() const noexcept { return FCurrentNativeStyle; }
  void SetNativeStyle(bool Value);
  TqzSkinName GetSkinName() const { return FCurrentSkinName; }
  void SetSkinName(const TqzSkinName& Value);

  TkvLookAndFeel* GetMaster() const noexcept { return FMaster; }
  // Ignored for the root, for itself and for the master it already follows.
  void AttachToMaster(TkvLookAndFeel* Value);
  // The older five-valued style: 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office-11.
  void ApplyStyle(Integer Style);

  TkvCustomLookAndFeelPainterClass ActivePainter() const noexcept { return FPainter; }
  TkvCustomLookAndFeelPainterClass GetSkinPainter() const noexcept { return FSkinPainter; }
  TkvCustomLookAndFeelPainterClass PainterForThemeKind(TqzThemedObjectType ThemeKind);
  bool GetIsRoot() const noexcept { return FIsRoot; }

  void AttachListener(IkvLookAndFeelListener* Listener);
  void DetachListener(IkvLookAndFeelListener* Listener);
  void NotifyAllValuesChanged() { PropagateChanges(kvAllLookAndFeelValues); }

  TkvLookAndFeelChangedEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(TkvLookAndFeelChangedEvent Value) { FOnChanged = Value; }

  // Resolution of each value: its own when assigned, else the master's (or the root's).
  virtual TkvLookAndFeelKind EffectiveKind();
  virtual bool EffectiveNativeStyle();
  virtual TqzSkinName EffectiveSkinName();
  virtual TkvCustomLookAndFeelPainterClass EffectiveSkinPainter();
  // True when a registered painter bears the name; Painter is nil while skins are switched off.
  virtual bool FindSkinPainter(const TqzSkinName& SkinName, TkvCustomLookAndFeelPainterClass& Painter);
  virtual void SystemColorsChanged();

  // IkvLookAndFeelListener
  TObject* ListenerObject() override { return this; }
  void MasterValuesChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TkvLookAndFeel* Sender) override;
  // IkvLookAndFeelPainterListener
  void PaintersChanged(TkvCustomLookAndFeelPainterClass) override { NotifyAllValuesChanged(); }

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return TkvInterfacedPersistent::QueryInterface(IID, Obj);
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  bool IsKindStored() const { return FAssignedValues.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return FAssignedValues.Contains(lfvNativeStyle); }
  bool IsSkinNameStored() const { return FAssignedValues.Contains(lfvSkinName); }

 protected:
  void PropagateChanges(TkvLookAndFeelValues ChangedValues);

 private:
  friend void kvLookAndFeelsStart();
  TkvLookAndFeel* EffectiveMaster() const;
  TkvCustomLookAndFeelPainterClass ChoosePainter(TqzThemedObjectTypes ThemeKinds, bool AnyKind);
  void SaveState();
  void ReportStateChanges();
  void ListenToPainterRegistry(bool Listen);

  TkvLookAndFeelValues FAssignedValues;
  std::vector<IkvLookAndFeelListener*> FListeners;
  TkvLookAndFeelKind FCurrentKind = lfUltraFlat;
  bool FCurrentNativeStyle = false;
  TqzSkinName FCurrentSkinName;
  TkvCustomLookAndFeelPainterClass FPainter = nullptr;
  TkvLookAndFeelKind FKind = lfUltraFlat;
  bool FNativeStyle = false;
  TqzSkinName FSkinName;
  bool FDestroying = false;
  bool FIsRoot = false;
  TkvLookAndFeel* FMaster = nullptr;
  TkvCustomLookAndFeelPainterClass FSkinPainter = nullptr;
  bool FListensToRegistry = false;
  TkvLookAndFeelKind FSavedKind = lfUltraFlat;
  bool FSavedNativeStyle = false;
  TqzSkinName FSavedSkinName;
  Integer FControllerCount = 0;
  std::unique_ptr<TkvSystemPaletteChangedNotifier> FPaletteNotifier;
  TkvLookAndFeelChangedEvent FOnChanged;
};

// The root look-and-feel: nullptr before unit start and after unit end.
TkvLookAndFeel* TopLookAndFeel();

// The painter of each look-and-feel kind.
TkvCustomLookAndFeelPainterClass PainterOfKind(TkvLookAndFeelKind Kind);

// ---- Controller ---------------------------------------------------------------------------

// Edits the root look-and-feel. While no controller is attached the root keeps its defaults.
class TkvLookAndFeelController : public TComponent, public IkvLookAndFeelListener {
  TAVREN_CLASS(TkvLookAndFeelController, TComponent)
 public:
  explicit TkvLookAndFeelController(TComponent* AOwner);
  ~TkvLookAndFeelController() override;

  TkvLookAndFeelKind GetKind() const;
  void SetKind(TkvLookAndFeelKind Value);
  bool GetNativeStyle() const;
  void SetNativeStyle(bool Value);
  TqzSkinName GetSkinName() const;
  void SetSkinName(const TqzSkinName& Value);

  // IkvLookAndFeelListener
  TObject* ListenerObject() override { return this; }
  void MasterValuesChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TkvLookAndFeel* Sender) override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

 private:
  TkvLookAndFeel* FRoot = nullptr;
};

// Unit start: the root look-and-feel; the controller streams with the forms. End: the root goes.
void kvLookAndFeelsStart();
void kvLookAndFeelsEnd();
