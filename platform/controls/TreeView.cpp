#include "controls/TreeView.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "controls/ImageList.h"
#include "controls/ListInfoTip.h"
#include "controls/ListControlWindow.h"
#include "controls/ListLabelEdit.h"
#include "controls/ListScrollBars.h"
#include "rtl/SysUtils.h"
#include "user/Input.h"
#include "user/Timers.h"

namespace {

struct TreeNode {
  std::string text;
  bool textCallback = false;
  int image = 0;
  int selectedImage = 0;
  int children = 0;  // cChildren: 0, 1 or I_CHILDRENCALLBACK
  UINT state = 0;
  LPARAM param = 0;
  TreeNode* parent = nullptr;
  std::vector<TreeNode*> kids;
};

struct VisibleRow {
  TreeNode* node;
  int level;
};

class TreeView : public ListControlBase {
 public:
  // Notifications go to the parent the tree was made in, even after the window moved elsewhere
  // (a drop-down made in a form that shows from the desktop).
  TreeView(HWND window, const CREATESTRUCT* create) : ListControlBase(window) {
    if (create && create->hwndParent) notify_ = create->hwndParent;
  }
  ~TreeView() override { FreeAll(&root_); }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static HTREEITEM ItemOf(TreeNode* node) { return reinterpret_cast<HTREEITEM>(node); }
  TreeNode* Node(HTREEITEM item) const {
    auto* node = reinterpret_cast<TreeNode*>(item);
    return nodes_.count(node) ? node : nullptr;
  }
  bool Expanded(const TreeNode* n) const { return (n->state & TVIS_EXPANDED) != 0; }
  bool HasChildren(TreeNode* node);
  std::string Text(TreeNode* node);
  // The image a node shows, selected or not; a callback image is asked of the parent each time.
  int Image(TreeNode* node, bool selected);
  void FillItem(TreeNode* node, TVITEM* item);

  TreeNode* Insert(const TVINSERTSTRUCT* insert);
  void Delete(TreeNode* node);
  void FreeAll(TreeNode* node);
  bool Expand(TreeNode* node, UINT action, bool user);
  bool Select(TreeNode* node, UINT cause);
  void EnsureVisible(TreeNode* node);
  void SortChildren(TreeNode* parent, bool recurse, const TVSORTCB* callback);

  void Rebuild();
  int RowOf(const TreeNode* node) const;
  int RowHeight() const {
    return itemHeight_ > 0 ? itemHeight_ : std::max({FontHeight() + 3, ImageSize(images_).cy, ImageSize(stateImages_).cy});
  }
  // A list's icon size; none without a list.
  static SIZE ImageSize(HIMAGELIST list);
  int ImageWidth() const { return ImageSize(images_).cx; }
  // Room for the state image left of the image, kept on every row while a state list is set.
  int StateWidth() const { return ImageSize(stateImages_).cx; }
  int PageRows() const { return std::max(Client().Bottom / RowHeight(), 1); }
  int LevelOffset(int level) const;
  RECT TextRect(int row);
  TreeNode* HitTest(TVHITTESTINFO* info);
  void SetTop(int top);
  void UpdateScrollBars();

  TreeNode* Next(TreeNode* node, UINT flag) const;
  void Click(POINT p, UINT code);
  void TrackHover(POINT p);
  void ShowInfoTip(POINT p);
  void KeyDown(UINT key);
  // Type-ahead: typed characters select the next visible item whose text starts with them.
  void SearchChar(char c);
  HWND EditLabel(TreeNode* node);
  void EndEdit(bool save, const std::string& text);
  void Paint(HDC dc, const RECT& clip);
  void DrawLines(HDC dc, int row, const VisibleRow& visible);

