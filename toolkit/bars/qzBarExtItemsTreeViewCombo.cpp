// The tree-view combo: the item, its drop-down tree with the sizable popup frame, the "Select
// item" dialog and the item's control.

#include <memory>

#include "gdi/DeviceContexts.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsTree.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/bars/qzDropDownFrame.h"
#include "toolkit/foundation/kvGraphics.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "vcl/DialogForm.h"

TAVREN_CLASS_IMPL(TqzBarTreeView)
TAVREN_CLASS_IMPL_PUBLISHED(TqzBarTreeViewCombo,
    PROPERTY(AllowResizing).Default(true),
    PROPERTY(ChooseByDblClick).Default(true),
    PROPERTY(DropDownHeight).Default(200),
    PROPERTY(DropDownWidth).Default(150),
    PROPERTY(FullExpand).Default(false),
    PROPERTY(Images),
    PROPERTY(Indent).Default(19),
    PROPERTY(Items),
    PROPERTY(ShowButtons).Default(true),
    PROPERTY(ShowEditor).Default(false),
    PROPERTY(ShowImageInEdit).Default(true),
    PROPERTY(ShowLines).Default(true),
    PROPERTY(ShowRoot).Default(true),
    PROPERTY(SortType).Default(stNone),
    PROPERTY(StateImages),
    PROPERTY(OnCanSelectNode),
    PROPERTY(OnChanging),
    PROPERTY(OnCollapsed),
    PROPERTY(OnCollapsing),
    PROPERTY(OnCompare),
    PROPERTY(OnExpanded),
    PROPERTY(OnExpanding),
    PROPERTY(OnGetImageIndex),
    PROPERTY(OnGetSelectedIndex),
    PROPERTY(OnTreeViewChange))
TAVREN_CLASS_IMPL(TqzBarTreeViewComboControl)

namespace {

// The border hit-test code the close button answers, so that the frame takes its press.
constexpr LRESULT kCloseButtonHit = HTBORDER;

// The modal dialog with a copy of the combo's tree; the responder knows it as
// "SelectTreeItemDialog" and its tree as ItemTree.
class TTreeComboDialog : public TDialogForm {
  TAVREN_CLASS(TTreeComboDialog, TDialogForm)
 public:
  explicit TTreeComboDialog(TqzBarTreeViewCombo* ACombo);
  TqzBarTreeView* Tree = nullptr;

 private:
  void FormResize(TObject*);
  Integer FButtonWidth = 0;
  Integer FButtonHeight = 0;
  Integer FGap = 0;
};

TAVREN_CLASS_IMPL(TTreeComboDialog)

TTreeComboDialog::TTreeComboDialog(TqzBarTreeViewCombo* ACombo)
    : TDialogForm("SelectTreeItemDialog", ResourceStringText(sqzBarSelectItem), 0, 0) {
  if (TqzBarManager* manager = ACombo->GetBarManager()) GetFont()->Assign(manager->GetFont());
  if (ACombo->GetAllowResizing()) {
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons());
  }
  SetPosition(poScreenCenter);
  TBitmap measure;
  measure.SetSize(1, 1);
  TCanvas* canvas = measure.GetCanvas();
  canvas->SetFont(GetFont());
  FButtonWidth = 12 * canvas->TextWidth("0");
  FButtonHeight = MulDiv(canvas->TextHeight("0"), 5, 3);
  FGap = FButtonHeight / 4;

