// The accessibility node base: tree operations, and the accessibility interfaces mapped onto them.

#include "toolkit/bars/kvAccessibility.h"

#include "gdi/Modules.h"
#include "rtl/Exceptions.h"
#include "user/Rects.h"
#include "user/User.h"
#include "vcl/Menus.h"

TAVREN_CLASS_IMPL(TkvAccessibilityHelper)

namespace {

using TAccessibleObjectFromWindowProc = HRESULT (*)(HWND AWnd, DWORD AObjectId, const TInterfaceId& AIID,
                                                      void** AObject);

Integer gEntryCount = 0;
HMODULE gOleAccLibrary = nullptr;
TAccessibleObjectFromWindowProc gAccessibleObjectFromWindow = nullptr;

// An abstract operation a descendant that needs it did not answer.
[[noreturn]] void RaiseNotAnswered() { throw Exception(""); }

// No exception leaves an accessibility method: a failure inside becomes E_FAIL.
template <class F>
HRESULT Guarded(F&& ABody) {
  try {
    return ABody();
  } catch (...) {
    return E_FAIL;
  }
}

bool IsSelf(const VARIANT& AChildId) { return AChildId.vt == VT_I4 && AChildId.lVal == CHILDID_SELF; }

// The navigation direction of an MSAA direction; -1 for one that has none.
Integer DirectionOfNavDir(LONG ANavDir) {
  switch (ANavDir) {
    case NAVDIR_UP:
      return kvNavigateUp;
    case NAVDIR_DOWN:
      return kvNavigateDown;
    case NAVDIR_LEFT:
      return kvNavigateLeft;
    case NAVDIR_RIGHT:
      return kvNavigateRight;
    case NAVDIR_NEXT:
      return kvNavigateNext;
    case NAVDIR_PREVIOUS:
      return kvNavigatePrevious;
  }
  return -1;
}

}  // namespace

TkvAccessibilityHelper::TkvAccessibilityHelper(TObject* AOwnerObject) : FOwnerObject(AOwnerObject) {}

// ---- Operations descendants answer --------------------------------------------------------------

void TkvAccessibilityHelper::NotifyOwnerFreed() { FOwnerAlive = false; }

// No node of this system has simple elements: every child has a helper of its own.
bool TkvAccessibilityHelper::ChildIsSimpleElement(Integer) { return false; }

void TkvAccessibilityHelper::DoDefaultAction(Integer) {}

bool TkvAccessibilityHelper::GetFocusedChild(bool&, Integer&) { return false; }

TkvAccessibilityHelper* TkvAccessibilityHelper::ChildAt(Integer) { return nullptr; }

Integer TkvAccessibilityHelper::ChildTotal() { return 0; }

Integer TkvAccessibilityHelper::IndexOfChild(TkvAccessibilityHelper*) { RaiseNotAnswered(); }

String TkvAccessibilityHelper::GetDefaultActionDescription(Integer) { return String(); }

String TkvAccessibilityHelper::GetDescription(Integer) { return String(); }

Integer TkvAccessibilityHelper::HitTestChild(Integer, Integer, Integer&) { return kvHitNothing; }

void TkvAccessibilityHelper::GetKeyboardAccess(Integer, Word& AShortCut, String& ACaptionWithAccelChars) {
  AShortCut = 0;
  ACaptionWithAccelChars.clear();
}

String TkvAccessibilityHelper::AccessibleName(Integer) { return String(); }

HWND TkvAccessibilityHelper::OwnerWindow() { return nullptr; }

TkvAccessibilityHelper* TkvAccessibilityHelper::ParentNode() { return nullptr; }

Integer TkvAccessibilityHelper::GetRole(Integer) { return 0; }

TRect TkvAccessibilityHelper::ScreenRect(Integer) { return TRect(); }

bool TkvAccessibilityHelper::IsSelectableTarget() { return false; }

Integer TkvAccessibilityHelper::StateFlags(Integer) { return 0; }

TkvAccessibilityFeatures TkvAccessibilityHelper::SupportedFeatures(Integer) { return 0; }

String TkvAccessibilityHelper::AccessibleValue(Integer) { RaiseNotAnswered(); }

Integer TkvAccessibilityHelper::NavigateChild(Integer, Integer) { RaiseNotAnswered(); }

void TkvAccessibilityHelper::StoreAccessibleValue(Integer, const String&) {}

// ---- Tree -----------------------------------------------------------------------------------------

