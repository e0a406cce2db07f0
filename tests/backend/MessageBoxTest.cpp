#include <cstdlib>

#include "BackendFixture.h"

namespace {

// Ends a box that the test failed to end, so that a failing test never hangs: the fake clock
// jumps to this timer once the loop is idle.
void InstallSafetyNet(HWND box) {
  SetTimer(box, 0x5AFE, 60000, [](HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); });
}

struct KeyStroke {
  UINT key;
  UINT modifiers;
  uint32_t character;
};

}  // namespace

TEST_F(BackendTest, MessageBoxTakesTheRespondersAnswerWithItsOwnerDisabled) {
  HWND owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 400, 300), RGB(255, 255, 255));
  Pump();
  ModalRequest seen;
  bool ownerEnabled = true;
  SetModalResponder([&](const ModalRequest& request) {
    seen = request;
    ownerEnabled = IsWindowEnabled(owner);
    return IDNO;
  });
  EXPECT_EQ(MessageBox(owner, "Delete the file?", "Confirm", MB_YESNO | MB_ICONWARNING), IDNO);
  EXPECT_EQ(seen.kind, "MessageBox");
  EXPECT_EQ(seen.text, "Delete the file?");
  EXPECT_EQ(seen.caption, "Confirm");
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindow(seen.window));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(BackendTest, MessageBoxAnswersTheKeyboard) {
  struct Case {
    const char* name;
    UINT flags;
    std::vector<KeyStroke> keys;
    int expected;
  };
  const Case cases[] = {
      {"enter presses the default", MB_YESNOCANCEL | MB_DEFBUTTON2, {{VK_RETURN, 0, 0}}, IDNO},
      {"escape cancels", MB_OKCANCEL, {{VK_ESCAPE, 0, 0}}, IDCANCEL},
      {"escape closes a lone OK", MB_OK, {{VK_ESCAPE, 0, 0}}, IDOK},
      {"escape cannot answer yes/no", MB_YESNO, {{VK_ESCAPE, 0, 0}, {'N', 0, 'n'}}, IDNO},
      {"tab moves on", MB_ABORTRETRYIGNORE, {{VK_TAB, 0, 0}, {VK_TAB, 0, 0}, {VK_RETURN, 0, 0}}, IDIGNORE},
      {"shift-tab moves back", MB_RETRYCANCEL, {{VK_TAB, kShift, 0}, {VK_RETURN, 0, 0}}, IDCANCEL},
      {"arrows move", MB_YESNOCANCEL, {{VK_RIGHT, 0, 0}, {VK_RETURN, 0, 0}}, IDNO},
      {"alt and the mnemonic", MB_YESNO | MB_DEFBUTTON2, {{'Y', kAlt, 'y'}}, IDYES},
      {"the mnemonic alone", MB_ABORTRETRYIGNORE, {{'R', 0, 'r'}}, IDRETRY},
      {"default beyond the buttons is the first", MB_OK | MB_DEFBUTTON3, {{VK_RETURN, 0, 0}}, IDOK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetModalResponder([&](const ModalRequest& request) {
      InstallSafetyNet(request.window);
      for (const KeyStroke& k : c.keys) ScriptKeyPress(k.key, k.modifiers, k.character);
      return 0;
    });
    EXPECT_EQ(MessageBox(nullptr, "Question", "Title", c.flags), c.expected);
  }
}

TEST_F(BackendTest, MessageBoxAnswersTheMouseAndKeepsTimersRunning) {
  static int ticks;
  static POINT okButton;
  ticks = 0;
  HWND owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 400, 300), RGB(255, 255, 255));
  SetTimer(owner, 7, 100, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
  SetModalResponder([&](const ModalRequest& request) {
    InstallSafetyNet(request.window);
    // OK is the left one of two buttons centred at the bottom of the client area.
    RECT client;
    GetClientRect(request.window, &client);
    okButton = {client.Right / 2 - 40, client.Bottom - 12 - 11};
    ClientToScreen(request.window, &okButton);
    // The person clicks a while later; the owner's timer keeps firing meanwhile.
    SetTimer(request.window, 1, 350, [](HWND window, UINT, UINT_PTR id, DWORD) {
      KillTimer(window, id);
      ScriptClick(okButton);
    });
    return 0;
  });
  EXPECT_EQ(MessageBox(owner, "Proceed?", "Title", MB_OKCANCEL), IDOK);
  EXPECT_GE(ticks, 3);

  // A timer handler can open a box too (nested in the timer's dispatch).
  SetModalResponder([](const ModalRequest&) { return IDOK; });
  static int boxResult;
  boxResult = 0;
  SetTimer(owner, 8, 10, [](HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    boxResult = MessageBox(window, "From a timer", "Title", MB_OK | MB_ICONINFORMATION);
  });
  clock.Advance(20);
  Pump();
  EXPECT_EQ(boxResult, IDOK);
}

TEST_F(BackendTest, MessageBoxEndsWhenTheLoopIsToldToQuit) {
  SetModalResponder([](const ModalRequest&) {
    PostQuitMessage(3);
    return 0;
  });
  EXPECT_EQ(MessageBox(nullptr, "Text", "Title", MB_OK), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}
