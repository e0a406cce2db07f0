#pragma once
// Panel styles of a status bar: what a panel shows, how wide its content must be and how it is
// drawn. Text (an image and one line with an ellipsis mode), state indicators (a row of lamps),
// keyboard state (Caps, Num and Scroll Lock and Insert) and container (a control hosting other
// controls over the panel). The styles reach the status bar, its panels and its painter only
// through IqzStatusBarSite, TqzStatusBarPanel and TqzStatusBarPainter below.

#include <memory>
#include <vector>

#include "rtl/Collection.h"
#include "rtl/Sets.h"
#include "rtl/TypInfo.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timers.h"

class TqzStatusBarPanelStyle;
using TqzStatusBarPanelStyleClass = TClassOf<TqzStatusBarPanelStyle>;
class TqzStatusBarPainter;

// What the styles need of the status bar that owns their panels' collection.
class IqzStatusBarSite {
 public:
  virtual ~IqzStatusBarSite() = default;
  // The status bar as a control: name, owner, state, enabled, parent of container controls.
  virtual TWinControl* StatusBarControl() = 0;
  virtual TColor StatusBarColor() = 0;
  virtual TFont* StatusBarFont() = 0;
  virtual TCustomImageList* StatusBarImages() = 0;
  virtual TkvCanvas* StatusBarCanvas() = 0;
  virtual TCollection* StatusBarPanels() = 0;
  virtual bool ShowsSizeGrip() = 0;
  virtual bool IsUpdating() = 0;
  // Replaces clDefault by the status bar's text colour.
  virtual void GetDefaultTextColor(TColor& Color, bool Active) = 0;
  virtual void RefreshStatusBar() = 0;
  virtual bool CanChangePanelStyle() = 0;
  virtual TqzStatusBarPainter* StatusBarPainter() = 0;
};

// A panel of a status bar: it owns its style.
class TqzStatusBarPanel : public TCollectionItem {
  TAVREN_CLASS(TqzStatusBarPanel, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  virtual String GetText() = 0;
  virtual bool GetVisible() = 0;
  virtual Integer GetBevel() = 0;
  virtual TqzStatusBarPanelStyle* GetPanelStyle() = 0;
  // Rebuilds the panel's style for the class (none: no style).
  virtual void SetPanelStyleClass(TqzStatusBarPanelStyleClass Value) = 0;
  // Runs when a style asks its panel to bring itself up to date.
  virtual void UpdatePanel() = 0;
  void PanelChanged(bool AllItems) { Changed(AllItems); }
  IqzStatusBarSite* StatusBar() const;
};

// How a status bar is painted: operations of the painter class, through one instance.
class TqzStatusBarPainter : public TObject {
  TAVREN_CLASS(TqzStatusBarPainter, TObject)
 public:
  virtual void AdjustTextColor(IqzStatusBarSite* Bar, TColor& Color, bool Active) = 0;
  virtual TSize SizeGripSize(IqzStatusBarSite* Bar) = 0;
  virtual Integer SeparatorWidth() = 0;
  virtual void DrawCellFrame(IqzStatusBarSite* Bar, Integer Bevel, const TRect& R, TkvCanvas* Canvas) = 0;
  virtual void DrawPanel(IqzStatusBarSite* Bar, TqzStatusBarPanel* Panel, TkvCanvas* Canvas, const TRect& R) = 0;
  virtual void GetPanelTextRect(IqzStatusBarSite* Bar, TqzStatusBarPanel* Panel, const TRect& R, TRect& TextRect) = 0;
  virtual void DrawBackground(IqzStatusBarSite* Bar, TkvCanvas* Canvas, const TRect& R) = 0;
};

// ---- Base style -------------------------------------------------------------------------------

class TqzStatusBarPanelStyle : public TPersistent {
  TAVREN_CLASS(TqzStatusBarPanelStyle, TPersistent)
 public:
  using TCreateArg = TqzStatusBarPanel*;
  explicit TqzStatusBarPanelStyle(TqzStatusBarPanel* AOwner);
  ~TqzStatusBarPanelStyle() override;

  void Assign(TPersistent* Source) override;
  virtual void AdjustTextColor(TColor& AColor, bool Active);
  virtual bool CanBeRemoved();
  virtual bool AllowsFreeWidth();
  virtual void NotifyPanel();
  virtual void AdjustContentRect(TRect& R);
  virtual TColor GetDefaultColor();
  virtual void DoAssign(TqzStatusBarPanelStyle* Source);
  virtual void DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter);
  virtual Integer GetMinWidth();
  virtual Integer ExtraQuery();
  virtual bool DrawsItemFrames();
  virtual void ExtraNotification();
  virtual void VisibleChanged();
  virtual void ParentFontChanged();
  virtual void RestoreDefaults();