  TqzBarTreeView* source = ACombo->GetTreeView();
  Tree = new TqzBarTreeView(this, ACombo, false);
  Tree->SetName("ItemTree");
  Tree->SetParent(this);
  Tree->SetImages(source->GetImages());
  Tree->SetStateImages(source->GetStateImages());
  Tree->SetIndent(source->GetIndent());
  Tree->SetShowButtons(source->GetShowButtons());
  Tree->SetShowLines(source->GetShowLines());
  Tree->SetShowRoot(source->GetShowRoot());
  Tree->SetSortType(source->GetSortType());
  Tree->GetItems()->Assign(source->GetItems());
  // The same client size as the drop-down tree: the frames differ.
  TSize popupFrame = source->FrameSize();
  Tree->SetBounds(FGap, FGap, 100, 100);
  Integer frameWidth = Tree->GetWidth() - Tree->GetClientWidth();
  Integer frameHeight = Tree->GetHeight() - Tree->GetClientHeight();
  Tree->SetBounds(FGap, FGap, source->GetWidth() - popupFrame.cx + frameWidth,
                  source->GetHeight() - popupFrame.cy + frameHeight);

  GetOkButton()->SetCaption(ResourceStringText(sqzBarOK));
  GetCancelButton()->SetCaption(ResourceStringText(sqzBarCancel));
  SetClientWidth(Tree->GetWidth() + FButtonWidth + 3 * FGap);
  SetClientHeight(Tree->GetHeight() + 2 * FGap);
  FormResize(this);
  SetOnResize(MakeEvent<&TTreeComboDialog::FormResize>(this));

  if (ACombo->GetFullExpand()) Tree->FullExpand();
  TTreeNode* node = TqzBarTreeViewCombo::FindNode(Tree, ACombo->GetText());
  if (node)
    node->SetSelected(true);
  else if (TTreeNode* first = Tree->GetItems()->GetFirstNode())
    first->MakeVisible();
  SetActiveControl(Tree);
}

void TTreeComboDialog::FormResize(TObject*) {
  Integer width = GetClientWidth();
  Integer height = GetClientHeight();
  Tree->SetBounds(FGap, FGap, std::max(width - FButtonWidth - 3 * FGap, 0), std::max(height - 2 * FGap, 0));
  GetOkButton()->SetBounds(width - FGap - FButtonWidth, FGap, FButtonWidth, FButtonHeight);
  GetCancelButton()->SetBounds(width - FGap - FButtonWidth, FGap + FButtonHeight + FGap, FButtonWidth, FButtonHeight);
}

}  // namespace

// ---- Tree ----------------------------------------------------------------------------------------

TqzBarTreeView::TqzBarTreeView(TComponent* AOwner, TqzBarTreeViewCombo* ACombo, bool AIsPopup)
    : TCustomTreeView(AOwner), FCombo(ACombo), FIsPopup(AIsPopup) {
  SetReadOnly(true);
  if (!AIsPopup) return;
  SetVisible(false);
  SetHideSelection(false);
  SetBounds(0, 0, 150, 200);
}

TqzBarTreeView::~TqzBarTreeView() {
  if (FIsPopup) FCombo->TreeViewDestroyed(this);
}

bool TqzBarTreeView::Sizable() const { return FIsPopup && FCombo->GetAllowResizing(); }

TqzBarItemControl* TqzBarTreeView::DroppedFromControl() const {
  TqzBarItemLink* link = FCombo->GetActiveLink();
  return link ? link->GetControl() : nullptr;
}

TqzBarPainter* TqzBarTreeView::FramePainter() const {
  if (TqzBarItemControl* control = DroppedFromControl()) return control->Painter();
  TqzBarManager* manager = FCombo->GetBarManager();
  return manager ? manager->GetDefaultPainter() : BarPainterClassOf<TqzBarPainter>();
}

TSize TqzBarTreeView::FrameSize() const {
  return TSize(2, 2 + (Sizable() ? FramePainter()->ClassRef()->DropDownGripHeight() : 0));
}

