// The keyboard-state panel style: the toggle states of Caps, Num and Scroll Lock and Insert,
// polled every 100 ms.
#include "toolkit/ribbon/qzStatusBar.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzStatusBarKeyStateAppearance, PROPERTY(ActiveFontColor).Default(clWindowText),
                            PROPERTY(InactiveFontColor).Default(clBtnShadow), PROPERTY(ActiveCaption),
                            PROPERTY(InactiveCaption))
TAVREN_CLASS_IMPL(TqzStatusBarKeyboardStateWatchedKey)
TAVREN_CLASS_IMPL(TqzStatusBarKeyboardStateNotifier)
TAVREN_CLASS_IMPL_PUBLISHED(TqzStatusBarKeyboardStatePanelStyle,
                            PROPERTY(Color).Stored<&TqzStatusBarPanelStyle::IsColorStored>(),
                            PROPERTY(Font).Stored<&TqzStatusBarPanelStyle::IsFontStored>(), PROPERTY(KeyboardStates),
                            PROPERTY(FullRect).Default(false), PROPERTY(CapsLockKeyAppearance),
                            PROPERTY(NumLockKeyAppearance), PROPERTY(ScrollLockKeyAppearance),
                            PROPERTY(InsertKeyAppearance), PROPERTY(ParentFont).Default(true))

namespace {

const TqzStatusBarKeyboardStates kAllStates{qzksCapsLock, qzksNumLock, qzksScrollLock, qzksInsert};

Byte ToggleState(Integer KeyCode) { return static_cast<Byte>(GetKeyState(KeyCode) & 0xFF); }

}  // namespace

// ---- Appearance -------------------------------------------------------------------------------

TqzStatusBarKeyStateAppearance::TqzStatusBarKeyStateAppearance(TqzStatusBarKeyboardState AState, Integer AKeyCode,
                                                               const String& AActiveCaption,
                                                               const String& AInactiveCaption,
                                                               TColor AActiveFontColor, TNotifyEvent AOnChange)
    : FState(AState),
      FKeyCode(AKeyCode),
      FOnChange(AOnChange),
      FActiveFontColor(AActiveFontColor),
      FActiveCaption(AActiveCaption),
      FInactiveCaption(AInactiveCaption) {}

void TqzStatusBarKeyStateAppearance::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzStatusBarKeyStateAppearance*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetActiveFontColor(source->FActiveFontColor);
  SetInactiveFontColor(source->FInactiveFontColor);
  SetActiveCaption(source->FActiveCaption);
  SetInactiveCaption(source->FInactiveCaption);
}

Integer TqzStatusBarKeyStateAppearance::CellWidth(TkvCanvas* Canvas) {
  return std::max(Canvas->TextWidthOf(FActiveCaption), Canvas->TextWidthOf(FInactiveCaption)) + 4;
}

// The setters report even an unchanged value: the panel repaints either way.
void TqzStatusBarKeyStateAppearance::SetActiveFontColor(TColor Value) {
  FActiveFontColor = Value;
  Changed();
}
void TqzStatusBarKeyStateAppearance::SetInactiveFontColor(TColor Value) {
  FInactiveFontColor = Value;
  Changed();
}
void TqzStatusBarKeyStateAppearance::SetActiveCaption(const String& Value) {
  FActiveCaption = Value;
  Changed();
}
void TqzStatusBarKeyStateAppearance::SetInactiveCaption(const String& Value) {
  FInactiveCaption = Value;
  Changed();
}

// ---- Notifier ---------------------------------------------------------------------------------

TqzStatusBarKeyboardStateWatchedKey::TqzStatusBarKeyboardStateWatchedKey(Integer AKeyCode)
    : FKeyCode(AKeyCode), FKeyState(ToggleState(AKeyCode)) {}

TqzStatusBarKeyboardStateNotifier::TqzStatusBarKeyboardStateNotifier(IqzStatusBarSite* AStatusBar)
    : FStatusBar(AStatusBar), FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetInterval(100);
  FTimer->SetOnTimer(TNotifyEvent::Of<&TqzStatusBarKeyboardStateNotifier::Poll>(this));
  FTimer->SetEnabled(true);
}

TqzStatusBarKeyboardStateNotifier::~TqzStatusBarKeyboardStateNotifier() = default;

void TqzStatusBarKeyboardStateNotifier::AddKey(Integer KeyCode) {
  RemoveKey(KeyCode);
  FKeys.push_back(std::make_unique<TqzStatusBarKeyboardStateWatchedKey>(KeyCode));
}

void TqzStatusBarKeyboardStateNotifier::RemoveKey(Integer KeyCode) {
  for (auto it = FKeys.begin(); it != FKeys.end(); ++it)
    if ((*it)->GetKeyCode() == KeyCode) {
      FKeys.erase(it);
      return;
    }
}

void TqzStatusBarKeyboardStateNotifier::Poll(TObject*) {
  bool changed = false;
  for (auto& key : FKeys) {
    const Byte state = ToggleState(key->GetKeyCode());
    if (state != key->GetKeyState()) {
      key->SetKeyState(state);
      changed = true;
    }
  }
  if (changed && FStatusBar) FStatusBar->RefreshStatusBar();
}

// ---- Style ------------------------------------------------------------------------------------

