// The navigation node of the bars: selection through the controller, tree walks, key-tip texts.

#include <algorithm>
#include <cmath>

#include "rtl/Exceptions.h"
#include "rtl/Mbcs.h"
#include "toolkit/bars/qzBarNavigation.h"

TAVREN_CLASS_IMPL(TqzBarAccessibilityHelper)

namespace {

// An operation every node that is asked for it answers.
[[noreturn]] void RaiseNotAnswered() { throw Exception(""); }

// The first ACount characters of the text.
String FirstCharacters(const String& AText, Integer ACount) {
  const char* p = AText.c_str();
  const char* end = p + AText.size();
  while (ACount-- > 0 && p < end) p = CharNext(p);
  return String(AText.c_str(), p);
}

}  // namespace

TqzBarHelperRef BarHelperRef(TqzBarAccessibilityHelper* AHelper) {
  return AHelper ? TqzBarHelperRef(static_cast<IqzBarAccessibilityHelper*>(AHelper)) : TqzBarHelperRef();
}

TqzBarHelperRef QueryAccessibilityHelper(TObject* AObject) {
  TqzBarHelperRef helper;
  if (AObject) Supports(AObject, helper);
  return helper;
}

void ReleaseAccessibilityHelper(TqzBarHelperRef& AHelper) {
  if (!AHelper) return;
  AHelper->NotifyOwnerFreed();
  AHelper = nullptr;
}

TqzBarAccessibilityHelper* KeyTipLevelAbove(TqzBarAccessibilityHelper* AHelper) {
  TqzBarAccessibilityHelper* node = AHelper->KeyTipParent();
  while (node && !node->HasKeyTip() && node->KeyTipParent()) node = node->KeyTipParent();
  return node;
}

void LeaveKeyTipContainer(const TqzBarHelperRef& AContainer) { AContainer->BarHelperObject()->LeaveKeyTipLevel(); }

// ---- Node operations -----------------------------------------------------------------------------

void TqzBarAccessibilityHelper::NotifyOwnerFreed() {
  TkvAccessibilityHelper::NotifyOwnerFreed();
  if (TqzBarNavigationController* controller = NavigationControllerInstance()) controller->ForgetNode(this);
}

bool TqzBarAccessibilityHelper::KeyTipsAvailable(TInterfacePtr<IqzBarKeyTipWindowsManager>& AWindowsManager) {
  AWindowsManager = nullptr;
  TqzBarAccessibilityHelper* parent = KeyTipParent();
  return parent && parent->KeyTipsAvailable(AWindowsManager);
}

TqzBarManager* TqzBarAccessibilityHelper::OwningBarManager() { RaiseNotAnswered(); }

TqzBarHelperRef TqzBarAccessibilityHelper::DefaultNavigationObject() { RaiseNotAnswered(); }

TqzBarHelperRef TqzBarAccessibilityHelper::NeighbourInDirection(Integer ADirection) {
  std::vector<TqzBarAccessibilityHelper*> candidates;
  RootBarHelper()->BarHelperObject()->CollectNavigationTargets(this, candidates, true, ADirection, ScreenRect(CHILDID_SELF));
  TqzBarHelperRef current = NavigationControllerInstance()->CurrentSelection();
  TqzBarAccessibilityHelper* from = current ? current->BarHelperObject() : this;
  return BarHelperRef(FindNearestNavigationTarget(from, candidates, ADirection, true));
}

TqzBarHelperRef TqzBarAccessibilityHelper::RootBarHelper() {
  TqzBarAccessibilityHelper* node = this;
  while (TqzBarAccessibilityHelper* parent = node->ParentHelper()) node = parent;
  return BarHelperRef(node);
}

bool TqzBarAccessibilityHelper::IsCurrentSelection() {
  TqzBarHelperRef current = NavigationControllerInstance()->CurrentSelection();
  return current && current->BarHelperObject() == this;
}

TqzBarHelperRef TqzBarAccessibilityHelper::AdjacentSibling(bool AForward) {
  TqzBarAccessibilityHelper* parent = ParentHelper();
  if (!parent) return nullptr;
  return BarHelperRef(parent->NextSelectableAcrossTree(parent->NavIndexOfChild(this), AForward));
}

void TqzBarAccessibilityHelper::BecomeSelected(bool) {
  NavigationControllerInstance()->SetSelection(BarHelperRef(this), BarHelperRef(ParentHelper()));
}

void TqzBarAccessibilityHelper::LoseSelection(const TqzBarHelperRef&) {
  NavigationControllerInstance()->SetSelection(nullptr, nullptr);
}

String TqzBarAccessibilityHelper::KeyTipText() {
  String text = AssignedKeyTip();
  if (text.empty()) text = DefaultKeyTip();
  return FirstCharacters(text, 3);
}