  TreeNode root_;
  std::unordered_set<TreeNode*> nodes_;
  std::vector<VisibleRow> rows_;
  TreeNode* selected_ = nullptr;
  TreeNode* dropTarget_ = nullptr;
  TreeNode* editNode_ = nullptr;
  ListLabelEdit labelEdit_;
  ListInfoTip tip_;
  TreeNode* tipNode_ = nullptr;
  // Counts the rebuilds of the rows: a drawing that asked the parent something sees from it
  // whether the rows it walks are still the same.
  unsigned rebuilds_ = 0;
  HIMAGELIST images_ = nullptr;
  HIMAGELIST stateImages_ = nullptr;
  int indent_ = 19;
  int itemHeight_ = 0;
  int top_ = 0;
  int scrollX_ = 0;
  COLORREF back_ = CLR_NONE, text_ = CLR_NONE;
  bool focused_ = false;
  bool updatingBars_ = false;
  std::string search_;
  DWORD searchTime_ = 0;
};

bool TreeView::HasChildren(TreeNode* node) {
  if (!node->kids.empty()) return true;
  if (node->children != I_CHILDRENCALLBACK) return node->children > 0;
  NMTVDISPINFO info;
  info.item.mask = TVIF_CHILDREN;
  info.item.hItem = ItemOf(node);
  info.item.lParam = node->param;
  Notify(TVN_GETDISPINFO, &info.hdr);
  return info.item.cChildren > 0;
}

std::string TreeView::Text(TreeNode* node) {
  if (!node->textCallback) return node->text;
  char buffer[1024] = {};
  NMTVDISPINFO info;
  info.item.mask = TVIF_TEXT;
  info.item.hItem = ItemOf(node);
  info.item.pszText = buffer;
  info.item.cchTextMax = sizeof buffer;
  info.item.lParam = node->param;
  Notify(TVN_GETDISPINFO, &info.hdr);
  if (!info.item.pszText || info.item.pszText == LPSTR_TEXTCALLBACK) return {};
  return std::string(info.item.pszText, strnlen(info.item.pszText, sizeof buffer));
}

int TreeView::Image(TreeNode* node, bool selected) {
  const int image = selected ? node->selectedImage : node->image;
  if (image != I_IMAGECALLBACK) return image;
  NMTVDISPINFO info;
  info.item.mask = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
  info.item.hItem = ItemOf(node);
  info.item.state = node->state;
  info.item.lParam = node->param;
  info.item.iImage = info.item.iSelectedImage = I_IMAGENONE;
  Notify(TVN_GETDISPINFO, &info.hdr);
  const int answer = selected ? info.item.iSelectedImage : info.item.iImage;
  return answer == I_IMAGECALLBACK ? I_IMAGENONE : answer;
}

void TreeView::FillItem(TreeNode* node, TVITEM* item) {
  item->hItem = ItemOf(node);
  item->state = node->state;
  item->lParam = node->param;
  item->iImage = node->image;
  item->iSelectedImage = node->selectedImage;
  item->cChildren = node->children;
}

TreeNode* TreeView::Insert(const TVINSERTSTRUCT* insert) {
  if (!insert) return nullptr;
  TreeNode* parent = insert->hParent == TVI_ROOT || !insert->hParent ? &root_ : Node(insert->hParent);
  if (!parent) return nullptr;
  auto node = std::make_unique<TreeNode>();
  const TVITEM& item = insert->item;
  if (item.mask & TVIF_TEXT) {
    node->textCallback = item.pszText == LPSTR_TEXTCALLBACK;
    if (item.pszText && !node->textCallback) node->text = item.pszText;
  }
  if (item.mask & TVIF_IMAGE) node->image = item.iImage;
  if (item.mask & TVIF_SELECTEDIMAGE) node->selectedImage = item.iSelectedImage;
  if (item.mask & TVIF_CHILDREN) node->children = item.cChildren;
  if (item.mask & TVIF_PARAM) node->param = item.lParam;
  if (item.mask & TVIF_STATE) node->state = item.state & item.stateMask & ~(TVIS_SELECTED | TVIS_EXPANDEDONCE);
  node->parent = parent;
  auto& kids = parent->kids;
  auto at = kids.end();
  if (insert->hInsertAfter == TVI_FIRST) {
    at = kids.begin();
  } else if (insert->hInsertAfter == TVI_SORT) {
    at = std::find_if(kids.begin(), kids.end(), [&](TreeNode* k) { return AnsiCompareText(k->text, node->text) > 0; });
  } else if (insert->hInsertAfter != TVI_LAST && insert->hInsertAfter) {
    auto after = std::find(kids.begin(), kids.end(), reinterpret_cast<TreeNode*>(insert->hInsertAfter));
    if (after != kids.end()) at = after + 1;
  }
  TreeNode* raw = node.release();
  nodes_.insert(raw);
  kids.insert(at, raw);
  Rebuild();
  return raw;
}

void TreeView::FreeAll(TreeNode* node) {
  for (TreeNode* kid : node->kids) {
    FreeAll(kid);
    delete kid;
  }
  node->kids.clear();
}

void TreeView::Delete(TreeNode* node) {
  if (node == editNode_) labelEdit_.End(false);
  // Children first, each told to the parent while its handle is still good.
  while (!node->kids.empty() && !Dead()) Delete(node->kids.back());
  if (node == &root_ || Dead()) return;
  NMTREEVIEW deleted;
  deleted.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
  deleted.itemOld.hItem = ItemOf(node);
  deleted.itemOld.lParam = node->param;
  Notify(TVN_DELETEITEM, &deleted.hdr);
  if (Dead() || !nodes_.count(node)) return;
  auto& siblings = node->parent->kids;
  auto at = std::find(siblings.begin(), siblings.end(), node);
  TreeNode* next = nullptr;
  if (selected_ == node)  // the selection moves to a neighbour, or to the parent
    next = at != siblings.end() && at + 1 != siblings.end() ? *(at + 1)
           : at != siblings.begin() ? *(at - 1)
           : node->parent != &root_ ? node->parent : nullptr;
  // Out of its parent's list before anyone hears of the new selection: the parent's item has
  // already been told this one is gone.
  siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
  if (selected_ == node) {
    selected_ = nullptr;
    node->state &= ~TVIS_SELECTED;
    if (next) Select(next, TVC_UNKNOWN);
  }
  if (dropTarget_ == node) dropTarget_ = nullptr;
  if (tipNode_ == node) {
    tip_.Hide();
    tipNode_ = nullptr;
  }
  nodes_.erase(node);
  delete node;
  Rebuild();
}

bool TreeView::Expand(TreeNode* node, UINT action, bool user) {
  if (!node || node == &root_) return false;
  UINT what = action & 3;
  if (what == TVE_TOGGLE) what = Expanded(node) ? TVE_COLLAPSE : TVE_EXPAND;
  if (what == TVE_EXPAND && Expanded(node)) return true;
  if (what == TVE_COLLAPSE && !Expanded(node) && !(action & TVE_COLLAPSERESET)) return true;
  // A program's expand is announced only the first time; the user's every time.
  const bool notify = user || !(node->state & TVIS_EXPANDEDONCE) || what == TVE_COLLAPSE;
  if (what == TVE_EXPAND && node->kids.empty() && !HasChildren(node)) return false;
  NMTREEVIEW change;
  change.action = what;
  change.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  FillItem(node, &change.itemNew);
  if (notify && (Notify(TVN_ITEMEXPANDING, &change.hdr) || Dead() || !nodes_.count(node))) return false;
  if (what == TVE_EXPAND) {
    node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  } else {
    node->state &= ~TVIS_EXPANDED;
    if (action & TVE_COLLAPSERESET) {
      node->state &= ~TVIS_EXPANDEDONCE;
      while (!node->kids.empty() && !Dead()) Delete(node->kids.back());
    }
    // A selection inside the collapsed branch moves to the branch.
    for (TreeNode* p = selected_ ? selected_->parent : nullptr; p; p = p->parent)
      if (p == node) {
        Select(node, TVC_UNKNOWN);
        break;
      }
  }
  if (Dead()) return false;
  Rebuild();
  FillItem(node, &change.itemNew);
  if (notify) Notify(TVN_ITEMEXPANDED, &change.hdr);
  return true;
}

bool TreeView::Select(TreeNode* node, UINT cause) {
  if (node == selected_) return true;
  NMTREEVIEW change;
  change.action = cause;
  change.itemOld.mask = change.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  if (selected_) FillItem(selected_, &change.itemOld);
  if (node) FillItem(node, &change.itemNew);
  if (Notify(TVN_SELCHANGING, &change.hdr) || Dead()) return false;
  if (node && !nodes_.count(node)) return false;
  if (selected_ && nodes_.count(selected_)) selected_->state &= ~TVIS_SELECTED;
  selected_ = node;
  if (node) node->state |= TVIS_SELECTED;
  Invalidate();
  if (node) EnsureVisible(node);
  if (Dead()) return true;
  if (node) FillItem(node, &change.itemNew);
  Notify(TVN_SELCHANGED, &change.hdr);
  return true;
}

void TreeView::EnsureVisible(TreeNode* node) {
  std::vector<TreeNode*> ancestors;
  for (TreeNode* p = node->parent; p && p != &root_; p = p->parent) ancestors.push_back(p);
  for (auto it = ancestors.rbegin(); it != ancestors.rend() && !Dead(); ++it)
    if (!Expanded(*it)) Expand(*it, TVE_EXPAND, false);
  const int row = RowOf(node);
  if (row < 0) return;
  if (row < top_) SetTop(row);
  else if (row >= top_ + PageRows()) SetTop(row - PageRows() + 1);
}

void TreeView::SortChildren(TreeNode* parent, bool recurse, const TVSORTCB* callback) {
  auto& kids = parent->kids;
  if (callback && callback->lpfnCompare) {
    std::stable_sort(kids.begin(), kids.end(), [&](TreeNode* a, TreeNode* b) {
      return callback->lpfnCompare(a->param, b->param, callback->lParam) < 0;
    });
  } else {
    std::stable_sort(kids.begin(), kids.end(), [&](TreeNode* a, TreeNode* b) { return AnsiCompareText(Text(a), Text(b)) < 0; });
  }
  if (recurse)
    for (TreeNode* kid : kids) SortChildren(kid, true, callback);
  Rebuild();
}

void TreeView::Rebuild() {
  ++rebuilds_;
  rows_.clear();
  std::vector<VisibleRow> stack;
  for (auto it = root_.kids.rbegin(); it != root_.kids.rend(); ++it) stack.push_back({*it, 0});
  while (!stack.empty()) {
    VisibleRow row = stack.back();
    stack.pop_back();
    rows_.push_back(row);
    if (Expanded(row.node))
      for (auto it = row.node->kids.rbegin(); it != row.node->kids.rend(); ++it) stack.push_back({*it, row.level + 1});
  }
  top_ = std::clamp(top_, 0, std::max(static_cast<int>(rows_.size()) - PageRows(), 0));
  UpdateScrollBars();
  Invalidate();
}

int TreeView::RowOf(const TreeNode* node) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].node == node) return static_cast<int>(i);
  return -1;
}

