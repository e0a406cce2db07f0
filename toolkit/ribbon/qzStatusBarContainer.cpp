// The container panel style: a control over the panel that hosts other controls.
#include "toolkit/ribbon/qzStatusBar.h"

TAVREN_CLASS_IMPL(TqzStatusBarContainerControl)
TAVREN_CLASS_IMPL_PUBLISHED(TqzStatusBarContainerPanelStyle, PROPERTY(AlignControl).Default(true),
                            PROPERTY(Container))

namespace {

bool IsBuilding(IqzStatusBarSite* Bar, bool OrDestroying) {
  const TComponentState state = Bar->StatusBarControl()->GetComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || Bar->IsUpdating() ||
         (OrDestroying && state.Contains(csDestroying));
}

}  // namespace

TqzStatusBarContainerControl* FindContainerControl(IqzStatusBarSite* StatusBar, const String& Name) {
  TComponent* owner = StatusBar ? StatusBar->StatusBarControl()->GetOwner() : nullptr;
  return owner ? dynamic_cast<TqzStatusBarContainerControl*>(owner->FindComponent(Name)) : nullptr;
}

void ChangePanelStyleClass(TqzStatusBarPanel* Panel, TqzStatusBarPanelStyleClass StyleClass) {
  TqzStatusBarPanelStyle* style = Panel->GetPanelStyle();
  const TClass current = style ? style->ClassType() : nullptr;
  const TClass wanted = StyleClass;
  IqzStatusBarSite* bar = Panel->StatusBar();
  if (current != wanted && bar && bar->CanChangePanelStyle()) Panel->SetPanelStyleClass(StyleClass);
}

// ---- Control ----------------------------------------------------------------------------------

TqzStatusBarContainerControl::TqzStatusBarContainerControl(TComponent* AOwner) : TkvControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style.Include(csAcceptsControls);
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
  SetTabStop(false);
}

TqzStatusBarContainerControl::~TqzStatusBarContainerControl() {
  TqzStatusBarContainerPanelStyle* style = FPanelStyle;
  if (!style) return;
  FPanelStyle = nullptr;
  style->FContainer = nullptr;
  // The panel loses its style: a container panel without its container has nothing to show.
  if (TqzStatusBarPanel* panel = style->GetPanel()) ChangePanelStyleClass(panel, nullptr);
}

void TqzStatusBarContainerControl::Paint() {
  inherited::Paint();
  TkvCanvas* canvas = GetKvCanvas();
  IqzStatusBarSite* bar = FPanelStyle ? FPanelStyle->GetStatusBar() : nullptr;
  if (!bar) {
    canvas->FillWithColor(GetClientRect(), clBtnFace);
    return;
  }
  // The status bar's background continues behind the control.
  TRect under = bar->StatusBarControl()->GetClientRect();
  under.Left -= GetLeft();
  under.Right -= GetLeft();
  under.Top -= GetTop();
  under.Bottom -= GetTop();
  TqzStatusBarPainter* painter = bar->StatusBarPainter();
  painter->DrawBackground(bar, canvas, under);
  painter->DrawPanel(bar, FPanelStyle->GetPanel(), canvas, GetClientRect());
}

// ---- Style ------------------------------------------------------------------------------------

TqzStatusBarContainerPanelStyle::TqzStatusBarContainerPanelStyle(TqzStatusBarPanel* AOwner)
    : TqzStatusBarPanelStyle(AOwner) {
  IqzStatusBarSite* bar = GetStatusBar();
  if (!bar || IsBuilding(bar, false)) return;
  TWinControl* barControl = bar->StatusBarControl();
  auto* container = new TqzStatusBarContainerControl(barControl->GetOwner());
  container->FPanelStyle = this;
  FContainer = container;
  container->SetParent(barControl);
}

TqzStatusBarContainerPanelStyle::~TqzStatusBarContainerPanelStyle() { SetContainer(nullptr); }

bool TqzStatusBarContainerPanelStyle::CanBeRemoved() {
  return !(FContainer && FContainer->GetComponentState().Contains(csAncestor));
}

void TqzStatusBarContainerPanelStyle::VisibleChanged() {
  if (FContainer && GetPanel()) FContainer->SetVisible(GetPanel()->GetVisible());
}

void TqzStatusBarContainerPanelStyle::RestoreDefaults() {
  FAlignControl = true;
  inherited::RestoreDefaults();
}

void TqzStatusBarContainerPanelStyle::DoAssign(TqzStatusBarPanelStyle* Source) {
  inherited::DoAssign(Source);
  if (auto* source = dynamic_cast<TqzStatusBarContainerPanelStyle*>(Source)) {
    FAlignControl = source->FAlignControl;
    if (source->FContainer) SetContainer(FindContainerControl(GetStatusBar(), source->FContainer->GetName()));
  }
}

void TqzStatusBarContainerPanelStyle::SetContainer(TqzStatusBarContainerControl* Value) {
  if (FContainer == Value) return;
  if (Value) {
    // A replaced control stays with its owner, no longer linked to this style.
    if (FContainer) FContainer->FPanelStyle = nullptr;
    if (Value->FPanelStyle && Value->FPanelStyle != this) Value->FPanelStyle->FContainer = nullptr;
    FContainer = Value;
    Value->FPanelStyle = this;
  } else {
    TqzStatusBarContainerControl* old = FContainer;
    FContainer = nullptr;
    old->FPanelStyle = nullptr;
    IqzStatusBarSite* bar = GetStatusBar();
    if (!bar || !IsBuilding(bar, true)) delete old;
  }
  VisibleChanged();
}

void TqzStatusBarContainerPanelStyle::DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) {
  inherited::DrawContent(Canvas, R, Painter);
  if (!FContainer) return;
  AdjustContentRect(R);
  FContainer->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  IqzStatusBarSite* bar = GetStatusBar();
  if (!FAlignControl || !bar || bar->StatusBarControl()->GetComponentState().Contains(csDesigning)) return;
  for (Integer i = 0; i < FContainer->GetControlCount(); ++i)
    FContainer->GetControls(i)->SetBounds(0, 0, FContainer->GetWidth(), FContainer->GetHeight());
}
