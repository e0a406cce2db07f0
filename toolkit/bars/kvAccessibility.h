#pragma once
// The nodes of the toolkit's accessibility trees. Every visual object that takes part in keyboard
// navigation (a dock site, a bar window, an item control, a ribbon tab) owns one helper; the
// helpers form a tree through their parent and child operations. The keyboard navigation and key
// tips use the tree; the accessibility interfaces map each of their methods onto the same virtual
// operations, and answer safely once the owner is gone.

#include "rtl/OleAccessibility.h"

class TkvAccessibilityHelper;

class IkvAccessibilityHelper : public virtual IInterface {
  TAVREN_INTERFACE(IkvAccessibilityHelper)
 public:
  virtual TkvAccessibilityHelper* HelperObject() = 0;
  virtual void NotifyOwnerFreed() = 0;
};

// What a node supports beyond names, roles and states, per element.
using TkvAccessibilityFeatures = Integer;
constexpr TkvAccessibilityFeatures afDefaultAction = 0x01;
constexpr TkvAccessibilityFeatures afDescription = 0x02;
constexpr TkvAccessibilityFeatures afFocus = 0x04;
constexpr TkvAccessibilityFeatures afLocationAndNavigation = 0x08;
constexpr TkvAccessibilityFeatures afKeyboardShortcut = 0x10;
constexpr TkvAccessibilityFeatures afValue = 0x20;

// Directions of NavigateChild, also those of keyboard navigation.
constexpr Integer kvNavigateLeft = 0;
constexpr Integer kvNavigateUp = 1;
constexpr Integer kvNavigateRight = 2;
constexpr Integer kvNavigateDown = 3;
constexpr Integer kvNavigatePrevious = 4;
constexpr Integer kvNavigateNext = 5;

// HitTestChild's answers.
constexpr Integer kvHitNothing = 0;
constexpr Integer kvHitSelf = 1;
constexpr Integer kvHitChild = 2;

