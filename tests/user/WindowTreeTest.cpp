#include "UserTestSupport.h"

using WindowTree = UserTest;

TEST_F(WindowTree, CreateAndDestroySendTheLifecycleMessagesInOrder) {
  HWND parent = Create(WS_OVERLAPPEDWINDOW, Bounds(10, 10, 300, 200));
  HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(5, 5, 50, 50), parent);
  const std::vector<UINT> lifecycle{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_DESTROY, WM_NCDESTROY};
  EXPECT_EQ(Messages(child, lifecycle), (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  log.clear();
  ASSERT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> order;
  for (const Recorded& r : log) {
    if (r.message == WM_DESTROY || r.message == WM_NCDESTROY) order.push_back({r.window, r.message});
  }
  // WM_DESTROY parent first; WM_NCDESTROY children first.
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{
                       {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowTree, CreationFailsWhenCreateAnswersMinusOne) {
  // The handler is looked up by handle, which exists only during creation: answer for any window.
  WNDCLASS c;
  c.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
  };
  c.lpszClassName = "RefusesCreation";
  RegisterClass(&c);
  EXPECT_EQ(CreateWindowEx(0, "RefusesCreation", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowTree, DestroyWindowInsideItsOwnMessageIsSafe) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 10, 10), window);
  bool afterDestroy = false;
  handlers[window] = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m != WM_USER) return false;
    DestroyWindow(h);
    // Still inside the dead window's procedure: the handle is gone, calls on it fail quietly.
    afterDestroy = !IsWindow(h) && GetWindowLongPtr(h, GWL_STYLE) == 0 && SendMessage(h, WM_USER + 1, 0, 0) == 0;
    return true;
  };
  PostMessage(window, WM_USER, 0, 0);
  Pump();
  EXPECT_TRUE(afterDestroy);
  EXPECT_FALSE(IsWindow(child));
}

namespace {

std::vector<std::string> gCalls;
WNDPROC gBeforeA = nullptr;
WNDPROC gBeforeB = nullptr;

LRESULT SubclassA(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) gCalls.push_back("A");
  return CallWindowProc(gBeforeA, h, m, w, l);
}

LRESULT SubclassB(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) gCalls.push_back("B");
  return CallWindowProc(gBeforeB, h, m, w, l);
}

}  // namespace

TEST_F(WindowTree, SubclassingAndUnsubclassingInAnyOrder) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWL_WNDPROC));
  gBeforeA = reinterpret_cast<WNDPROC>(SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassA)));
  gBeforeB = reinterpret_cast<WNDPROC>(SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassB)));
  EXPECT_EQ(gBeforeA, original);
  EXPECT_EQ(gBeforeB, SubclassA);
  gCalls.clear();
  log.clear();
  SendMessage(window, WM_USER, 0, 0);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(Messages(window, {WM_USER}).size(), 1u);

  // A leaves first although B sits on top of it: B is told to call what A called.
  gBeforeB = gBeforeA;
  gCalls.clear();
  SendMessage(window, WM_USER, 0, 0);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"B"}));
  // Then B puts the original back.
  SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(gBeforeB));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWL_WNDPROC)), original);
  gCalls.clear();
  log.clear();
  SendMessage(window, WM_USER, 0, 0);
  EXPECT_TRUE(gCalls.empty());
  EXPECT_EQ(Messages(window, {WM_USER}).size(), 1u);
}