SIZE TreeView::ImageSize(HIMAGELIST list) {
  int cx = 0, cy = 0;
  return list && ImageList_GetIconSize(list, &cx, &cy) ? SIZE{cx, cy} : SIZE{0, 0};
}

// Where an item's image (or text) starts: one indent per level, and one more for the root's
// lines and buttons.
int TreeView::LevelOffset(int level) const {
  const bool rootLines = (Style() & TVS_LINESATROOT) && (Style() & (TVS_HASLINES | TVS_HASBUTTONS));
  return (level + (rootLines ? 1 : 0)) * indent_ - scrollX_ + 2;
}

RECT TreeView::TextRect(int row) {
  const VisibleRow& visible = rows_[row];
  const int y = (row - top_) * RowHeight();
  const int image = ImageWidth();
  const int left = LevelOffset(visible.level) + StateWidth() + (image ? image + 3 : 0);
  return {left, y, left + TextWidth(Text(visible.node)) + 4, y + RowHeight()};
}

TreeNode* TreeView::HitTest(TVHITTESTINFO* info) {
  const RECT client = Client();
  const POINT p = info->pt;
  info->flags = 0;
  info->hItem = nullptr;
  if (p.Y < 0) info->flags |= TVHT_ABOVE;
  if (p.Y >= client.Bottom) info->flags |= TVHT_BELOW;
  if (p.X < 0) info->flags |= TVHT_TOLEFT;
  if (p.X >= client.Right) info->flags |= TVHT_TORIGHT;
  if (info->flags) return nullptr;
  const int row = top_ + p.Y / RowHeight();
  if (row >= static_cast<int>(rows_.size())) {
    info->flags = TVHT_NOWHERE;
    return nullptr;
  }
  const VisibleRow& visible = rows_[row];
  const RECT text = TextRect(row);
  const int start = LevelOffset(visible.level);
  const int state = StateWidth();
  const int image = ImageWidth();
  const bool buttons = (Style() & TVS_HASBUTTONS) && (visible.level > 0 || (Style() & TVS_LINESATROOT));
  if (p.X >= text.Left && p.X < text.Right) info->flags = TVHT_ONITEMLABEL;
  else if (state && p.X >= start && p.X < start + state) info->flags = TVHT_ONITEMSTATEICON;
  else if (image && p.X >= start + state && p.X < start + state + image) info->flags = TVHT_ONITEMICON;
  else if (buttons && p.X >= start - indent_ && p.X < start && HasChildren(visible.node)) info->flags = TVHT_ONITEMBUTTON;
  else if (p.X < start) info->flags = TVHT_ONITEMINDENT;
  else info->flags = TVHT_ONITEMRIGHT;
  info->hItem = ItemOf(visible.node);
  return visible.node;
}