std::unique_ptr<TqzBarKeyTipData> TqzBarAccessibilityHelper::NewKeyTipData() {
  TqzBarKeyTipInfo info;
  FillKeyTipInfo(info);
  return std::make_unique<TqzBarKeyTipData>(info);
}

void TqzBarAccessibilityHelper::FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) {
  AInfo = TqzBarKeyTipInfo();
  AInfo.KeyTip = KeyTipText();
  AInfo.Visible = IsVisible();
  AInfo.Action = MakeEvent<&TqzBarAccessibilityHelper::KeyTipExecute>(this);
}

void TqzBarAccessibilityHelper::AddOwnKeyTipData(TqzBarKeyTipList& AList) { AList.push_back(NewKeyTipData()); }

void TqzBarAccessibilityHelper::CollectChildKeyTipData(TqzBarKeyTipList& AList) {
  if (!IsVisible()) return;
  for (Integer i = 0; i < NavChildTotal(); ++i) {
    TqzBarAccessibilityHelper* child = NavChildAt(i);
    if (!child) continue;
    if (child->IsSelectableTarget())
      child->AddOwnKeyTipData(AList);
    else
      child->CollectChildKeyTipData(AList);
  }
}

void TqzBarAccessibilityHelper::LeaveKeyTipLevel() {
  TqzBarNavigationController* controller = NavigationControllerInstance();
  if (TqzBarAccessibilityHelper* above = KeyTipLevelAbove(this)) {
    // Keeps this node alive while the key tips it belongs to are replaced.
    TqzBarHelperRef self = BarHelperRef(this);
    controller->SetKeyTipContainer(BarHelperRef(above), String());
    controller->MoveSelection(true, self);
  } else {
    controller->EndKeyboardNavigation();
  }
}

// ---- Tree ------------------------------------------------------------------------------------------

TqzBarAccessibilityHelper* TqzBarAccessibilityHelper::ChildByIndex(Integer AIndex) {
  return dynamic_cast<TqzBarAccessibilityHelper*>(ChildAt(AIndex));
}

TqzBarAccessibilityHelper* TqzBarAccessibilityHelper::ParentHelper() {
  return dynamic_cast<TqzBarAccessibilityHelper*>(ParentNode());
}

TqzBarAccessibilityHelper* TqzBarAccessibilityHelper::FirstSelectableDescendant() {
  if (!IsVisible()) return nullptr;
  if (IsSelectableTarget()) return this;
  for (Integer i = 0; i < NavChildTotal(); ++i)
    if (TqzBarAccessibilityHelper* child = NavChildAt(i))
      if (TqzBarAccessibilityHelper* found = child->FirstSelectableDescendant()) return found;
  return nullptr;
}

TqzBarAccessibilityHelper* TqzBarAccessibilityHelper::SelectableInSubtree(TqzBarAccessibilityHelper* ANode,
                                                                          bool AForward) {
  Integer total = ANode->NavChildTotal();
  for (Integer k = 0; k < total; ++k) {
    TqzBarAccessibilityHelper* child = ANode->NavChildAt(AForward ? k : total - 1 - k);
    if (!child) continue;
    if (child->IsSelectableTarget()) return child;
    if (TqzBarAccessibilityHelper* found = SelectableInSubtree(child, AForward)) return found;
  }
  return nullptr;
}

TqzBarAccessibilityHelper* TqzBarAccessibilityHelper::NextSelectableAcrossTree(Integer AIndex, bool AForward) {
  Integer total = NavChildTotal();
  // A start outside the children begins at the end it lies beyond, so the walk is one pass.
  Integer index = AIndex < -1 ? -1 : (AIndex > total ? total : AIndex);
  for (;;) {
    index += AForward ? 1 : -1;
    if (index < 0 || index >= total) break;
    TqzBarAccessibilityHelper* child = NavChildAt(index);
    if (!child) continue;
    if (child->IsSelectableTarget()) return child;
    if (TqzBarAccessibilityHelper* found = SelectableInSubtree(child, AForward)) return found;
  }
  TqzBarAccessibilityHelper* parent = ParentHelper();
  if (!parent) return SelectableInSubtree(this, AForward);
  return parent->NextSelectableAcrossTree(parent->NavIndexOfChild(this), AForward);
}

void TqzBarAccessibilityHelper::CollectNavigationTargets(TqzBarAccessibilityHelper* AExcluded,
                                                         std::vector<TqzBarAccessibilityHelper*>& AList,
                                                         bool ARequireOverlap, Integer ADirection,
                                                         const TRect& AReference) {
  if (this == AExcluded || !IsVisible()) return;
  if (IsInDirection(ARequireOverlap, ADirection, AReference)) AList.push_back(this);
  for (Integer i = 0; i < NavChildTotal(); ++i)
    if (TqzBarAccessibilityHelper* child = NavChildAt(i))
      child->CollectNavigationTargets(AExcluded, AList, ARequireOverlap, ADirection, AReference);
}