  TqzStatusBarPanel* GetPanel() const noexcept { return FOwner; }
  TPersistent* GetOwner() override;
  IqzStatusBarSite* GetStatusBar() const;
  TAlignment GetAlignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TColor GetColor();
  void SetColor(TColor Value);
  bool IsColorStored() const noexcept { return FColorAssigned; }
  TFont* GetFont() const noexcept { return FFont.get(); }
  void SetFont(TFont* Value);
  bool IsFontStored() const noexcept { return !FParentFont; }
  bool GetParentFont() const noexcept { return FParentFont; }
  void SetParentFont(bool Value);

 protected:
  void BeginPanelsUpdate();
  void EndPanelsUpdate();
  void PanelChanged(bool AllItems = false);
  void OwnFontChanged(TObject* Sender);

 private:
  TqzStatusBarPanel* FOwner;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clBlack;
  bool FColorAssigned = false;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
};

// ---- Text -------------------------------------------------------------------------------------

enum TqzStatusBarEllipsisType { qzetNone, qzetTruncate, qzetSmartPath };
TAVREN_ENUM_INFO(TqzStatusBarEllipsisType, qzetNone, qzetTruncate, qzetSmartPath);

class TqzStatusBarTextPanelStyle;
using TqzStatusBarTextEvent = TEvent<void(TObject* Sender, TRect R, String& AText)>;

class TqzStatusBarTextPanelStyle : public TqzStatusBarPanelStyle {
  TAVREN_CLASS(TqzStatusBarTextPanelStyle, TqzStatusBarPanelStyle)
 public:
  explicit TqzStatusBarTextPanelStyle(TqzStatusBarPanel* AOwner);
  void DoAssign(TqzStatusBarPanelStyle* Source) override;
  void DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) override;
  void RestoreDefaults() override;

  bool GetAutoHint() const noexcept { return FAutoHint; }
  // At most one text panel of a status bar has AutoHint on.
  void SetAutoHint(bool Value);
  Integer GetImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TqzStatusBarEllipsisType GetEllipsisType() const noexcept { return FEllipsisType; }
  void SetEllipsisType(TqzStatusBarEllipsisType Value);
  TqzStatusBarTextEvent GetOnGetText() const { return FOnGetText; }
  void SetOnGetText(TqzStatusBarTextEvent Value) { FOnGetText = Value; }

 private:
  bool FAutoHint = false;
  Integer FImageIndex = -1;
  TqzStatusBarEllipsisType FEllipsisType = qzetNone;
  TqzStatusBarTextEvent FOnGetText;
};

// ---- State indicators -------------------------------------------------------------------------

enum TqzStatusBarStateIndicatorType { sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple };
TAVREN_ENUM_INFO(TqzStatusBarStateIndicatorType, sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple);

// Loads the lamp of the type into Bitmap (16-colour, 17 x 8, its corner colour transparent).
void LoadStateIndicatorBitmap(TBitmap* Bitmap, TqzStatusBarStateIndicatorType IndicatorType);

class TqzStatusBarStateIndicatorItem : public TCollectionItem {
  TAVREN_CLASS(TqzStatusBarStateIndicatorItem, TCollectionItem)
 public:
  explicit TqzStatusBarStateIndicatorItem(TCollection* Collection);
  ~TqzStatusBarStateIndicatorItem() override;
  void Assign(TPersistent* Source) override;
  TqzStatusBarStateIndicatorType GetIndicatorType() const noexcept { return FIndicatorType; }
  void SetIndicatorType(TqzStatusBarStateIndicatorType Value);
  bool GetVisible() const noexcept { return FVisible; }
  void SetVisible(bool Value);
  TBitmap* GetIndicatorBitmap() const noexcept { return FIndicatorBitmap.get(); }

 private:
  TqzStatusBarStateIndicatorType FIndicatorType = sitOff;
  bool FVisible = true;
  std::unique_ptr<TBitmap> FIndicatorBitmap;
};

class TqzStatusBarStateIndicators : public TCollection {
  TAVREN_CLASS(TqzStatusBarStateIndicators, TCollection)
 public:
  TqzStatusBarStateIndicators();
  TqzStatusBarStateIndicatorItem* Add() { return static_cast<TqzStatusBarStateIndicatorItem*>(TCollection::Add()); }
  TqzStatusBarStateIndicatorItem* GetItem(Integer Index) const {
    return static_cast<TqzStatusBarStateIndicatorItem*>(GetItems(Index));
  }
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;
};