void TreeView::SetTop(int top) {
  top = std::clamp(top, 0, std::max(static_cast<int>(rows_.size()) - PageRows(), 0));
  if (top == top_) return;
  top_ = top;
  UpdateScrollBars();
  Invalidate();
}

void TreeView::UpdateScrollBars() {
  if (updatingBars_ || (Style() & TVS_NOSCROLL)) return;
  updatingBars_ = true;
  SetListScrollBar(window_, ListBar::Vertical, static_cast<int>(rows_.size()), PageRows(), top_);
  updatingBars_ = false;
}

TreeNode* TreeView::Next(TreeNode* node, UINT flag) const {
  auto sibling = [](TreeNode* n, int step) -> TreeNode* {
    auto& kids = n->parent->kids;
    const auto at = std::find(kids.begin(), kids.end(), n) - kids.begin() + step;
    return at >= 0 && at < static_cast<long>(kids.size()) ? kids[at] : nullptr;
  };
  switch (flag) {
    case TVGN_ROOT: return root_.kids.empty() ? nullptr : root_.kids.front();
    case TVGN_CARET: return selected_;
    case TVGN_DROPHILITE: return dropTarget_;
    case TVGN_FIRSTVISIBLE: return top_ < static_cast<int>(rows_.size()) ? rows_[top_].node : nullptr;
    case TVGN_LASTVISIBLE: return rows_.empty() ? nullptr : rows_.back().node;
    default: break;
  }
  if (!node) return flag == TVGN_CHILD && !root_.kids.empty() ? root_.kids.front() : nullptr;
  switch (flag) {
    case TVGN_NEXT: return sibling(node, 1);
    case TVGN_PREVIOUS: return sibling(node, -1);
    case TVGN_PARENT: return node->parent == &root_ ? nullptr : node->parent;
    case TVGN_CHILD: return node->kids.empty() ? nullptr : node->kids.front();
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
      const int row = RowOf(node);
      const int next = row + (flag == TVGN_NEXTVISIBLE ? 1 : -1);
      return row >= 0 && next >= 0 && next < static_cast<int>(rows_.size()) ? rows_[next].node : nullptr;
    }
    default: return nullptr;
  }
}

void TreeView::Click(POINT p, UINT code) {
  labelEdit_.End(true);
  if (Dead()) return;
  // A window that never activates (a drop-down) leaves the focus where it is.
  if (!(GetWindowLong(window_, GWL_EXSTYLE) & WS_EX_NOACTIVATE) && GetFocus() != window_) SetFocus(window_);
  if (Dead()) return;
  TVHITTESTINFO hit;
  hit.pt = p;
  TreeNode* node = HitTest(&hit);
  if (node && code != NM_RCLICK) {
    if (hit.flags & TVHT_ONITEMBUTTON) {
      if (code == NM_CLICK) Expand(node, TVE_TOGGLE, true);
    } else if ((hit.flags & TVHT_ONITEM) || ((Style() & TVS_FULLROWSELECT) && (hit.flags & TVHT_ONITEMRIGHT))) {
      // Pressing on an item and moving away with the button down starts a drag instead.
      if (code == NM_CLICK && !(Style() & TVS_DISABLEDRAGDROP)) {
        POINT screen = p;
        ClientToScreen(window_, &screen);
        const bool drag = DragDetect(window_, screen);
        if (Dead() || !nodes_.count(node)) return;
        if (drag) {
          NMTREEVIEW begin;
          begin.action = TVC_BYMOUSE;
          begin.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
          FillItem(node, &begin.itemNew);
          begin.ptDrag = p;
          Notify(TVN_BEGINDRAG, &begin.hdr);
          return;
        }
      }
      Select(node, TVC_BYMOUSE);
      if (!Dead() && code == NM_DBLCLK) Expand(node, TVE_TOGGLE, true);
    }
  }
  if (!Dead()) Notify(code);
}