void TqzBarTreeView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!FIsPopup) return;
  // Above everything and never activated, so the editor keeps the focus. Made as a child of the
  // manager's form, which frees it with itself; a tree without a form is a popup of its own.
  Params.Style &= ~WS_BORDER;
  if (!GetParent()) Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
  Params.ExStyle = (Params.ExStyle & ~WS_EX_CLIENTEDGE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TqzBarTreeView::CreateWnd() {
  inherited::CreateWnd();
  if (!FIsPopup) return;
  // The window leaves the form for the desktop, so it can show anywhere on the screen.
  if (GetWindowLong(GetHandle(), GWL_STYLE) & WS_CHILD) ::SetParent(GetHandle(), nullptr);
  // Drawn as the tree with the focus: the keys come to it from the editor.
  TMessage focus{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(focus);
}

bool TqzBarTreeView::IsOnNode(const TPoint& P) {
  TVHITTESTINFO hit;
  hit.pt = P;
  SendMessage(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.hItem && (hit.flags & TVHT_ONITEM);
}

void TqzBarTreeView::ChooseNode() {
  TTreeNode* node = GetSelected();
  if (!node || !FCombo->CanSelectNode(node)) return;
  if (!FIsPopup) {
    FCombo->SetText(node->GetText());
    if (auto* form = dynamic_cast<TCustomForm*>(GetParent())) form->SetModalResult(mrOk);
    return;
  }
  if (TqzBarItemLink* link = FCombo->GetActiveLink()) link->GetSourceLink()->RegisterUse(true);
  HideActiveBarControl();
  FCombo->SetSelectedNode(node);
}

void TqzBarTreeView::Change(TTreeNode* Node) {
  inherited::Change(Node);
  if (!FIsPopup || !Node) return;
  TqzBarItemLink* link = FCombo->GetActiveLink();
  auto* control = link ? dynamic_cast<TqzBarWinControl*>(link->GetControl()) : nullptr;
  if (!control || !control->GetInPlaceActive()) return;
  if (control->EditorHidden())
    control->Repaint();
  else
    control->SetInnerText(Node->GetText());
}

void TqzBarTreeView::Delete(TTreeNode* Node) {
  if (FIsPopup) FCombo->NodeDeleted(Node);
  inherited::Delete(Node);
}

void TqzBarTreeView::Click() {
  inherited::Click();
  if (!FCombo->GetChooseByDblClick() && HandleAllocated() && IsOnNode(FPressPoint)) ChooseNode();
}

void TqzBarTreeView::DblClick() {
  inherited::DblClick();
  if (FCombo->GetChooseByDblClick() && HandleAllocated() && IsOnNode(FPressPoint)) ChooseNode();
}

void TqzBarTreeView::PaintFrame() {
  FramePainter()->DrawDropDownNonClient(GetHandle(), Sizable(), FGripCorner, FGripRect, FCloseButtonRect,
                                        FCloseButtonHot, FCloseButtonTracking);
}

void TqzBarTreeView::SetCloseButtonState(bool AHot, bool ATracking) {
  if (FCloseButtonHot == AHot && FCloseButtonTracking == ATracking) return;
  FCloseButtonHot = AHot;
  FCloseButtonTracking = ATracking;
  if (HandleAllocated()) PaintFrame();
}

bool TqzBarTreeView::FrameHitTest(TMessage& Message) {
  TPoint p(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
  if (!Sizable()) return false;
  if (PtInRect(&FGripRect, p)) {
    Message.Result = HitTestOfCorner(FGripCorner);
    return true;
  }
  // The hit test comes to the window under the point; the button answers unless another window
  // holds the mouse.
  bool over = PtInRect(&FCloseButtonRect, p) && (!GetCapture() || GetCapture() == GetHandle());
  if (!FCloseButtonTracking) SetCloseButtonState(over, false);
  if (!over) return false;
  Message.Result = kCloseButtonHit;
  return true;
}

void TqzBarTreeView::SizeTo(const TPoint& AScreenPoint) {
  const Integer dx = AScreenPoint.X - FSizeStart.X;
  const Integer dy = AScreenPoint.Y - FSizeStart.Y;
  const bool right = FGripCorner == gcTopRight || FGripCorner == gcBottomRight;
  const bool bottom = FGripCorner == gcBottomLeft || FGripCorner == gcBottomRight;
  TRect r = FSizeStartRect;
  if (right)
    r.Right = std::max(r.Right + dx, r.Left + qzTreeDropDownMinSize);
  else
    r.Left = std::min(r.Left + dx, r.Right - qzTreeDropDownMinSize);
  if (bottom)
    r.Bottom = std::max(r.Bottom + dy, r.Top + qzTreeDropDownMinSize);
  else
    r.Top = std::min(r.Top + dy, r.Bottom - qzTreeDropDownMinSize);
  SetWindowPos(GetHandle(), nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
}

void TqzBarTreeView::WndProc(TMessage& Message) {
  if (!FIsPopup) return inherited::WndProc(Message);
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    // Focus requests are ignored: the editor keeps the focus and hands the keys over.
    case WM_SETFOCUS: return;
    case WM_NCCALCSIZE: {
      inherited::WndProc(Message);
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      TRect content(*r);
      FramePainter()->AdjustDropDownContent(GetHandle(), content, Sizable(), DroppedFromControl(), FGripCorner);
      *r = content;
      return;
    }
    case WM_NCPAINT:
      PaintFrame();
      return;
    case WM_NCHITTEST:
      if (FrameHitTest(Message)) return;
      break;
    case WM_NCLBUTTONDOWN:
      if (Sizable() && static_cast<LRESULT>(Message.WParam) == HitTestOfCorner(FGripCorner)) {
        FSizing = true;
        FSizeStart = TPoint(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
        GetWindowRect(GetHandle(), &FSizeStartRect);
        SetCapture(GetHandle());
        return;
      }
      if (Message.WParam == static_cast<WPARAM>(kCloseButtonHit) && FCloseButtonHot) {
        SetCapture(GetHandle());
        SetCloseButtonState(true, true);
        return;
      }
      break;
    case WM_MOUSEMOVE:
      if (FSizing) {
        POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
        ::ClientToScreen(GetHandle(), &p);
        SizeTo(TPoint(p.X, p.Y));
        return;
      }
      if (FCloseButtonTracking) {
        POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
        ::ClientToScreen(GetHandle(), &p);
        SetCloseButtonState(PtInRect(&FCloseButtonRect, p), true);
        return;
      }
      break;
    case WM_LBUTTONUP:
      if (FSizing) {
        ReleaseCapture();
        return;
      }
      if (FCloseButtonTracking) {
        bool over = FCloseButtonHot;
        ReleaseCapture();
        SetCloseButtonState(false, false);
        if (over) HideActiveBarControl();
        return;
      }
      break;
    case WM_CAPTURECHANGED:
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
      inherited::WndProc(Message);
      if (Message.Msg == WM_CAPTURECHANGED) FSizing = false;
      SetCloseButtonState(false, false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FPressPoint = TPoint(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
      break;
    case WM_KEYDOWN:
      if (Message.WParam == VK_RETURN) {
        ChooseNode();
        return;
      }
      break;
    case WM_SYSCOLORCHANGE:
      inherited::WndProc(Message);
      RecreateWnd();
      return;
    case TVM_SETITEM: {
      inherited::WndProc(Message);
      auto* item = reinterpret_cast<const TVITEM*>(Message.LParam);
      TTreeNode* selected = FCombo->GetSelectedNode();
      if (item && selected && item->hItem == selected->GetItemId()) FCombo->SelectedNodeChanged();
      return;
    }
    default: break;
  }
  inherited::WndProc(Message);
}

// ---- Item ----------------------------------------------------------------------------------------

TqzBarTreeViewCombo::TqzBarTreeViewCombo(TComponent* AOwner)
    : TCustomqzBarCombo(AOwner), FTreeView(new TqzBarTreeView(nullptr, this, true)) {
  if (TqzBarManager* manager = GetBarManager())
    if (TWinControl* form = manager->GetOwnerControl()) FTreeView->SetParent(form);
  SetShowEditor(false);
  LoadBarItemGlyph(this, "QZBARTREEVIEWCOMBO");
}

TqzBarTreeViewCombo::~TqzBarTreeViewCombo() {
  // The nodes go without reporting to an item that is going.
  FSelectedNode = nullptr;
  delete FTreeView;
}

void TqzBarTreeViewCombo::TreeViewDestroyed(TqzBarTreeView* ATree) {
  if (FTreeView == ATree) FTreeView = nullptr;
}

TTreeNode* TqzBarTreeViewCombo::FindNode(TCustomTreeView* ATree, const String& AText) {
  if (!ATree) return nullptr;
  for (TTreeNode* node = ATree->GetItems()->GetFirstNode(); node; node = node->GetNext())
    if (SameText(node->GetText(), AText)) return node;
  return nullptr;
}

void TqzBarTreeViewCombo::SetSelectedNode(TTreeNode* Value) {
  if (FSelectedNode == Value) return;
  FSelectedNode = Value;
  SelectedNodeChanged();
}

void TqzBarTreeViewCombo::NodeDeleted(TTreeNode* ANode) {
  if (FSelectedNode == ANode) FSelectedNode = nullptr;
}

void TqzBarTreeViewCombo::SelectedNodeChanged() {
  bool applying = std::exchange(FApplyingNode, true);
  try {
    String text = FSelectedNode ? FSelectedNode->GetText() : String();
    if (text == GetText())
      FireChange();
    else
      SetText(text);
  } catch (...) {
    FApplyingNode = applying;
    throw;
  }
  FApplyingNode = applying;
  RepaintControls();
}

void TqzBarTreeViewCombo::SetText(const String& Value) {
  // While loading the nodes may come after the text: Loaded finds its node.
  if (!IsLoading() && !FApplyingNode) FSelectedNode = FindNode(FTreeView, Value);
  inherited::SetText(Value);
}

void TqzBarTreeViewCombo::Loaded() {
  inherited::Loaded();
  FSelectedNode = FindNode(FTreeView, GetText());
}

bool TqzBarTreeViewCombo::CanSelectNode(TTreeNode* ANode) {
  bool allow = true;
  FOnCanSelectNode(this, ANode, allow);
  return allow;
}

void TqzBarTreeViewCombo::SetImages(TCustomImageList* Value) {
  if (GetImages() == Value) return;
  FTreeView->SetImages(Value);
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarTreeViewCombo::SetStateImages(TCustomImageList* Value) {
  if (GetStateImages() == Value) return;
  FTreeView->SetStateImages(Value);
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarTreeViewCombo::SetShowImageInEdit(bool Value) {
  if (FShowImageInEdit == Value) return;
  FShowImageInEdit = Value;
  if (GetImages() && !IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

bool TqzBarTreeViewCombo::KeyGoesToDropDown(Word AKey, TShiftState AShift) {
  return AKey == VK_RETURN || inherited::KeyGoesToDropDown(AKey, AShift);
}

HWND TqzBarTreeViewCombo::GetDropDownHandle() {
  if (HWND window = inherited::GetDropDownHandle()) return window;
  return FTreeView ? FTreeView->GetHandle() : nullptr;
}

void TqzBarTreeViewCombo::OpenDropDownAt(Integer X, Integer Y) {
  TqzBarItemLink* link = GetActiveLink();
  TCustomqzBarControl* bar = link ? link->GetBarControl() : nullptr;
  if (!FTreeView) return;
  // The tree looks like the editor it drops from.
  if (bar) FTreeView->GetFont()->Assign(bar->GetEditFont());
  if (FFullExpand) FTreeView->FullExpand();
  auto* control = link ? dynamic_cast<TqzBarWinControl*>(link->GetControl()) : nullptr;
  String current = GetText();
  if (control && control->GetInPlaceActive() && !control->EditorHidden()) control->GetInnerText(current);
  if (current != GetText())
    if (TTreeNode* node = FindNode(FTreeView, current)) FTreeView->SetSelected(node);
  FTreeView->HandleNeeded();
  TTreeNode* selected = FTreeView->GetSelected();
  if (!selected && FTreeView->GetItems()->GetFirstNode()) FTreeView->GetItems()->GetFirstNode()->MakeVisible();
  if (selected) selected->MakeVisible();
  inherited::OpenDropDownAt(X, Y);
}

void TqzBarTreeViewCombo::DrawEditArea(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R) {
  TCustomImageList* images = GetImages();
  if (!FShowImageInEdit || !images) return inherited::DrawEditArea(AControl, ACanvas, R);
  auto* control = dynamic_cast<TqzBarWinControl*>(AControl);
  bool editing = control && control->GetInPlaceActive();
  TTreeNode* node = editing ? FTreeView->GetSelected() : FSelectedNode;
  TCanvas* canvas = ACanvas->GetCanvas();
  RECT fill = R;
  FillRect(ACanvas->DCHandle(), &fill, ACanvas->CurrentBrush()->GetHandle());
  Integer x = R.Left + 1;
  TCustomImageList* states = GetStateImages();
  if (node && states) {
    Integer state = node->GetStateIndex();
    if (state >= 0 && state < states->GetCount()) {
      states->Draw(canvas, x, R.Top + (R.Height() - states->GetHeight()) / 2, state);
      x += states->GetWidth();
    }
  }
  Integer image = -1;
  if (node) {
    if (node->GetSelectedIndex() >= 0 && node->GetSelectedIndex() < images->GetCount())
      image = node->GetSelectedIndex();
    else if (node->GetImageIndex() >= 0 && node->GetImageIndex() < images->GetCount())
      image = node->GetImageIndex();
  }
  if (image >= 0) images->Draw(canvas, x, R.Top + (R.Height() - images->GetHeight()) / 2, image);
  // The text after the image's place, drawn as the look draws an edit's value.
  TRect textRect(x + images->GetWidth() + 3, R.Top, R.Right, R.Bottom);
  AControl->Painter()->DrawEditValue(this, AControl->GetLink(), textRect, ACanvas);
}

void TqzBarTreeViewCombo::FireClick() {
  inherited::FireClick();
  if (GetOnClick() || GetReadOnly()) return;
  RunDialog();
}

void TqzBarTreeViewCombo::RunDialog() {
  auto dialog = std::make_unique<TTreeComboDialog>(this);
  if (dialog->ShowModal() == mrOk)
    if (TTreeNode* node = dialog->Tree->GetSelected()) SetText(node->GetText());
  // A resized dialog resizes the drop-down.
  TSize frame = FTreeView->FrameSize();
  FTreeView->SetBounds(FTreeView->GetLeft(), FTreeView->GetTop(), dialog->Tree->GetClientWidth() + frame.cx,
                       dialog->Tree->GetClientHeight() + frame.cy);
}

// ---- Control -------------------------------------------------------------------------------------

Integer TqzBarTreeViewComboControl::GetHeight() {
  Integer height = inherited::GetHeight();
  TqzBarTreeViewCombo* combo = GetTreeViewCombo();
  if (!combo || !combo->GetShowImageInEdit() || !combo->GetImages() || GetPaintType() == qzPaintRotated) return height;
  Integer images = combo->GetImages()->GetHeight();
  if (combo->GetStateImages()) images = std::max(images, combo->GetStateImages()->GetHeight());
  return std::max(height, images + 6);
}

void TqzBarTreeViewComboControl::SetInPlaceActive(bool AFlag) {
  inherited::SetInPlaceActive(AFlag);
  TqzBarTreeViewCombo* combo = GetTreeViewCombo();
  if (!AFlag || !combo) return;
  TTreeNode* node = combo->GetSelectedNode();
  if (!node) node = TqzBarTreeViewCombo::FindNode(combo->GetTreeView(), combo->GetText());
  combo->GetTreeView()->SetSelected(node);
}