class TqzStatusBarStateIndicatorPanelStyle : public TqzStatusBarPanelStyle {
  TAVREN_CLASS(TqzStatusBarStateIndicatorPanelStyle, TqzStatusBarPanelStyle)
 public:
  explicit TqzStatusBarStateIndicatorPanelStyle(TqzStatusBarPanel* AOwner);
  ~TqzStatusBarStateIndicatorPanelStyle() override;
  bool AllowsFreeWidth() override;
  void DoAssign(TqzStatusBarPanelStyle* Source) override;
  void DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) override;
  Integer GetMinWidth() override;
  void RestoreDefaults() override;

  TqzStatusBarStateIndicators* GetIndicators() const noexcept { return FIndicators.get(); }
  void SetIndicators(TqzStatusBarStateIndicators* Value);
  Integer GetSpacing() const noexcept { return FSpacing; }
  void SetSpacing(Integer Value);

 private:
  void IndicatorsChanged(TObject* Sender);
  std::unique_ptr<TqzStatusBarStateIndicators> FIndicators;
  Integer FSpacing = 4;
};

// ---- Keyboard state ---------------------------------------------------------------------------

enum TqzStatusBarKeyboardState { qzksCapsLock, qzksNumLock, qzksScrollLock, qzksInsert };
TAVREN_ENUM_INFO(TqzStatusBarKeyboardState, qzksCapsLock, qzksNumLock, qzksScrollLock, qzksInsert);
using TqzStatusBarKeyboardStates = TSet<TqzStatusBarKeyboardState>;

class TqzStatusBarKeyStateAppearance : public TPersistent {
  TAVREN_CLASS(TqzStatusBarKeyStateAppearance, TPersistent)
 public:
  TqzStatusBarKeyStateAppearance(TqzStatusBarKeyboardState AState, Integer AKeyCode, const String& AActiveCaption,
                                 const String& AInactiveCaption, TColor AActiveFontColor, TNotifyEvent AOnChange);
  void Assign(TPersistent* Source) override;
  // The wider of the two captions on the canvas, plus 4.
  Integer CellWidth(TkvCanvas* Canvas);

  TqzStatusBarKeyboardState GetState() const noexcept { return FState; }
  Integer GetKeyCode() const noexcept { return FKeyCode; }
  TColor GetActiveFontColor() const noexcept { return FActiveFontColor; }
  void SetActiveFontColor(TColor Value);
  TColor GetInactiveFontColor() const noexcept { return FInactiveFontColor; }
  void SetInactiveFontColor(TColor Value);
  const String& GetActiveCaption() const noexcept { return FActiveCaption; }
  void SetActiveCaption(const String& Value);
  const String& GetInactiveCaption() const noexcept { return FInactiveCaption; }
  void SetInactiveCaption(const String& Value);

 private:
  void Changed() { FOnChange(this); }
  TqzStatusBarKeyboardState FState;
  Integer FKeyCode;
  TNotifyEvent FOnChange;
  TColor FActiveFontColor;
  TColor FInactiveFontColor = clBtnShadow;
  String FActiveCaption, FInactiveCaption;
};

class TqzStatusBarKeyboardStateWatchedKey : public TObject {
  TAVREN_CLASS(TqzStatusBarKeyboardStateWatchedKey, TObject)
 public:
  explicit TqzStatusBarKeyboardStateWatchedKey(Integer AKeyCode);
  Integer GetKeyCode() const noexcept { return FKeyCode; }
  Byte GetKeyState() const noexcept { return FKeyState; }
  void SetKeyState(Byte Value) noexcept { FKeyState = Value; }

 private:
  Integer FKeyCode;
  Byte FKeyState;
};

// Polls the watched keys every 100 ms and asks the status bar to refresh when a toggle changed.
class TqzStatusBarKeyboardStateNotifier : public TObject {
  TAVREN_CLASS(TqzStatusBarKeyboardStateNotifier, TObject)
 public:
  explicit TqzStatusBarKeyboardStateNotifier(IqzStatusBarSite* AStatusBar);
  ~TqzStatusBarKeyboardStateNotifier() override;
  void AddKey(Integer KeyCode);
  void RemoveKey(Integer KeyCode);
  void Poll(TObject* Sender);
  Integer KeyCount() const noexcept { return static_cast<Integer>(FKeys.size()); }
  Integer KeyCodeAt(Integer Index) const { return FKeys.at(static_cast<size_t>(Index))->GetKeyCode(); }

 private:
  IqzStatusBarSite* FStatusBar;
  std::vector<std::unique_ptr<TqzStatusBarKeyboardStateWatchedKey>> FKeys;
  std::unique_ptr<TTimer> FTimer;
};