TqzStatusBarKeyboardStatePanelStyle::TqzStatusBarKeyboardStatePanelStyle(TqzStatusBarPanel* AOwner)
    : TqzStatusBarPanelStyle(AOwner), FKeyboardStates(kAllStates) {
  const TNotifyEvent changed = TNotifyEvent::Of<&TqzStatusBarKeyboardStatePanelStyle::AppearanceChanged>(this);
  const TColor text = GetFont()->GetColor();
  FAppearances[qzksCapsLock] =
      std::make_unique<TqzStatusBarKeyStateAppearance>(qzksCapsLock, VK_CAPITAL, "CAPS", "CAPS", text, changed);
  FAppearances[qzksNumLock] =
      std::make_unique<TqzStatusBarKeyStateAppearance>(qzksNumLock, VK_NUMLOCK, "NUM", "NUM", text, changed);
  FAppearances[qzksScrollLock] =
      std::make_unique<TqzStatusBarKeyStateAppearance>(qzksScrollLock, VK_SCROLL, "SCRL", "SCRL", text, changed);
  FAppearances[qzksInsert] =
      std::make_unique<TqzStatusBarKeyStateAppearance>(qzksInsert, VK_INSERT, "OVR", "INS", text, changed);
  FNotifier = std::make_unique<TqzStatusBarKeyboardStateNotifier>(GetStatusBar());
  for (const auto& appearance : FAppearances) FNotifier->AddKey(appearance->GetKeyCode());
}

TqzStatusBarKeyboardStatePanelStyle::~TqzStatusBarKeyboardStatePanelStyle() {
  for (Integer i = 3; i >= 0; --i) FNotifier->RemoveKey(FAppearances[i]->GetKeyCode());
  FNotifier.reset();
  for (Integer i = 3; i >= 0; --i) FAppearances[i].reset();
}

void TqzStatusBarKeyboardStatePanelStyle::AppearanceChanged(TObject*) { PanelChanged(false); }

bool TqzStatusBarKeyboardStatePanelStyle::AllowsFreeWidth() { return false; }
bool TqzStatusBarKeyboardStatePanelStyle::DrawsItemFrames() { return !FFullRect; }

void TqzStatusBarKeyboardStatePanelStyle::RestoreDefaults() {
  FKeyboardStates = kAllStates;
  inherited::RestoreDefaults();
}

void TqzStatusBarKeyboardStatePanelStyle::DoAssign(TqzStatusBarPanelStyle* Source) {
  inherited::DoAssign(Source);
  if (auto* source = dynamic_cast<TqzStatusBarKeyboardStatePanelStyle*>(Source)) {
    SetKeyboardStates(source->FKeyboardStates);
    SetFullRect(source->FFullRect);
    for (Integer i = 0; i < 4; ++i) FAppearances[i]->Assign(source->FAppearances[i].get());
  }
}

void TqzStatusBarKeyboardStatePanelStyle::SetKeyboardStates(TqzStatusBarKeyboardStates Value) {
  if (FKeyboardStates == Value) return;
  FKeyboardStates = Value;
  PanelChanged(false);
}

void TqzStatusBarKeyboardStatePanelStyle::SetFullRect(bool Value) {
  if (FFullRect == Value) return;
  FFullRect = Value;
  PanelChanged(true);
}

void TqzStatusBarKeyboardStatePanelStyle::DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) {
  inherited::DrawContent(Canvas, R, Painter);
  IqzStatusBarSite* bar = GetStatusBar();
  if (!bar) return;
  Canvas->AssignFont(GetFont());
  Integer last = -1;
  for (Integer i = 0; i < 4; ++i)
    if (FKeyboardStates.Contains(static_cast<TqzStatusBarKeyboardState>(i))) last = i;
  TWinControl* control = bar->StatusBarControl();
  const bool designing = control->GetComponentState().Contains(csDesigning);
  for (Integer i = 0; i < 4; ++i) {
    if (!FKeyboardStates.Contains(static_cast<TqzStatusBarKeyboardState>(i))) continue;
    TqzStatusBarKeyStateAppearance* appearance = FAppearances[i].get();
    const bool active = !designing && ToggleState(appearance->GetKeyCode()) == 1;
    TColor color = active ? appearance->GetActiveFontColor() : appearance->GetInactiveFontColor();
    Painter->AdjustTextColor(bar, color, active);
    AdjustTextColor(color, active);
    Canvas->CurrentFont()->SetColor(color);
    TRect cell = R;
    cell.Right = R.Left + appearance->CellWidth(Canvas) + (FFullRect ? 0 : 2);
    if (!FFullRect) Painter->DrawCellFrame(bar, GetPanel()->GetBevel(), cell, Canvas);
    Canvas->CurrentBrush()->SetStyle(bsClear);
    Canvas->PaintText(active ? appearance->GetActiveCaption() : appearance->GetInactiveCaption(), cell,
                      ktfSingleLine | ktfAlignHCenter | ktfAlignVCenter, control->GetEnabled());
    Canvas->CurrentBrush()->SetStyle(bsSolid);
    if (i != last) R.Left = cell.Right + Painter->SeparatorWidth();
  }
}

Integer TqzStatusBarKeyboardStatePanelStyle::GetMinWidth() {
  if (FKeyboardStates.Empty()) return 50;
  IqzStatusBarSite* bar = GetStatusBar();
  if (!bar) return 50;
  TkvCanvas* canvas = bar->StatusBarCanvas();
  canvas->AssignFont(GetFont());
  Integer width = 0, count = 0;
  for (Integer i = 0; i < 4; ++i) {
    if (!FKeyboardStates.Contains(static_cast<TqzStatusBarKeyboardState>(i))) continue;
    if (count++ > 0) width += bar->StatusBarPainter()->SeparatorWidth();
    width += FAppearances[i]->CellWidth(canvas) + (FFullRect ? 0 : 2);
  }
  return width;
}
