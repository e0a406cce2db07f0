// The page control and its tab sheets: one tab per page whose tab is shown, the page of the
// current tab shown in the card and the others hidden, page order, colours, closing and moving
// pages, loading from a form and Ctrl+Tab.

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "rtl/Exceptions.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/controls/WbTabs.h"
#include "toolkit/controls/WbTabsStrings.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL_PUBLISHED(TWbTabSheet,
    PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(DisabledIndex).Default(-1),
    PROPERTY(ImageIndex).Default(-1),
    PROPERTY(PageIndex).Stored(false),
    PROPERTY(TabEnabled).Default(true),
    PROPERTY(TabVisible).Default(true),
    PROPERTY(OnPaintBackground),
    PROPERTY(Caption),
    PROPERTY(Constraints),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Font),
    PROPERTY(Height).Stored(false),
    PROPERTY(Left).Stored(false),
    PROPERTY(Top).Stored(false),
    PROPERTY(Width).Stored(false),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(ParentShowHint).Default(true),
    PROPERTY(PopupMenu),
    PROPERTY(ShowHint),
    PROPERTY(OnClick),
    PROPERTY(OnContextPopup),
    PROPERTY(OnDblClick),
    PROPERTY(OnDragDrop),
    PROPERTY(OnDragOver),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnResize))
TAVREN_MESSAGE_TABLE(TWbTabSheet,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged))

TAVREN_CLASS_IMPL_PUBLISHED(TWbTabControl,
    PROPERTY(TabIndex).Default(-1))

TAVREN_CLASS_IMPL_PUBLISHED(TWbPageControl,
    PROPERTY(ActivePage),
    PROPERTY(ActivePageDefault),
    PROPERTY(SaveResources).Default(false),
    PROPERTY(DblClickUndocks).Default(true),
    PROPERTY(Align).Default(alNone),
    PROPERTY(AlignTabs).Default(false),
    PROPERTY(AllowTabDragging).Default(false),
    PROPERTY(Anchors),
    PROPERTY(BackgroundColor).Idents(ColorIdentMap).Stored<&TWbCustomTabControl::IsBackgroundColorStored>(),
    PROPERTY(BoldCurrentTab).Default(false),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(UseColoredTabs).Default(false),
    PROPERTY(Constraints),
    PROPERTY(CutCornerSize).Default(6),
    PROPERTY(DockSite).Default(false),
    PROPERTY(DragCursor),
    PROPERTY(DragKind),
    PROPERTY(DragMode).Default(dmManual),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Font),
    PROPERTY(FlatColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(FlatColorAdjustment).Default(0),
    PROPERTY(ImageAlignment).Default(haCenter),
    PROPERTY(ImageMargin).Default(2),
    PROPERTY(ImagePosition).Default(ipLeft),
    PROPERTY(ImageAlignmentVertical).Default(vaCenter),
    PROPERTY(Hint),
    PROPERTY(HotTrack).Default(true),
    PROPERTY(HotTrackColor).Idents(ColorIdentMap).Default(TColor(1350640)),
    PROPERTY(HotTrackColorType).Default(htctActual),
    PROPERTY(HotTrackStyle).Default(htsTab),
    PROPERTY(Images),
    PROPERTY(Margin).Default(0),
    PROPERTY(MultiLine).Default(false),
    PROPERTY(ParentBackgroundColor).Default(true),
    PROPERTY(ParentColor).Default(true),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(ParentShowHint).Default(true),
    PROPERTY(PopupMenu),
    PROPERTY(RowIndent).Default(5),
    PROPERTY(RowOverlap).Default(5),
    PROPERTY(ShowCardFrame).Default(true),
    PROPERTY(ShowCloseButton).Default(false),
    PROPERTY(ShowMenuButton).Default(false),
    PROPERTY(ShowFocusRect).Default(true),
    PROPERTY(ShowFullFrame).Default(true),
    PROPERTY(ShowHint),
    PROPERTY(ShowShadow).Default(true),
    PROPERTY(SoftCorners).Default(false),
    PROPERTY(TabOverlap).Default(-1),
    PROPERTY(TextOrientation).Default(orHorizontal),
    PROPERTY(TabColors),
    PROPERTY(TabHeight).Default(0),
    PROPERTY(TabHints).Default(false),
    PROPERTY(TabIndex).Default(-1),
    PROPERTY(TabOrder),
    PROPERTY(TabOrientation).Default(toTop),
    PROPERTY(TabSequence).Default(tsStandard),
    PROPERTY(TabStop).Default(true),
    PROPERTY(TabStyle).Default(tsSingleSlant),
    PROPERTY(TabWidth).Default(0),
    PROPERTY(TextColors),
    PROPERTY(TextAlignment).Default(haCenter),
    PROPERTY(TextAlignmentVertical).Default(vaCenter),
    PROPERTY(Transparent).Default(false),
    PROPERTY(UseGradients).Default(true),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnClick),
    PROPERTY(OnClose),
    PROPERTY(OnContextPopup),
    PROPERTY(OnDblClick),
    PROPERTY(OnDockDrop),
    PROPERTY(OnDockOver),
    PROPERTY(OnDragDrop),
    PROPERTY(OnDragOver),
    PROPERTY(OnEndDock),
    PROPERTY(OnEndDrag),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnGetSiteInfo),
    PROPERTY(OnGetTextColor),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnPageChange),
    PROPERTY(OnPaintBackground),
    PROPERTY(OnPaintCardBackground),
    PROPERTY(OnPaintTabBackground),
    PROPERTY(OnStartDock),
    PROPERTY(OnStartDrag),
    PROPERTY(OnTabClick),
    PROPERTY(OnTabOrderChange),
    PROPERTY(OnUnDock))