Integer TkvAccessibilityHelper::NextSelectableChildIndex(Integer AStart, bool AForward) {
  Integer total = ChildTotal();
  if (AStart >= total) RaiseNotAnswered();
  Integer index = AStart < 0 ? (AForward ? -1 : total) : AStart;
  for (;;) {
    index += AForward ? 1 : -1;
    if (index < 0 || index >= total) return -1;
    TkvAccessibilityHelper* child = ChildAt(index);
    if (child && child->IsSelectableTarget()) return index;
  }
}

TkvAccessibilityHelper* TkvAccessibilityHelper::RootNode() {
  TkvAccessibilityHelper* node = this;
  while (TkvAccessibilityHelper* parent = node->ParentNode()) node = parent;
  return node;
}

bool TkvAccessibilityHelper::IsVisible() { return (StateFlags(CHILDID_SELF) & STATE_SYSTEM_INVISIBLE) == 0; }

// ---- Helpers of the interface methods -------------------------------------------------------------

bool TkvAccessibilityHelper::OwnerAliveCheck(HRESULT& AResult) {
  if (FOwnerAlive) return true;
  AResult = S_OK;
  return false;
}

bool TkvAccessibilityHelper::DecodeChildId(const VARIANT& AChildId, Integer& AIndex, HRESULT& AResult) {
  if (!OwnerAliveCheck(AResult)) return false;
  if (IsSelf(AChildId)) {
    AIndex = 0;
    return true;
  }
  AResult = E_INVALIDARG;
  if (AChildId.vt != VT_I4 || AChildId.lVal < 0 || AChildId.lVal > ChildTotal()) return false;
  AIndex = AChildId.lVal - 1;
  return ChildIsSimpleElement(AIndex);
}

void TkvAccessibilityHelper::ExposeChildObject(VARIANT& AChildId) {
  if (AChildId.vt != VT_I4 || AChildId.lVal == CHILDID_SELF) return;
  Integer index = AChildId.lVal - 1;
  if (index < 0 || index >= ChildTotal() || ChildIsSimpleElement(index)) return;
  if (TkvAccessibilityHelper* child = ChildAt(index)) {
    AChildId.Clear();
    AChildId.vt = VT_DISPATCH;
    AChildId.pdispVal = static_cast<IDispatch*>(child);
  }
}

HRESULT TkvAccessibilityHelper::StringResultCode(const String& AText) { return AText.empty() ? S_FALSE : S_OK; }

// ---- IDispatch -----------------------------------------------------------------------------------

HRESULT TkvAccessibilityHelper::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo) *pctinfo = 0;
  HRESULT result;
  return OwnerAliveCheck(result) ? E_NOTIMPL : result;
}

HRESULT TkvAccessibilityHelper::GetTypeInfo(UINT, DWORD, void** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  HRESULT result;
  return OwnerAliveCheck(result) ? E_NOTIMPL : result;
}

HRESULT TkvAccessibilityHelper::GetIDsOfNames(const TInterfaceId&, const char* const*, UINT, DWORD, LONG*) {
  HRESULT result;
  return OwnerAliveCheck(result) ? E_NOTIMPL : result;
}

HRESULT TkvAccessibilityHelper::Invoke(LONG, const TInterfaceId&, DWORD, WORD, void*, VARIANT* pVarResult, void*,
                                       UINT*) {
  if (pVarResult) pVarResult->Clear();
  HRESULT result;
  return OwnerAliveCheck(result) ? E_NOTIMPL : result;
}

// ---- IAccessible -----------------------------------------------------------------------------------

HRESULT TkvAccessibilityHelper::get_accParent(TInterfacePtr<IDispatch>& ppdispParent) {
  ppdispParent = nullptr;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    if (TkvAccessibilityHelper* parent = ParentNode()) {
      ppdispParent = static_cast<IDispatch*>(parent);
      return S_OK;
    }
    HWND owner = OwnerWindow();
    if (!owner || !gAccessibleObjectFromWindow) return S_FALSE;
    HWND window = (GetWindowLongPtr(owner, GWL_STYLE) & WS_CHILD) ? GetParent(owner) : GetDesktopWindow();
    void* object = nullptr;
    if (gAccessibleObjectFromWindow(window, OBJID_WINDOW, IDispatch::IID, &object) != S_OK || !object) return S_FALSE;
    ppdispParent = TInterfacePtr<IDispatch>::Attach(static_cast<IDispatch*>(object));
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accChildCount(LONG* pcountChildren) {
  *pcountChildren = 0;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    *pcountChildren = ChildTotal();
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accChild(const VARIANT& varChild, TInterfacePtr<IDispatch>& ppdispChild) {
  ppdispChild = nullptr;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    // Children are numbered from 1: the node itself is no child of its own.
    if (varChild.vt != VT_I4 || varChild.lVal < 1 || varChild.lVal > ChildTotal()) return E_INVALIDARG;
    Integer index = varChild.lVal - 1;
    if (ChildIsSimpleElement(index)) return S_FALSE;
    TkvAccessibilityHelper* child = ChildAt(index);
    if (!child) return S_FALSE;
    ppdispChild = static_cast<IDispatch*>(child);
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accName(const VARIANT& varChild, TOwnedBSTR& pszName) {
  pszName.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    String name = AccessibleName(index);
    pszName.Assign(name);
    return StringResultCode(name);
  });
}

HRESULT TkvAccessibilityHelper::get_accValue(const VARIANT& varChild, TOwnedBSTR& pszValue) {
  pszValue.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(index) & afValue)) return DISP_E_MEMBERNOTFOUND;
    pszValue.Assign(AccessibleValue(index));
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accDescription(const VARIANT& varChild, TOwnedBSTR& pszDescription) {
  pszDescription.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(index) & afDescription)) return DISP_E_MEMBERNOTFOUND;
    String description = GetDescription(index);
    pszDescription.Assign(description);
    return StringResultCode(description);
  });
}