bool TqzBarAccessibilityHelper::IsInDirection(bool ARequireOverlap, Integer ADirection, const TRect& AReference) {
  if (!IsSelectableTarget()) return false;
  TRect r = ScreenRect(CHILDID_SELF);
  bool horizontal = ADirection == kvNavigateLeft || ADirection == kvNavigateRight;
  if (ARequireOverlap) {
    bool overlaps = horizontal ? AReference.Top < r.Bottom && r.Top < AReference.Bottom
                               : AReference.Left < r.Right && r.Left < AReference.Right;
    if (!overlaps) return false;
  }
  switch (ADirection) {
    case kvNavigateUp:
      return AReference.Top >= r.Bottom;
    case kvNavigateDown:
      return r.Top >= AReference.Bottom;
    default:
      return !(r.Left == AReference.Left && r.Right == AReference.Right);
  }
}

void TqzBarAccessibilityHelper::CollectKeyTips(TqzBarKeyTipList& AList) {
  CollectChildKeyTipData(AList);
  MakeKeyTipsUnique(AList);
}

// ---- Arrow-key neighbour -----------------------------------------------------------------------------

namespace {

// How far the candidate lies along the direction (negative: behind), and how many degrees its
// centre lies off the direction.
void MeasureCandidate(const TRect& AFrom, const TRect& ACandidate, Integer ADirection, Integer& ADistance,
                      double& ADeviation) {
  double x1 = AFrom.Left + (AFrom.Right - AFrom.Left) / 2.0, y1 = AFrom.Top + (AFrom.Bottom - AFrom.Top) / 2.0;
  double x2 = ACandidate.Left + (ACandidate.Right - ACandidate.Left) / 2.0;
  double y2 = ACandidate.Top + (ACandidate.Bottom - ACandidate.Top) / 2.0;
  double a = std::atan2(y2 - y1, x2 - x1) * 180.0 / M_PI;
  if (a < 0) a += 360;
  switch (ADirection) {
    case kvNavigateLeft:
      a -= 180;
      ADistance = AFrom.Left - ACandidate.Right;
      break;
    case kvNavigateUp:
      a -= 270;
      ADistance = AFrom.Top - ACandidate.Bottom;
      break;
    case kvNavigateDown:
      a -= 90;
      ADistance = ACandidate.Top - AFrom.Bottom;
      break;
    default:
      ADistance = ACandidate.Left - AFrom.Right;
      break;
  }
  ADeviation = std::min(std::abs(a), a >= 0 ? std::abs(a - 360) : std::abs(a + 360));
}

TqzBarAccessibilityHelper* NearestFrom(const TRect& AFrom, const std::vector<TqzBarAccessibilityHelper*>& ACandidates,
                                       Integer ADirection) {
  TqzBarAccessibilityHelper* winner = nullptr;
  Integer bestDistance = 0;
  double bestDeviation = 0;
  for (TqzBarAccessibilityHelper* candidate : ACandidates) {
    Integer distance;
    double deviation;
    MeasureCandidate(AFrom, candidate->ScreenRect(CHILDID_SELF), ADirection, distance, deviation);
    if (distance < 0) continue;
    if (!winner || distance < bestDistance || (distance == bestDistance && deviation < bestDeviation)) {
      winner = candidate;
      bestDistance = distance;
      bestDeviation = deviation;
    }
  }
  return winner;
}

}  // namespace

TqzBarAccessibilityHelper* FindNearestNavigationTarget(TqzBarAccessibilityHelper* ACurrent,
                                                       const std::vector<TqzBarAccessibilityHelper*>& ACandidates,
                                                       Integer ADirection, bool AWrapRow) {
  if (ADirection < kvNavigateLeft || ADirection > kvNavigateDown) return nullptr;
  TRect from = ACurrent->ScreenRect(CHILDID_SELF);
  if (TqzBarAccessibilityHelper* found = NearestFrom(from, ACandidates, ADirection)) return found;
  bool horizontal = ADirection == kvNavigateLeft || ADirection == kvNavigateRight;
  if (!AWrapRow || !horizontal) return nullptr;
  // The far end of the same row: search again from beyond the other end.
  constexpr Integer kFar = 0x3FFFFFFF;
  Integer shift = ADirection == kvNavigateLeft ? kFar - from.Right : -kFar - from.Left;
  from.Left += shift;
  from.Right += shift;
  return NearestFrom(from, ACandidates, ADirection);
}