void TreeView::KeyDown(UINT key) {
  NMTVKEYDOWN down;
  down.wVKey = static_cast<WORD>(key);
  Notify(TVN_KEYDOWN, &down.hdr);
  if (Dead() || rows_.empty()) return;
  TreeNode* node = selected_;
  const int row = node ? RowOf(node) : -1;
  auto rowNode = [&](int r) { return rows_[std::clamp(r, 0, static_cast<int>(rows_.size()) - 1)].node; };
  TreeNode* target = nullptr;
  switch (key) {
    case VK_UP: target = rowNode(row < 0 ? 0 : row - 1); break;
    case VK_DOWN: target = rowNode(row + 1); break;
    case VK_PRIOR: target = rowNode(row - std::max(PageRows() - 1, 1)); break;
    case VK_NEXT: target = rowNode(row + std::max(PageRows() - 1, 1)); break;
    case VK_HOME: target = rowNode(0); break;
    case VK_END: target = rowNode(static_cast<int>(rows_.size()) - 1); break;
    case VK_LEFT:
      if (node && Expanded(node) && HasChildren(node)) Expand(node, TVE_COLLAPSE, true);
      else if (node && node->parent != &root_) target = node->parent;
      break;
    case VK_RIGHT:
      if (node && !Expanded(node) && HasChildren(node)) Expand(node, TVE_EXPAND, true);
      else if (node && !node->kids.empty()) target = node->kids.front();
      break;
    case VK_ADD:
      if (node) Expand(node, TVE_EXPAND, true);
      break;
    case VK_SUBTRACT:
      if (node) Expand(node, TVE_COLLAPSE, true);
      break;
    case VK_F2:
      if (node && (Style() & TVS_EDITLABELS)) EditLabel(node);
      break;
    case VK_RETURN: Notify(NM_RETURN); break;
    default: break;
  }
  if (target && !Dead()) Select(target, TVC_BYKEYBOARD);
}

void TreeView::SearchChar(char c) {
  if (rows_.empty() || static_cast<unsigned char>(c) < ' ') return;
  // A pause longer than two double-click times starts a new search.
  const DWORD now = GetTickCount();
  if (now - searchTime_ > 2 * GetDoubleClickTime()) search_.clear();
  searchTime_ = now;
  search_ += c;
  const int count = static_cast<int>(rows_.size());
  const int current = selected_ ? RowOf(selected_) : -1;
  // A first character looks past the current item; a longer search may stay on it.
  const int start = search_.size() == 1 ? current + 1 : std::max(current, 0);
  for (int i = 0; i < count; ++i) {
    TreeNode* node = rows_[(start + i + count) % count].node;
    const std::string text = Text(node);
    if (text.size() >= search_.size() && SameText(text.substr(0, search_.size()), search_)) {
      if (node != selected_) Select(node, TVC_BYKEYBOARD);
      return;
    }
  }
}

// Info tips: the parent is asked for an item's tip once the mouse rests on it.
void TreeView::TrackHover(POINT p) {
  if (!(Style() & TVS_INFOTIP)) return;
  TVHITTESTINFO hit;
  hit.pt = p;
  TreeNode* node = HitTest(&hit);
  if (!(hit.flags & TVHT_ONITEM)) node = nullptr;
  if (node != tipNode_) {
    tip_.Hide();
    tipNode_ = nullptr;
    tip_.ResetHover();
  }
  tip_.ArmHover(window_);
}

void TreeView::ShowInfoTip(POINT p) {
  tip_.ResetHover();
  TVHITTESTINFO hit;
  hit.pt = p;
  TreeNode* node = HitTest(&hit);
  if (!node || !(hit.flags & TVHT_ONITEM) || node == tipNode_) return;
  char buffer[1024] = {};
  NMTVGETINFOTIP tip;
  tip.pszText = buffer;
  tip.cchTextMax = sizeof buffer;
  tip.hItem = ItemOf(node);
  tip.lParam = node->param;
  Notify(TVN_GETINFOTIP, &tip.hdr);
  if (Dead() || !buffer[0]) return;
  POINT screen = p;
  ClientToScreen(window_, &screen);
  tipNode_ = node;
  tip_.Show(window_, screen, std::string(buffer, strnlen(buffer, sizeof buffer)), Font());
}