TAVREN_MESSAGE_TABLE(TWbPageControl,
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_UNDOCKCLIENT, CMUnDockClient),
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus))

// ---- Tab sheet --------------------------------------------------------------------------------

TWbTabSheet::TWbTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  TCustomControl::SetVisible(false);
  SetAlign(alClient);
}

TWbTabSheet::~TWbTabSheet() { SetParentPageControl(nullptr); }

void TWbTabSheet::SetParentComponent(TComponent* Value) {
  if (auto* pages = dynamic_cast<TWbPageControl*>(Value)) SetParentPageControl(pages);
  else inherited::SetParentComponent(Value);
}

void TWbTabSheet::SetParentPageControl(TWbPageControl* Value) {
  if (Value == FPageControl) return;
  if (FPageControl) FPageControl->DetachPage(this);
  SetParent(Value);
  if (Value) Value->AttachPage(this);
}

void TWbTabSheet::SetVisible(bool) { throw EInvalidOperation(LoadStr(SWbTabSheetVisible)); }

void TWbTabSheet::SetColor(TColor Value) {
  if (TWbPageControl* pc = FPageControl) {
    if (!pc->GetUseColoredTabs()) {
      if (Value != pc->GetColor()) pc->SetUseColoredTabs(true);
      else if (GetColor() == pc->GetColor()) return;
    }
  }
  TCustomControl::SetColor(Value);
  if (FPageControl) FPageControl->RebuildTabs();
}

#define WB_SHEET_SETTER(Name, Type)        \
  void TWbTabSheet::Set##Name(Type Value) { \
    if (Value == F##Name) return;          \
    F##Name = Value;                       \
    if (FPageControl) FPageControl->RebuildTabs(); \
  }
WB_SHEET_SETTER(ImageIndex, Integer)
WB_SHEET_SETTER(DisabledIndex, Integer)
WB_SHEET_SETTER(TabEnabled, bool)
WB_SHEET_SETTER(TabVisible, bool)
#undef WB_SHEET_SETTER

Integer TWbTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return Integer(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TWbTabSheet::SetPageIndex(Integer Value) {
  if (!FPageControl) return;
  const Integer last = FPageControl->GetPageListCount() - 1;
  if (Value < 0 || Value > last) throw EListError(Format(LoadStr(SWbTabPageIndex), Value, last));
  FPageControl->MovePage(this, Value);
}

Integer TWbTabSheet::GetVisibleTabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  Integer n = 0;
  for (TWbTabSheet* page : FPageControl->FPages) {
    if (page == this) return n;
    if (page->FTabVisible) ++n;
  }
  return -1;
}

void TWbTabSheet::AssignTo(TPersistent* Dest) {
  auto* tab = dynamic_cast<TWbTabData*>(Dest);
  if (!tab) return inherited::AssignTo(Dest);
  tab->Caption = GetCaption();
  tab->Color = GetColor();
  tab->TabEnabled = FTabEnabled;
  tab->TabVisible = FTabVisible;
  tab->Hint = GetHint();
  tab->ImageIndex = FImageIndex;
  tab->DisabledIndex = FDisabledIndex;
}