HRESULT TkvAccessibilityHelper::get_accRole(const VARIANT& varChild, VARIANT& pvarRole) {
  pvarRole.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    pvarRole = VARIANT::I4(GetRole(index));
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accState(const VARIANT& varChild, VARIANT& pvarState) {
  pvarState.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    pvarState = VARIANT::I4(StateFlags(index));
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accHelp(const VARIANT&, TOwnedBSTR& pszHelp) {
  pszHelp.Clear();
  HRESULT result;
  return OwnerAliveCheck(result) ? DISP_E_MEMBERNOTFOUND : result;
}

HRESULT TkvAccessibilityHelper::get_accHelpTopic(TOwnedBSTR& pszHelpFile, const VARIANT&, LONG* pidTopic) {
  pszHelpFile.Clear();
  if (pidTopic) *pidTopic = 0;
  HRESULT result;
  return OwnerAliveCheck(result) ? DISP_E_MEMBERNOTFOUND : result;
}

// The accelerator character of the caption when it has one, else the shortcut's text.
HRESULT TkvAccessibilityHelper::get_accKeyboardShortcut(const VARIANT& varChild, TOwnedBSTR& pszKeyboardShortcut) {
  pszKeyboardShortcut.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(index) & afKeyboardShortcut)) return DISP_E_MEMBERNOTFOUND;
    Word shortCut = 0;
    String caption;
    GetKeyboardAccess(index, shortCut, caption);
    Char accel = GetHotkey(caption);
    String text = accel ? String(1, accel) : ShortCutToText(shortCut);
    pszKeyboardShortcut.Assign(text);
    return StringResultCode(text);
  });
}

HRESULT TkvAccessibilityHelper::get_accFocus(VARIANT& pvarChild) {
  pvarChild.Clear();
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    if (!(SupportedFeatures(CHILDID_SELF) & afFocus)) return DISP_E_MEMBERNOTFOUND;
    bool isChild = false;
    Integer index = 0;
    if (!GetFocusedChild(isChild, index)) return S_FALSE;
    pvarChild = VARIANT::I4(isChild ? index + 1 : CHILDID_SELF);
    ExposeChildObject(pvarChild);
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::get_accSelection(VARIANT& pvarChildren) {
  pvarChildren.Clear();
  HRESULT result;
  return OwnerAliveCheck(result) ? DISP_E_MEMBERNOTFOUND : result;
}

HRESULT TkvAccessibilityHelper::get_accDefaultAction(const VARIANT& varChild, TOwnedBSTR& pszDefaultAction) {
  pszDefaultAction.Clear();
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(index) & afDefaultAction)) return DISP_E_MEMBERNOTFOUND;
    pszDefaultAction.Assign(GetDefaultActionDescription(index));
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::accSelect(LONG, const VARIANT&) {
  HRESULT result;
  return OwnerAliveCheck(result) ? DISP_E_MEMBERNOTFOUND : result;
}