TEST_F(WindowTree, TreeQueriesAndWindowData) {
  HWND owner = Create(WS_OVERLAPPEDWINDOW, Bounds(0, 0, 200, 200));
  HWND popup = Create(WS_POPUP, Bounds(0, 0, 50, 50), owner);
  HWND a = Create(WS_CHILD, Bounds(0, 0, 10, 10), owner);
  HWND b = Create(WS_CHILD, Bounds(0, 0, 10, 10), owner);
  HWND grandchild = Create(WS_CHILD, Bounds(0, 0, 5, 5), a);
  EXPECT_EQ(GetParent(a), owner);
  EXPECT_EQ(GetParent(popup), owner);  // a popup's parent is its owner
  EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
  EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), owner);
  EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), owner);
  EXPECT_TRUE(IsChild(owner, grandchild));
  EXPECT_FALSE(IsChild(owner, popup));
  // Children are kept in creation order, the first created on top.
  EXPECT_EQ(GetWindow(owner, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  std::vector<HWND> all;
  EnumChildWindows(owner, [](HWND h, LPARAM p) { reinterpret_cast<std::vector<HWND>*>(p)->push_back(h); return TRUE; },
                   reinterpret_cast<LPARAM>(&all));
  EXPECT_EQ(all, (std::vector<HWND>{a, grandchild, b}));

  EXPECT_EQ(SetParent(grandchild, b), a);
  EXPECT_TRUE(IsChild(b, grandchild));
  EXPECT_EQ(SetParent(b, grandchild), nullptr);  // never under its own descendant

  SetWindowText(a, "Hello");
  char text[4];
  EXPECT_EQ(GetWindowText(a, text, sizeof text), 3);
  EXPECT_STREQ(text, "Hel");
  EXPECT_EQ(GetWindowTextLength(a), 5);
  SetProp(a, "Key", reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(GetProp(a, "KEY"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(RemoveProp(a, "key"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(GetProp(a, "Key"), nullptr);
  SetWindowLongPtr(a, GWL_USERDATA, 42);
  EXPECT_EQ(GetWindowLongPtr(a, GWL_USERDATA), 42);
  char name[32];
  GetClassName(a, name, sizeof name);
  EXPECT_STREQ(name, "TestWindow");
  EXPECT_EQ(FindWindowEx(owner, nullptr, "testwindow", nullptr), a);
}

// Extra bytes of windows and classes take a value at any offset that keeps it wholly inside;
// beyond the end nothing is read or written.
TEST_F(WindowTree, ExtraBytesHoldValuesWhollyInsideOnly) {
  WNDCLASS c;
  c.lpfnWndProc = DefWindowProc;
  c.cbClsExtra = 12;
  c.cbWndExtra = 12;
  c.lpszClassName = "WithExtraBytes";
  RegisterClass(&c);
  HWND w = CreateWindowEx(0, "WithExtraBytes", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(w);
  EXPECT_EQ(SetWindowLongPtr(w, 4, 0x1122334455667788), 0);
  EXPECT_EQ(GetWindowLongPtr(w, 4), 0x1122334455667788);
  EXPECT_EQ(GetWindowLong(w, 8), 0x11223344);
  EXPECT_EQ(SetWindowLong(w, 8, 7), 0x11223344);
  EXPECT_EQ(GetWindowLong(w, 8), 7);
  EXPECT_EQ(SetWindowLongPtr(w, 5, 1), 0);
  EXPECT_EQ(GetWindowLongPtr(w, 5), 0);
  EXPECT_EQ(SetWindowLong(w, 9, 1), 0);
  EXPECT_EQ(GetWindowLong(w, 9), 0);
  EXPECT_EQ(GetWindowLong(w, 8), 7);
  SetClassLongPtr(w, 4, 99);
  EXPECT_EQ(GetClassLongPtr(w, 4), 99u);
  EXPECT_EQ(SetClassLongPtr(w, 5, 1), 0u);
  EXPECT_EQ(GetClassLongPtr(w, 5), 0u);
}

TEST_F(WindowTree, EnableWindowSendsCancelModeThenEnable) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 10, 10));
  log.clear();
  EXPECT_FALSE(EnableWindow(window, FALSE));
  EXPECT_EQ(Messages(window, {WM_CANCELMODE, WM_ENABLE}), (std::vector<UINT>{WM_CANCELMODE, WM_ENABLE}));
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_TRUE(EnableWindow(window, TRUE));
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(WindowTree, IconsSetByMessageAreKeptAndTheCaptionAsksForTheSmallOne) {
  const auto icon = [](uintptr_t n) { return reinterpret_cast<HICON>(n); };
  WNDCLASSEX c;
  c.lpfnWndProc = DefWindowProc;
  c.lpszClassName = "IconClass";
  c.hIconSm = icon(9);
  RegisterClassEx(&c);
  HWND window = CreateWindowEx(0, "IconClass", "", WS_OVERLAPPEDWINDOW, 0, 0, 80, 60, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(window, nullptr);
  const auto get = [&](WPARAM which) { return reinterpret_cast<HICON>(SendMessage(window, WM_GETICON, which, 0)); };
  const auto set = [&](WPARAM which, uintptr_t n) {
    return reinterpret_cast<HICON>(SendMessage(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon(n))));
  };
  struct Step {
    WPARAM which;  // set this icon ...
    uintptr_t value;
    HICON previous;  // ... answering the one it replaces
    HICON small, big, small2;
  };
  const Step kSteps[] = {
      {ICON_BIG, 0, nullptr, nullptr, nullptr, icon(9)},  // nothing set: the class's small icon
      {ICON_BIG, 2, nullptr, nullptr, icon(2), icon(2)},
      {ICON_SMALL, 1, nullptr, icon(1), icon(2), icon(1)},
      {ICON_SMALL, 3, icon(1), icon(3), icon(2), icon(3)},
      {ICON_SMALL, 0, icon(3), nullptr, icon(2), icon(2)},
  };
  for (const Step& s : kSteps) {
    SCOPED_TRACE(s.value);
    EXPECT_EQ(set(s.which, s.value), s.previous);
    EXPECT_EQ(get(ICON_SMALL), s.small);
    EXPECT_EQ(get(ICON_BIG), s.big);
    EXPECT_EQ(get(ICON_SMALL2), s.small2);
  }
  EXPECT_EQ(GetMenu(window), nullptr);
  DestroyWindow(window);
  UnregisterClass("IconClass", nullptr);
}