void TWbTabSheet::Paint() {
  bool handled = false;
  const TRect r{0, 0, GetWidth(), GetHeight()};
  FOnPaintBackground(this, GetCanvas(), r, handled);
  if (handled) return;
  GetCanvas()->GetBrush()->SetStyle(bsSolid);
  GetCanvas()->GetBrush()->SetColor(GetColor());
  GetCanvas()->FillRect(r);
}

void TWbTabSheet::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TWbTabSheet::CMTextChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (FPageControl) FPageControl->RebuildTabs();
}

// ---- Page control -----------------------------------------------------------------------------

TWbPageControl::TWbPageControl(TComponent* AOwner) : TWbCustomTabControl(AOwner) {
  SetBounds(GetLeft(), GetTop(), GetWidth(), 150);
  FControlStyle.Exclude(csAcceptsControls);
  FControlStyle.Include(csOpaque);
}

TWbPageControl::~TWbPageControl() {
  for (TWbTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
}

void TWbPageControl::GetChildren(const TGetChildProc& Proc, TComponent*) {
  // Pages are streamed in page order.
  for (TWbTabSheet* page : FPages) Proc(page);
}

void TWbPageControl::SetChildOrder(TComponent* Child, Integer Order) {
  if (auto* page = dynamic_cast<TWbTabSheet*>(Child); page && page->FPageControl == this) page->SetPageIndex(Order);
}

void TWbPageControl::AttachPage(TWbTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  RebuildTabs();
}

void TWbPageControl::DetachPage(TWbTabSheet* Page) {
  auto at = std::find(FPages.begin(), FPages.end(), Page);
  if (at == FPages.end()) return;
  if (Page == FActivePage && !GetComponentState().Contains(csDestroying)) SetActivePage(nullptr);
  if (Page == FActivePage) FActivePage = nullptr;
  FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
  RebuildTabs();
  Page->FPageControl = nullptr;
  if (Page == FActivePageDefault) SetActivePageDefault(nullptr);
}

void TWbPageControl::MovePage(TWbTabSheet* Page, Integer NewIndex) {
  const Integer old = Page->GetPageIndex();
  if (old == NewIndex) return;
  FPages.erase(FPages.begin() + old);
  FPages.insert(FPages.begin() + NewIndex, Page);
  RebuildTabs();
  DoTabOrderChange(old, NewIndex);
}

void TWbPageControl::RebuildTabs() {
  FTabs->Clear();
  for (TWbTabSheet* page : FPages) {
    if (!page->FTabVisible) continue;
    auto* tab = new TWbTabData;
    page->AssignTo(tab);
    FTabs->Add(tab);
  }
  // The current tab follows the active page (none when its tab is hidden); the page itself does
  // not change, so nothing is asked.
  if (FActivePage && !FLoading) {
    const Integer t = FActivePage->GetVisibleTabIndex();
    if (t != FTabIndex) {
      SetForcedChange(true);
      SetTabIndex(t);
      SetForcedChange(false);
    }
  }
  RequestLayout();
}

TWbTabSheet* TWbPageControl::PageForTab(Integer TabIndex) const {
  for (TWbTabSheet* page : FPages)
    if (page->GetVisibleTabIndex() == TabIndex && TabIndex >= 0) return page;
  return nullptr;
}

TWbTabSheet* TWbPageControl::NextPageFrom(TWbTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  const Integer n = Integer(FPages.size());
  if (n == 0) return nullptr;
  auto found = std::find(FPages.begin(), FPages.end(), CurPage);
  Integer start = found != FPages.end() ? Integer(found - FPages.begin()) : GoForward ? n - 1 : 0;
  Integer i = start;
  do {
    i = GoForward ? (i + 1) % n : (i + n - 1) % n;
    if (!CheckTabVisible || FPages[size_t(i)]->FTabVisible) return FPages[size_t(i)];
  } while (i != start);
  return nullptr;
}

void TWbPageControl::SelectAdjacentPage(bool GoForward) {
  if (TWbTabSheet* page = NextPageFrom(FActivePage, GoForward, true)) SetActivePage(page);
}

void TWbPageControl::ShowPage(TWbTabSheet* Page) {
  if (Page == FActivePage) return;
  TCustomForm* form = GetParentForm();
  if (form && FActivePage && form->GetActiveControl() && FActivePage->ContainsControl(form->GetActiveControl()))
    form->SetActiveControl(FActivePage);
  if (Page) {
    Page->BringToFront();
    Page->TCustomControl::SetVisible(true);
    if (form && FActivePage && form->GetActiveControl() == FActivePage)
      form->SetActiveControl(Page->CanFocus() ? static_cast<TWinControl*>(Page) : this);
  }
  if (TWbTabSheet* old = FActivePage) {
    old->TCustomControl::SetVisible(false);
    if (FSaveResources && !GetComponentState().Contains(csDesigning) && old->HandleAllocated()) old->DestroyHandle();
  }
  FActivePage = Page;
  if (form && Page && form->GetActiveControl() == Page) Page->SelectFirst();
}

void TWbPageControl::SetActivePage(TWbTabSheet* Value) {
  if (Value && Value->FPageControl != this) return;
  if (IsLoadingOrReading()) {
    FActivePage = Value;
    return;
  }
  const Integer t = Value ? Value->GetVisibleTabIndex() : -1;
  if (t < 0) {
    ShowPage(Value);
    PageChange();
  }
  SetTabIndex(t);
}

void TWbPageControl::SetActivePageDefault(TWbTabSheet* Value) {
  if (FActivePageDefault) FActivePageDefault->RemoveFreeNotification(this);
  FActivePageDefault = Value;
  if (Value) Value->FreeNotification(this);
}

Integer TWbPageControl::GetActivePagePosition() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TWbPageControl::SetActivePagePosition(Integer Value) {
  if (Value < 0 || Value >= GetPageListCount()) SetTabIndex(-1);
  else SetActivePage(FPages[size_t(Value)]);
}

void TWbPageControl::SetSaveResources(bool Value) {
  if (Value == FSaveResources) return;
  FSaveResources = Value;
  if (!Value || GetComponentState().Contains(csDesigning)) return;
  for (TWbTabSheet* page : FPages)
    if (page != FActivePage && page->HandleAllocated()) page->DestroyHandle();
}

void TWbPageControl::TabChanging(Integer NewIndex, bool& AllowChange) {
  if (!FLoading) TWbCustomTabControl::TabChanging(NewIndex, AllowChange);
  if (AllowChange) ShowPage(PageForTab(NewIndex));
}

void TWbPageControl::TabChanged() {
  // A forced change (layout repair, keys) skipped TabChanging: the page still has to follow.
  if (TWbTabSheet* page = PageForTab(FTabIndex); page && page != FActivePage) ShowPage(page);
  if (!FLoading) TWbCustomTabControl::TabChanged();
}

void TWbPageControl::PageChange() {
  if (!FLoading) TWbCustomTabControl::PageChange();
}

void TWbPageControl::CloseActiveTab() {
  if (!FActivePage) return;
  const Integer t = FTabIndex;
  delete FActivePage;
  SetTabIndex(t > 0 ? t - 1 : t);
}

void TWbPageControl::MoveActiveTab(Integer NewIndex) {
  // The drop target is a tab: its page's place in the page list is where the page goes.
  if (!FActivePage) return;
  if (TWbTabSheet* target = PageForTab(NewIndex)) FActivePage->SetPageIndex(target->GetPageIndex());
}

void TWbPageControl::HideAllTabs() {
  for (TWbTabSheet* page : FPages) page->FTabVisible = false;
  RebuildTabs();
}

void TWbPageControl::ShowAllTabs() {
  for (TWbTabSheet* page : FPages) page->FTabVisible = true;
  RebuildTabs();
}

void TWbPageControl::PaintCardBackground(TCanvas* Canvas, Integer Row, const TRect& Rect, bool& Handled) {
  TWbCustomTabControl::PaintCardBackground(Canvas, Row, Rect, Handled);
  if (Handled || Row != 0 || GetTabIndex() < 0 || !FActivePage) return;
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(FActivePage->GetColor());
  Canvas->FillRect(Rect);
  Handled = true;
}

void TWbPageControl::SetUseColoredTabs(bool Value) {
  TWbCustomTabControl::SetUseColoredTabs(Value);
  if (!Value && GetParent())
    for (TWbTabSheet* page : FPages) page->TCustomControl::SetColor(GetColor());
  if (!Value) RebuildTabs();
}

void TWbPageControl::CMColorChanged(TMessage& Message) {
  if (!GetUseColoredTabs()) {
    for (TWbTabSheet* page : FPages) page->TCustomControl::SetColor(GetColor());
    RebuildTabs();
  }
  InheritedMessage(Message);
}

void TWbPageControl::Loaded() {
  // No page events while the form is being read, the base's re-selection included.
  FLoading = true;
  try {
    TWbCustomTabControl::Loaded();
    LayoutTabs();
    SetTabIndex(-1);
    TWbTabSheet* page = FActivePage;
    if (FActivePageDefault && FActivePageDefault != FActivePage) {
      if (FActivePage) FActivePage->TCustomControl::SetVisible(false);
      page = FActivePageDefault;
    }
    FActivePage = nullptr;
    RebuildTabs();
    SetActivePage(page);
  } catch (...) {
    FLoading = false;
    throw;
  }
  FLoading = false;
}

void TWbPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWbCustomTabControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActivePageDefault) FActivePageDefault = nullptr;
}

