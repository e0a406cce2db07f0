#include "UserTestSupport.h"
#include "user/Help.h"
#include "user/KeyboardLayout.h"
#include "user/Sound.h"

namespace {

using KeyboardLayout = UserTest;

TEST(KeyboardLayoutTable, KeysAndCharactersMapBothWays) {
  struct Case {
    UINT vk;
    UINT mapped;      // MapVirtualKey mode 2
    char character;   // typed without Shift
    SHORT scan;       // VkKeyScan of the character
  };
  const Case kCases[] = {
      {'A', 'A', 'a', 'A'},          {'7', '7', '7', '7'},          {VK_OEM_2, '/', '/', VK_OEM_2},
      {VK_SPACE, ' ', ' ', VK_SPACE}, {VK_NUMPAD3, '3', '3', '3'},   {VK_F1, 0, 0, -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.vk);
    EXPECT_EQ(MapVirtualKey(c.vk, MAPVK_VK_TO_CHAR), c.mapped);
    if (c.character) {
      EXPECT_EQ(VkKeyScan(c.character), c.scan);
    }
  }
  EXPECT_EQ(MapVirtualKey('A', MAPVK_VK_TO_VSC), 0u);
  // Shifted characters name Shift in the high byte, control characters Ctrl; the pad's '*' is
  // not the key a user types it with.
  EXPECT_EQ(VkKeyScan('?'), 0x100 | VK_OEM_2);
  EXPECT_EQ(VkKeyScan('*'), 0x100 | '8');
  EXPECT_EQ(VkKeyScan('\x01'), 0x200 | 'A');
  EXPECT_EQ(VkKeyScan('\xE9'), -1);

  BYTE state[256] = {};
  WORD typed = 0;
  EXPECT_EQ(ToAscii('Q', 0x10, state, &typed, 0), 1);
  EXPECT_EQ(typed, 'q');
  state[VK_SHIFT] = 0x80;
  EXPECT_EQ(ToAscii('1', 0x02, state, &typed, 0), 1);
  EXPECT_EQ(typed, '!');
  state[VK_CONTROL] = state[VK_MENU] = 0x80;
  EXPECT_EQ(ToAscii('Q', 0x10, state, &typed, 0), 0);
  state[VK_CONTROL] = state[VK_MENU] = state[VK_SHIFT] = 0;
  EXPECT_EQ(ToAscii('Q', 0x8010, state, &typed, 0), 0);  // key up
  EXPECT_EQ(ToAscii(VK_F5, 0x3F, state, &typed, 0), 0);
}

TEST(SoundWithoutScheme, PlaysNothingAndKeepsTheRequest) {
  unsigned before = LastSoundRequest().count;
  EXPECT_FALSE(PlaySound("MenuPopup", nullptr, SND_ALIAS | SND_ASYNC));
  SoundRequest request = LastSoundRequest();
  EXPECT_EQ(request.count, before + 1);
  EXPECT_TRUE(request.hasName);
  EXPECT_EQ(request.name, "MenuPopup");
  EXPECT_EQ(request.flags, SND_ALIAS | SND_ASYNC);
  EXPECT_FALSE(PlaySound(nullptr, nullptr, 0));
  EXPECT_FALSE(LastSoundRequest().hasName);
}

TEST_F(KeyboardLayout, F1AsksForHelpAndUnansweredHelpGoesUpToTheParent) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 200));
  HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 50), top);
  SetWindowLongPtr(child, GWL_ID, 42);
  SetFocus(child);
  HELPINFO seen;
  HWND answeredBy = nullptr;
  handlers[top] = [&](HWND w, UINT m, WPARAM, LPARAM l, LRESULT* r) {
    if (m != WM_HELP) return false;
    seen = *reinterpret_cast<HELPINFO*>(l);
    answeredBy = w;
    *r = TRUE;
    return true;
  };
  struct Case {
    bool shift;
    bool asked;
  };
  // Shift+F1 is not plain help.
  const Case kCases[] = {{false, true}, {true, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.shift);
    answeredBy = nullptr;
    if (c.shift) InputKey(VK_SHIFT, true);
    InputKey(VK_F1, true);
    InputKey(VK_F1, false);
    if (c.shift) InputKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(answeredBy != nullptr, c.asked);
  }
  EXPECT_EQ(seen.iContextType, HELPINFO_WINDOW);
  EXPECT_EQ(seen.hItemHandle, child);
  EXPECT_EQ(seen.iCtrlId, 42);
  // The child got it first: the default procedure passed it on.
  EXPECT_FALSE(Messages(child, {WM_HELP}).empty());
}

}  // namespace