HWND TreeView::EditLabel(TreeNode* node) {
  labelEdit_.End(true);
  if (Dead() || !node || !nodes_.count(node)) return nullptr;
  EnsureVisible(node);
  NMTVDISPINFO begin;
  begin.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
  FillItem(node, &begin.item);
  if (Notify(TVN_BEGINLABELEDIT, &begin.hdr) || Dead() || !nodes_.count(node)) return nullptr;
  const int row = RowOf(node);
  if (row < 0) return nullptr;
  RECT text = TextRect(row);
  RECT place{text.Left - 1, text.Top - 1, std::max(text.Right + 16, text.Left + 60), text.Bottom + 1};
  editNode_ = node;
  labelEdit_.Begin(window_, place, Text(node), Font(), [this](bool save, const std::string& edited) { EndEdit(save, edited); });
  return labelEdit_.Window();
}

void TreeView::EndEdit(bool save, const std::string& edited) {
  TreeNode* node = editNode_;
  editNode_ = nullptr;
  if (!node || !nodes_.count(node)) return;
  std::string buffer = edited;
  NMTVDISPINFO end;
  end.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
  FillItem(node, &end.item);
  end.item.pszText = save ? buffer.data() : nullptr;
  end.item.cchTextMax = static_cast<int>(buffer.size()) + 1;
  if (Notify(TVN_ENDLABELEDIT, &end.hdr) && save && !Dead() && nodes_.count(node)) {
    node->text = buffer;
    node->textCallback = false;
    Invalidate();
  }
}