void TWbPageControl::CMDialogKey(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.Result) return;
  TCustomForm* form = GetParentForm();
  if (Message.WParam == VK_TAB && (GetKeyState(VK_CONTROL) < 0) && form && form->GetActiveControl() &&
      ContainsControl(form->GetActiveControl())) {
    SelectAdjacentPage(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
  }
}

void TWbPageControl::WMSetFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (!FActivePage || FActivePage->FTabVisible) return;
  for (Integer i = 0; i < FActivePage->GetControlCount(); ++i)
    if (auto* win = dynamic_cast<TWinControl*>(FActivePage->GetControls(i)); win && win->CanFocus()) {
      win->SetFocus();
      return;
    }
}

// ---- Docking ----------------------------------------------------------------------------------

void TWbPageControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock) {
  // A control already docked here is not docked again.
  CanDock = Client->GetHostDockSite() != this;
  TWbCustomTabControl::GetSiteInfo(Client, InfluenceRect, MousePos, CanDock);
}

void TWbPageControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  TPoint origin = ClientToScreen({0, 0});
  Source->SetDockRect({origin.X, origin.Y, origin.X + GetWidth(), origin.Y + GetHeight()});
  TWbCustomTabControl::DockOver(Source, X, Y, State, Accept);
}

void TWbPageControl::DockDrop(TDragDockObject* Source, Integer X, Integer Y) {
  TControl* control = Source->GetControl();
  auto* page = new TWbTabSheet(this);
  try {
    if (auto* form = dynamic_cast<TCustomForm*>(control)) page->SetCaption(form->GetCaption());
    page->SetParentPageControl(this);
    // Docked into the new page rather than into the site itself (the site's client list would
    // forget a control that moves on to a page).
    control->SetAlign(alNone);
    control->SetParent(page);
    control->SetHostDockSite(this);
  } catch (...) {
    delete page;
    throw;
  }
  page->SetTabVisible(control->GetVisible());
  if (control->GetVisible()) SetActivePage(page);
  control->SetAlign(alClient);
  GetOnDockDrop()(this, Source, X, Y);
}