class TqzStatusBarKeyboardStatePanelStyle : public TqzStatusBarPanelStyle {
  TAVREN_CLASS(TqzStatusBarKeyboardStatePanelStyle, TqzStatusBarPanelStyle)
 public:
  explicit TqzStatusBarKeyboardStatePanelStyle(TqzStatusBarPanel* AOwner);
  ~TqzStatusBarKeyboardStatePanelStyle() override;
  bool AllowsFreeWidth() override;
  void DoAssign(TqzStatusBarPanelStyle* Source) override;
  void DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) override;
  Integer GetMinWidth() override;
  bool DrawsItemFrames() override;
  void RestoreDefaults() override;

  TqzStatusBarKeyboardStates GetKeyboardStates() const noexcept { return FKeyboardStates; }
  void SetKeyboardStates(TqzStatusBarKeyboardStates Value);
  bool GetFullRect() const noexcept { return FFullRect; }
  void SetFullRect(bool Value);
  TqzStatusBarKeyStateAppearance* GetAppearance(TqzStatusBarKeyboardState State) const {
    return FAppearances[State].get();
  }
  TqzStatusBarKeyStateAppearance* GetCapsLockKeyAppearance() const { return GetAppearance(qzksCapsLock); }
  void SetCapsLockKeyAppearance(TqzStatusBarKeyStateAppearance* Value) { GetAppearance(qzksCapsLock)->Assign(Value); }
  TqzStatusBarKeyStateAppearance* GetNumLockKeyAppearance() const { return GetAppearance(qzksNumLock); }
  void SetNumLockKeyAppearance(TqzStatusBarKeyStateAppearance* Value) { GetAppearance(qzksNumLock)->Assign(Value); }
  TqzStatusBarKeyStateAppearance* GetScrollLockKeyAppearance() const { return GetAppearance(qzksScrollLock); }
  void SetScrollLockKeyAppearance(TqzStatusBarKeyStateAppearance* Value) {
    GetAppearance(qzksScrollLock)->Assign(Value);
  }
  TqzStatusBarKeyStateAppearance* GetInsertKeyAppearance() const { return GetAppearance(qzksInsert); }
  void SetInsertKeyAppearance(TqzStatusBarKeyStateAppearance* Value) { GetAppearance(qzksInsert)->Assign(Value); }
  TqzStatusBarKeyboardStateNotifier* GetNotifier() const noexcept { return FNotifier.get(); }

 private:
  void AppearanceChanged(TObject* Sender);
  std::unique_ptr<TqzStatusBarKeyStateAppearance> FAppearances[4];
  TqzStatusBarKeyboardStates FKeyboardStates;
  bool FFullRect = false;
  std::unique_ptr<TqzStatusBarKeyboardStateNotifier> FNotifier;
};

// ---- Container --------------------------------------------------------------------------------

class TqzStatusBarContainerPanelStyle;

class TqzStatusBarContainerControl : public TkvControl {
  TAVREN_CLASS(TqzStatusBarContainerControl, TkvControl)
 public:
  explicit TqzStatusBarContainerControl(TComponent* AOwner);
  ~TqzStatusBarContainerControl() override;
  TqzStatusBarContainerPanelStyle* GetPanelStyle() const noexcept { return FPanelStyle; }

 protected:
  void Paint() override;
  bool WantsFocusOnClick() override { return false; }

 private:
  friend class TqzStatusBarContainerPanelStyle;
  TqzStatusBarContainerPanelStyle* FPanelStyle = nullptr;
};

class TqzStatusBarContainerPanelStyle : public TqzStatusBarPanelStyle {
  TAVREN_CLASS(TqzStatusBarContainerPanelStyle, TqzStatusBarPanelStyle)
 public:
  explicit TqzStatusBarContainerPanelStyle(TqzStatusBarPanel* AOwner);
  ~TqzStatusBarContainerPanelStyle() override;
  bool CanBeRemoved() override;
  void DoAssign(TqzStatusBarPanelStyle* Source) override;
  void DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) override;
  void VisibleChanged() override;
  void RestoreDefaults() override;

  bool GetAlignControl() const noexcept { return FAlignControl; }
  void SetAlignControl(bool Value) { FAlignControl = Value; }
  TqzStatusBarContainerControl* GetContainer() const noexcept { return FContainer; }
  void SetContainer(TqzStatusBarContainerControl* Value);

 private:
  friend class TqzStatusBarContainerControl;
  bool FAlignControl = true;
  TqzStatusBarContainerControl* FContainer = nullptr;
};

// Rebuilds the panel's style for the class when it differs from the panel's and the status bar
// allows the change (nil: no style).
void ChangePanelStyleClass(TqzStatusBarPanel* Panel, TqzStatusBarPanelStyleClass StyleClass);

// The container control of that name among the status bar owner's components; nil when none.
TqzStatusBarContainerControl* FindContainerControl(IqzStatusBarSite* StatusBar, const String& Name);

// The registered panel styles with their display names.
TkvRegisteredClasses* RegisteredStatusBarPanelStyles();

// Unit start: registers the four styles and the container control class. End: takes them back.
void qzStatusBarStart();
void qzStatusBarEnd();