void TreeView::DrawLines(HDC dc, int row, const VisibleRow& visible) {
  const DWORD style = Style();
  const bool rootLines = (style & TVS_LINESATROOT) != 0;
  if (visible.level == 0 && !rootLines) return;
  const int height = RowHeight();
  const int y = (row - top_) * height;
  const int centreX = LevelOffset(visible.level) - indent_ / 2 - 1;
  const int centreY = y + height / 2;
  TreeNode* node = visible.node;
  if (style & TVS_HASLINES) {
    // Dotted lines: every other pixel, as the classic look draws them.
    const COLORREF colour = GetSysColor(COLOR_GRAYTEXT);
    auto dotsV = [&](int x, int y0, int y1) {
      for (int yy = y0 + ((y0 + x) & 1); yy < y1; yy += 2) SetPixelV(dc, x, yy, colour);
    };
    auto dotsH = [&](int x0, int x1, int yy) {
      for (int x = x0 + ((x0 + yy) & 1); x < x1; x += 2) SetPixelV(dc, x, yy, colour);
    };
    const bool last = node->parent->kids.back() == node;
    const bool first = node->parent == &root_ && node->parent->kids.front() == node;
    dotsV(centreX, first ? centreY : y, last ? centreY + 1 : y + height);
    dotsH(centreX, centreX + indent_ / 2 + 1, centreY);
    // The lines of the ancestors that have siblings below.
    int level = visible.level - 1;
    for (TreeNode* p = node->parent; p != &root_ && (level >= 0 || rootLines); p = p->parent, --level) {
      if (level < 0 && !rootLines) break;
      if (p->parent->kids.back() != p) dotsV(LevelOffset(level) - indent_ / 2 - 1, y, y + height);
      if (level <= 0 && !rootLines) break;
    }
  }
  if (!(style & TVS_HASBUTTONS)) return;
  const unsigned rows = rebuilds_;
  const bool hasChildren = HasChildren(node);
  // The parent's answer may have changed the tree: the node is drawn no further.
  if (Dead() || rebuilds_ != rows || !hasChildren) return;
  RECT box{centreX - 4, centreY - 4, centreX + 5, centreY + 5};
  FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
  RECT minus{centreX - 2, centreY, centreX + 3, centreY + 1};
  FillRect(dc, &minus, GetSysColorBrush(COLOR_WINDOWTEXT));
  if (!Expanded(node)) {
    RECT plus{centreX, centreY - 2, centreX + 1, centreY + 3};
    FillRect(dc, &plus, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
}

void TreeView::Paint(HDC dc, const RECT& clip) {
  const RECT client = Client();
  HBRUSH background = back_ == CLR_NONE ? GetSysColorBrush(COLOR_WINDOW) : CreateSolidBrush(back_);
  FillRect(dc, &clip, background);
  if (back_ != CLR_NONE) DeleteObject(background);
  HGDIOBJ oldFont = SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  const bool showSelection = focused_ || (Style() & TVS_SHOWSELALWAYS);
  // The parent's answers may change the tree (a handler deletes a node): the drawing stops
  // then, and the rebuild has asked for a new one.
  const unsigned rows = rebuilds_;
  auto changed = [&] { return Dead() || rebuilds_ != rows; };
  for (int row = top_; row < static_cast<int>(rows_.size()) && !Dead(); ++row) {
    const int y = (row - top_) * RowHeight();
    if (y >= client.Bottom) break;
    if (y + RowHeight() <= clip.Top || y >= clip.Bottom) continue;
    const VisibleRow visible = rows_[row];
    TreeNode* node = visible.node;
    DrawLines(dc, row, visible);
    if (changed()) break;
    // The state image (index 0: none) left of the item's image.
    const int stateIndex = static_cast<int>((node->state & TVIS_STATEIMAGEMASK) >> 12);
    if (stateImages_ && stateIndex)
      ImageList_Draw(stateImages_, stateIndex, dc, LevelOffset(visible.level),
                     y + (RowHeight() - ImageSize(stateImages_).cy) / 2, ILD_TRANSPARENT);
    if (images_) {
      const int image = Image(node, node == selected_);
      if (changed()) break;
      // The overlay bits of the state are the drawing style's (one based, 0 none).
      ImageList_Draw(images_, image, dc, LevelOffset(visible.level) + StateWidth(),
                     y + (RowHeight() - ImageSize(images_).cy) / 2,
                     ILD_TRANSPARENT | (node->state & TVIS_OVERLAYMASK));
    }
    RECT text = TextRect(row);
    const bool highlighted = (node == selected_ && showSelection) || node == dropTarget_ || (node->state & TVIS_DROPHILITED);
    COLORREF colour = text_ == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : text_;
    if (highlighted) {
      RECT fill = text;
      if (Style() & TVS_FULLROWSELECT) fill.Right = client.Right;
      const bool strong = focused_ || node == dropTarget_;
      FillRect(dc, &fill, GetSysColorBrush(strong ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      if (strong) colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    SetTextColor(dc, colour);
    RECT inner = text;
    inner.Left += 2;
    const std::string label = Text(node);
    if (changed()) break;
    DrawText(dc, label.c_str(), static_cast<int>(label.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (node == selected_ && focused_) {
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      DrawFocusRect(dc, &text);
    }
  }
  if (!Dead()) SelectObject(dc, oldFont);
}

LRESULT TreeView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: Rebuild(); return 0;
    case WM_DESTROY:
      labelEdit_.End(false);
      if (!Dead()) Delete(&root_);
      return 0;
    case WM_SIZE: UpdateScrollBars(); Invalidate(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (message == WM_PRINTCLIENT || wParam) {
        Paint(reinterpret_cast<HDC>(wParam), Client());
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc, ps.rcPaint);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_SETFONT: SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0); Rebuild(); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: focused_ = true; Invalidate(); Notify(NM_SETFOCUS); return 0;
    case WM_KILLFOCUS: focused_ = false; Invalidate(); Notify(NM_KILLFOCUS); return 0;
    case WM_MOUSEMOVE: TrackHover({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSEHOVER: ShowInfoTip({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSELEAVE:
      tip_.Hide();
      tipNode_ = nullptr;
      tip_.ResetHover();
      return 0;
    case WM_LBUTTONDOWN:
      tip_.Hide();
      Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, NM_CLICK);
      return 0;
    case WM_LBUTTONDBLCLK: Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, NM_DBLCLK); return 0;
    case WM_RBUTTONDOWN: Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, NM_RCLICK); return 0;
    case WM_KEYDOWN:
      tip_.Hide();
      KeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_CHAR:
      SearchChar(static_cast<char>(wParam));
      return 0;
    case WM_MOUSEWHEEL: SetTop(top_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3); return 0;
    case WM_VSCROLL:
      SetTop(ScrollRequestPosition(window_, ListBar::Vertical, wParam, top_, 1, PageRows(), static_cast<int>(rows_.size())));
      return 0;

    case TVM_INSERTITEM: return reinterpret_cast<LRESULT>(ItemOf(Insert(reinterpret_cast<const TVINSERTSTRUCT*>(lParam))));
    case TVM_DELETEITEM: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      TreeNode* node = item == TVI_ROOT || !item ? &root_ : Node(item);
      if (!node) return FALSE;
      Delete(node);
      return TRUE;
    }
    case TVM_EXPAND: return Expand(Node(reinterpret_cast<HTREEITEM>(lParam)), static_cast<UINT>(wParam), false);
    case TVM_GETITEM: {
      auto* item = reinterpret_cast<TVITEM*>(lParam);
      TreeNode* node = item ? Node(item->hItem) : nullptr;
      if (!node) return FALSE;
      if ((item->mask & TVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const std::string text = Text(node);
        const size_t n = std::min(text.size(), static_cast<size_t>(item->cchTextMax - 1));
        std::memcpy(item->pszText, text.data(), n);
        item->pszText[n] = 0;
      }
      if (item->mask & TVIF_STATE) item->state = node->state & (item->stateMask ? item->stateMask : 0xFFFFFFFF);
      if (item->mask & TVIF_IMAGE) item->iImage = node->image;
      if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = node->selectedImage;
      if (item->mask & TVIF_CHILDREN) item->cChildren = node->children == I_CHILDRENCALLBACK ? (HasChildren(node) ? 1 : 0) : node->children;
      if (item->mask & TVIF_PARAM) item->lParam = node->param;
      return TRUE;
    }
    case TVM_SETITEM: {
      auto* item = reinterpret_cast<const TVITEM*>(lParam);
      TreeNode* node = item ? Node(item->hItem) : nullptr;
      if (!node) return FALSE;
      if (item->mask & TVIF_TEXT) {
        node->textCallback = item->pszText == LPSTR_TEXTCALLBACK;
        node->text = item->pszText && !node->textCallback ? item->pszText : "";
      }
      if (item->mask & TVIF_IMAGE) node->image = item->iImage;
      if (item->mask & TVIF_SELECTEDIMAGE) node->selectedImage = item->iSelectedImage;
      if (item->mask & TVIF_CHILDREN) node->children = item->cChildren;
      if (item->mask & TVIF_PARAM) node->param = item->lParam;
      if (item->mask & TVIF_STATE) {
        // Selection and expansion go through their own messages; the other bits are kept here.
        const UINT mask = item->stateMask & ~(TVIS_SELECTED | TVIS_EXPANDED | TVIS_EXPANDEDONCE);
        node->state = (node->state & ~mask) | (item->state & mask);
      }
      Invalidate();
      return TRUE;
    }
    case TVM_GETNEXTITEM: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      TreeNode* node = item && item != TVI_ROOT ? Node(item) : nullptr;
      if (item && item != TVI_ROOT && !node) return 0;
      return reinterpret_cast<LRESULT>(ItemOf(Next(node, static_cast<UINT>(wParam))));
    }
    case TVM_SELECTITEM: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      TreeNode* node = item ? Node(item) : nullptr;
      if (item && !node) return FALSE;
      switch (wParam) {
        case TVGN_CARET: return Select(node, TVC_UNKNOWN);
        case TVGN_DROPHILITE: dropTarget_ = node; Invalidate(); return TRUE;
        case TVGN_FIRSTVISIBLE:
          if (node) {
            EnsureVisible(node);
            SetTop(RowOf(node));
          }
          return TRUE;
        default: return FALSE;
      }
    }
    case TVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return FALSE;
      HTREEITEM item;
      std::memcpy(&item, r, sizeof item);
      TreeNode* node = Node(item);
      const int row = node ? RowOf(node) : -1;
      if (row < 0) return FALSE;
      if (wParam) *r = TextRect(row);
      else *r = {0, (row - top_) * RowHeight(), Client().Right, (row - top_ + 1) * RowHeight()};
      return TRUE;
    }
    case TVM_HITTEST: {
      auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
      return info ? reinterpret_cast<LRESULT>(ItemOf(HitTest(info))) : 0;
    }
    case TVM_ENSUREVISIBLE: {
      TreeNode* node = Node(reinterpret_cast<HTREEITEM>(lParam));
      if (!node) return FALSE;
      EnsureVisible(node);
      return TRUE;
    }
    case TVM_GETCOUNT: return static_cast<LRESULT>(nodes_.size());
    case TVM_GETVISIBLECOUNT: return PageRows();
    case TVM_GETINDENT: return indent_;
    case TVM_SETINDENT: indent_ = std::max(static_cast<int>(wParam), 8); Invalidate(); return 0;
    case TVM_SETIMAGELIST: {
      HIMAGELIST& slot = wParam == TVSIL_STATE ? stateImages_ : images_;
      HIMAGELIST old = slot;
      slot = reinterpret_cast<HIMAGELIST>(lParam);
      Rebuild();
      return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETIMAGELIST: return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? stateImages_ : images_);
    case TVM_SORTCHILDREN: {
      auto item = reinterpret_cast<HTREEITEM>(lParam);
      TreeNode* node = item == TVI_ROOT || !item ? &root_ : Node(item);
      if (!node) return FALSE;
      SortChildren(node, wParam != 0, nullptr);
      return TRUE;
    }
    case TVM_SORTCHILDRENCB: {
      auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
      TreeNode* node = !sort ? nullptr : sort->hParent == TVI_ROOT || !sort->hParent ? &root_ : Node(sort->hParent);
      if (!node) return FALSE;
      SortChildren(node, wParam != 0, sort);
      return TRUE;
    }
    case TVM_EDITLABEL: return reinterpret_cast<LRESULT>(EditLabel(Node(reinterpret_cast<HTREEITEM>(lParam))));
    case TVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(labelEdit_.Window());
    case TVM_ENDEDITLABELNOW: labelEdit_.End(wParam == 0); return TRUE;
    case TVM_SETITEMHEIGHT: {
      const int old = RowHeight();
      itemHeight_ = static_cast<int>(static_cast<SHORT>(wParam));
      if (itemHeight_ > 0 && !(Style() & TVS_NONEVENHEIGHT)) itemHeight_ &= ~1;
      Rebuild();
      return old;
    }
    case TVM_GETITEMHEIGHT: return RowHeight();
    case TVM_SETBKCOLOR: {
      const COLORREF old = back_;
      back_ = static_cast<COLORREF>(lParam);
      Invalidate();
      return static_cast<LRESULT>(old);
    }
    case TVM_GETBKCOLOR: return static_cast<LRESULT>(back_);
    case TVM_SETTEXTCOLOR: {
      const COLORREF old = text_;
      text_ = static_cast<COLORREF>(lParam);
      Invalidate();
      return static_cast<LRESULT>(old);
    }
    case TVM_GETTEXTCOLOR: return static_cast<LRESULT>(text_);
    default: break;
  }
  return DefWindowProc(window_, message, wParam, lParam);
}

}  // namespace

void TreeViewRegister() {
  RegisterListControlClass(WC_TREEVIEW, ListControlProc<TreeView>, CS_DBLCLKS, COLOR_WINDOW);
  ListInfoTipRegister();
}
