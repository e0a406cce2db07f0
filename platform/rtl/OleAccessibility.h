#pragma once
// The accessibility interfaces a toolkit node exposes, as plain interfaces of ours: IDispatch,
// IAccessible and IOleWindow with the variants, strings and constants their methods pass. There is
// no object runtime behind them and no accessibility client on this platform; nodes answer direct
// calls.

#include <optional>

#include "rtl/Interfaces.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);

constexpr LONG CHILDID_SELF = 0;
constexpr LONG OBJID_WINDOW = 0;

constexpr LONG NAVDIR_UP = 1;
constexpr LONG NAVDIR_DOWN = 2;
constexpr LONG NAVDIR_LEFT = 3;
constexpr LONG NAVDIR_RIGHT = 4;
constexpr LONG NAVDIR_NEXT = 5;
constexpr LONG NAVDIR_PREVIOUS = 6;
constexpr LONG NAVDIR_FIRSTCHILD = 7;
constexpr LONG NAVDIR_LASTCHILD = 8;

class IDispatch;

using VARTYPE = uint16_t;
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_DISPATCH = 9;

// The three kinds of value the accessibility methods pass; the variant holds a reference on its
// object.
struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  LONG lVal = 0;
  TInterfacePtr<IDispatch> pdispVal;

  static VARIANT I4(LONG AValue) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = AValue;
    return v;
  }
  void Clear() { *this = VARIANT(); }
};

// A string handed out by a method, owned by the caller's variable; no string at all is not the
// same as an empty one.
class TOwnedBSTR {
 public:
  bool IsNull() const noexcept { return !FText.has_value(); }
  const String& Text() const;
  void Assign(const String& AText) { FText = AText; }
  void Clear() noexcept { FText.reset(); }

 private:
  std::optional<String> FText;
};

class IDispatch : public virtual IInterface {
  TAVREN_INTERFACE(IDispatch)
 public:
  virtual HRESULT GetTypeInfoCount(UINT* pctinfo) = 0;
  virtual HRESULT GetTypeInfo(UINT iTInfo, DWORD lcid, void** ppTInfo) = 0;
  virtual HRESULT GetIDsOfNames(const TInterfaceId& riid, const char* const* rgszNames, UINT cNames, DWORD lcid,
                                LONG* rgDispId) = 0;
  virtual HRESULT Invoke(LONG dispIdMember, const TInterfaceId& riid, DWORD lcid, WORD wFlags, void* pDispParams,
                         VARIANT* pVarResult, void* pExcepInfo, UINT* puArgErr) = 0;
};

class IAccessible : public IDispatch {
  TAVREN_INTERFACE(IAccessible)
 public:
  virtual HRESULT get_accParent(TInterfacePtr<IDispatch>& ppdispParent) = 0;
  virtual HRESULT get_accChildCount(LONG* pcountChildren) = 0;
  virtual HRESULT get_accChild(const VARIANT& varChild, TInterfacePtr<IDispatch>& ppdispChild) = 0;
  virtual HRESULT get_accName(const VARIANT& varChild, TOwnedBSTR& pszName) = 0;
  virtual HRESULT get_accValue(const VARIANT& varChild, TOwnedBSTR& pszValue) = 0;
  virtual HRESULT get_accDescription(const VARIANT& varChild, TOwnedBSTR& pszDescription) = 0;
  virtual HRESULT get_accRole(const VARIANT& varChild, VARIANT& pvarRole) = 0;
  virtual HRESULT get_accState(const VARIANT& varChild, VARIANT& pvarState) = 0;
  virtual HRESULT get_accHelp(const VARIANT& varChild, TOwnedBSTR& pszHelp) = 0;
  virtual HRESULT get_accHelpTopic(TOwnedBSTR& pszHelpFile, const VARIANT& varChild, LONG* pidTopic) = 0;
  virtual HRESULT get_accKeyboardShortcut(const VARIANT& varChild, TOwnedBSTR& pszKeyboardShortcut) = 0;
  virtual HRESULT get_accFocus(VARIANT& pvarChild) = 0;
  virtual HRESULT get_accSelection(VARIANT& pvarChildren) = 0;
  virtual HRESULT get_accDefaultAction(const VARIANT& varChild, TOwnedBSTR& pszDefaultAction) = 0;
  virtual HRESULT accSelect(LONG flagsSelect, const VARIANT& varChild) = 0;
  virtual HRESULT accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, const VARIANT& varChild) = 0;
  virtual HRESULT accNavigate(LONG navDir, const VARIANT& varStart, VARIANT& pvarEndUpAt) = 0;
  virtual HRESULT accHitTest(LONG xLeft, LONG yTop, VARIANT& pvarChild) = 0;
  virtual HRESULT accDoDefaultAction(const VARIANT& varChild) = 0;
  virtual HRESULT put_accName(const VARIANT& varChild, const String& szName) = 0;
  virtual HRESULT put_accValue(const VARIANT& varChild, const String& szValue) = 0;
};

class IOleWindow : public virtual IInterface {
  TAVREN_INTERFACE(IOleWindow)
 public:
  virtual HRESULT GetWindow(HWND* phwnd) = 0;
  virtual HRESULT ContextSensitiveHelp(BOOL fEnterMode) = 0;
};