class TkvAccessibilityHelper : public TInterfacedObject,
                               public virtual IkvAccessibilityHelper,
                               public IAccessible,
                               public IOleWindow {
  TAVREN_CLASS(TkvAccessibilityHelper, TInterfacedObject)
 public:
  // Owners make their helper from a class they choose, passing themselves.
  using TCreateArg = TObject*;
  explicit TkvAccessibilityHelper(TObject* AOwnerObject);

  // The operations descendants answer. Element index 0 is the node itself (or its first simple
  // element: no node of this system has simple elements).
  void NotifyOwnerFreed() override;
  virtual bool ChildIsSimpleElement(Integer AIndex);
  virtual void DoDefaultAction(Integer AChildID);
  virtual bool GetFocusedChild(bool& AIsChild, Integer& AChildIndex);
  virtual TkvAccessibilityHelper* ChildAt(Integer AIndex);
  virtual Integer ChildTotal();
  virtual Integer IndexOfChild(TkvAccessibilityHelper* AChild);
  virtual String GetDefaultActionDescription(Integer AChildID);
  virtual String GetDescription(Integer AChildID);
  // kvHitNothing, kvHitSelf or kvHitChild (with AChildIndex).
  virtual Integer HitTestChild(Integer AScreenX, Integer AScreenY, Integer& AChildIndex);
  virtual void GetKeyboardAccess(Integer AChildID, Word& AShortCut, String& ACaptionWithAccelChars);
  virtual String AccessibleName(Integer AChildID);
  virtual HWND OwnerWindow();
  virtual TkvAccessibilityHelper* ParentNode();
  virtual Integer GetRole(Integer AChildID);
  virtual TRect ScreenRect(Integer AChildID);
  virtual bool IsSelectableTarget();
  virtual Integer StateFlags(Integer AChildID);
  virtual TkvAccessibilityFeatures SupportedFeatures(Integer AChildID);
  virtual String AccessibleValue(Integer AChildID);
  virtual Integer NavigateChild(Integer AStartIndex, Integer ADirection);
  virtual void StoreAccessibleValue(Integer AChildID, const String& AValue);

  // The next child after AStart (before it when backward) whose IsSelectableTarget holds; a
  // negative start begins outside the children; -1 when the walk leaves them. Raises for a start
  // beyond the children.
  Integer NextSelectableChildIndex(Integer AStart, bool AForward);
  TkvAccessibilityHelper* RootNode();
  bool IsVisible();

  TObject* GetOwnerObject() const noexcept { return FOwnerObject; }
  bool IsOwnerAlive() const noexcept { return FOwnerAlive; }

  // IkvAccessibilityHelper
  TkvAccessibilityHelper* HelperObject() override { return this; }

  // IDispatch
  HRESULT GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT GetTypeInfo(UINT iTInfo, DWORD lcid, void** ppTInfo) override;
  HRESULT GetIDsOfNames(const TInterfaceId& riid, const char* const* rgszNames, UINT cNames, DWORD lcid,
                        LONG* rgDispId) override;
  HRESULT Invoke(LONG dispIdMember, const TInterfaceId& riid, DWORD lcid, WORD wFlags, void* pDispParams,
                 VARIANT* pVarResult, void* pExcepInfo, UINT* puArgErr) override;
  // IAccessible
  HRESULT get_accParent(TInterfacePtr<IDispatch>& ppdispParent) override;
  HRESULT get_accChildCount(LONG* pcountChildren) override;
  HRESULT get_accChild(const VARIANT& varChild, TInterfacePtr<IDispatch>& ppdispChild) override;
  HRESULT get_accName(const VARIANT& varChild, TOwnedBSTR& pszName) override;
  HRESULT get_accValue(const VARIANT& varChild, TOwnedBSTR& pszValue) override;
  HRESULT get_accDescription(const VARIANT& varChild, TOwnedBSTR& pszDescription) override;
  HRESULT get_accRole(const VARIANT& varChild, VARIANT& pvarRole) override;
  HRESULT get_accState(const VARIANT& varChild, VARIANT& pvarState) override;
  HRESULT get_accHelp(const VARIANT& varChild, TOwnedBSTR& pszHelp) override;
  HRESULT get_accHelpTopic(TOwnedBSTR& pszHelpFile, const VARIANT& varChild, LONG* pidTopic) override;
  HRESULT get_accKeyboardShortcut(const VARIANT& varChild, TOwnedBSTR& pszKeyboardShortcut) override;
  HRESULT get_accFocus(VARIANT& pvarChild) override;
  HRESULT get_accSelection(VARIANT& pvarChildren) override;
  HRESULT get_accDefaultAction(const VARIANT& varChild, TOwnedBSTR& pszDefaultAction) override;
  HRESULT accSelect(LONG flagsSelect, const VARIANT& varChild) override;
  HRESULT accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, const VARIANT& varChild) override;
  HRESULT accNavigate(LONG navDir, const VARIANT& varStart, VARIANT& pvarEndUpAt) override;
  HRESULT accHitTest(LONG xLeft, LONG yTop, VARIANT& pvarChild) override;
  HRESULT accDoDefaultAction(const VARIANT& varChild) override;
  HRESULT put_accName(const VARIANT& varChild, const String& szName) override;
  HRESULT put_accValue(const VARIANT& varChild, const String& szValue) override;
  // IOleWindow
  HRESULT GetWindow(HWND* phwnd) override;
  HRESULT ContextSensitiveHelp(BOOL fEnterMode) override;

 protected:
  // False with AResult = S_OK once the owner is gone: the caller answers with cleared outputs.
  bool OwnerAliveCheck(HRESULT& AResult);
  // The element index of a child id, or false with the result to answer.
  bool DecodeChildId(const VARIANT& AChildId, Integer& AIndex, HRESULT& AResult);
  // A child id of a child with a helper of its own becomes that helper's IDispatch.
  void ExposeChildObject(VARIANT& AChildId);
  static HRESULT StringResultCode(const String& AText);

 private:
  TObject* FOwnerObject;
  bool FOwnerAlive = true;
};

// Unit start and end: the run-time binding of the accessibility library, counted.
void kvAccessibilityStart();
void kvAccessibilityEnd();