HRESULT TkvAccessibilityHelper::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight,
                                            const VARIANT& varChild) {
  *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(CHILDID_SELF) & afLocationAndNavigation)) return DISP_E_MEMBERNOTFOUND;
    TRect r = ScreenRect(index);
    *pxLeft = r.Left;
    *pyTop = r.Top;
    *pcxWidth = r.Width();
    *pcyHeight = r.Height();
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::accNavigate(LONG navDir, const VARIANT& varStart, VARIANT& pvarEndUpAt) {
  pvarEndUpAt.Clear();
  return Guarded([&]() -> HRESULT {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    bool navigates = (SupportedFeatures(CHILDID_SELF) & afLocationAndNavigation) != 0;
    if (navDir == NAVDIR_FIRSTCHILD || navDir == NAVDIR_LASTCHILD) {
      if (!IsSelf(varStart)) return E_INVALIDARG;
      if (!navigates) return DISP_E_MEMBERNOTFOUND;
      Integer total = ChildTotal();
      if (total <= 0) return S_FALSE;
      pvarEndUpAt = VARIANT::I4(navDir == NAVDIR_FIRSTCHILD ? 1 : total);
      ExposeChildObject(pvarEndUpAt);
      return S_OK;
    }
    if (IsSelf(varStart)) {
      // The node's siblings are its parent's children.
      TkvAccessibilityHelper* parent = ParentNode();
      if (!parent || !parent->IsOwnerAlive() ||
          !(parent->SupportedFeatures(CHILDID_SELF) & afLocationAndNavigation))
        return S_FALSE;
      VARIANT start = VARIANT::I4(parent->IndexOfChild(this) + 1);
      return parent->accNavigate(navDir, start, pvarEndUpAt) == S_OK ? S_OK : S_FALSE;
    }
    Integer total = ChildTotal();
    if (varStart.vt != VT_I4 || varStart.lVal < 0 || varStart.lVal > total) return E_INVALIDARG;
    if (!navigates) return DISP_E_MEMBERNOTFOUND;
    Integer direction = DirectionOfNavDir(navDir);
    if (direction < 0) return E_INVALIDARG;
    Integer start = varStart.lVal - 1;
    Integer found = NavigateChild(start, direction);
    if (found == start || found < 0 || found >= total) return S_FALSE;
    pvarEndUpAt = VARIANT::I4(found + 1);
    ExposeChildObject(pvarEndUpAt);
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::accHitTest(LONG xLeft, LONG yTop, VARIANT& pvarChild) {
  pvarChild.Clear();
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    if (!(SupportedFeatures(CHILDID_SELF) & afLocationAndNavigation)) return DISP_E_MEMBERNOTFOUND;
    TRect bounds = ScreenRect(CHILDID_SELF);
    if (!PtInRect(&bounds, {xLeft, yTop})) return S_FALSE;
    Integer index = 0;
    switch (HitTestChild(xLeft, yTop, index)) {
      case kvHitSelf:
        pvarChild = VARIANT::I4(CHILDID_SELF);
        return S_OK;
      case kvHitChild:
        pvarChild = VARIANT::I4(index + 1);
        ExposeChildObject(pvarChild);
        return S_OK;
    }
    return S_FALSE;
  });
}

HRESULT TkvAccessibilityHelper::accDoDefaultAction(const VARIANT& varChild) {
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(index) & afDefaultAction)) return DISP_E_MEMBERNOTFOUND;
    DoDefaultAction(index);
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::put_accName(const VARIANT&, const String&) {
  HRESULT result;
  return OwnerAliveCheck(result) ? DISP_E_MEMBERNOTFOUND : result;
}

HRESULT TkvAccessibilityHelper::put_accValue(const VARIANT& varChild, const String& szValue) {
  return Guarded([&] {
    HRESULT result;
    Integer index;
    if (!DecodeChildId(varChild, index, result)) return result;
    if (!(SupportedFeatures(index) & afValue)) return DISP_E_MEMBERNOTFOUND;
    StoreAccessibleValue(index, szValue);
    return S_OK;
  });
}

// ---- IOleWindow ------------------------------------------------------------------------------------

HRESULT TkvAccessibilityHelper::GetWindow(HWND* phwnd) {
  *phwnd = nullptr;
  return Guarded([&] {
    HRESULT result;
    if (!OwnerAliveCheck(result)) return result;
    *phwnd = OwnerWindow();
    return S_OK;
  });
}

HRESULT TkvAccessibilityHelper::ContextSensitiveHelp(BOOL) { return S_OK; }

// ---- Unit start and end ----------------------------------------------------------------------------

void kvAccessibilityStart() {
  if (gEntryCount++ > 0) return;
  gOleAccLibrary = LoadLibraryA("oleacc.dll");
  if (gOleAccLibrary)
    gAccessibleObjectFromWindow = reinterpret_cast<TAccessibleObjectFromWindowProc>(
        GetProcAddress(gOleAccLibrary, "AccessibleObjectFromWindow"));
}

void kvAccessibilityEnd() {
  if (gEntryCount == 0 || --gEntryCount > 0) return;
  gAccessibleObjectFromWindow = nullptr;
  if (gOleAccLibrary) FreeLibrary(gOleAccLibrary);
  gOleAccLibrary = nullptr;
}