void TWbPageControl::CMUnDockClient(TMessage& Message) {
  InheritedMessage(Message);
  if (!Message.Result) return;
  auto* client = reinterpret_cast<TControl*>(Message.LParam);
  if (client->GetHostDockSite() == this) client->SetHostDockSite(nullptr);
  client->SetAlign(alNone);
  auto* page = dynamic_cast<TWbTabSheet*>(client->GetParent());
  if (!page || page->FPageControl != this || GetComponentState().Contains(csDestroying)) return;
  // The client goes somewhere else next; its page goes now and the next page is shown.
  client->SetParent(this);
  if (page == FActivePage) SelectAdjacentPage(true);
  delete page;
}

TControl* TWbPageControl::DockedClientAt(Integer X, Integer Y) {
  TWbTabSheet* page = PageForTab(TabAtPoint(X, Y));
  if (!page) return nullptr;
  for (Integer i = 0; i < page->GetControlCount(); ++i)
    if (page->GetControls(i)->GetHostDockSite() == this) return page->GetControls(i);
  return nullptr;
}

void TWbPageControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWbCustomTabControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Shift.Contains(ssDouble)) return;
  if (TControl* docked = DockedClientAt(X, Y)) docked->BeginDrag(false);
}

void TWbPageControl::DblClick() {
  TWbCustomTabControl::DblClick();
  if (!FDblClickUndocks) return;
  TPoint at = ScreenToClient(Mouse()->GetCursorPos());
  if (TControl* docked = DockedClientAt(at.X, at.Y)) docked->ManualDock(nullptr);
}

void WbTabsStart() {
  RegisterClasses({TWbTabSheet::ClassInfo(), TWbPageControl::ClassInfo(), TWbTabControl::ClassInfo()});
}
