#include "backend/ScriptedInput.h"

#include "user/VirtualKeys.h"

namespace {

// The key that types a character on a US layout, with Shift when it needs it; VK_PACKET for the
// rest (the character itself travels with the key).
constexpr UINT kPacket = 0xE7;

struct KeyFor {
  UINT virtualKey;
  bool shift;
};

KeyFor KeyForCharacter(uint32_t c) {
  if (c >= 'a' && c <= 'z') return {static_cast<UINT>(c - 'a' + 'A'), false};
  if (c >= 'A' && c <= 'Z') return {static_cast<UINT>(c), true};
  if (c >= '0' && c <= '9') return {static_cast<UINT>(c), false};
  if (c == ' ') return {VK_SPACE, false};
  if (c == '\n' || c == '\r') return {VK_RETURN, false};
  if (c == '\t') return {VK_TAB, false};
  return {kPacket, false};
}

// Next code point of UTF-8 text (U+FFFD for a broken sequence).
uint32_t NextCodePoint(const String& text, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i++);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  uint32_t c = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (byte(i++) & 0x3F);
  }
  return c;
}

void Modifiers(UINT modifiers, bool down) {
  if (modifiers & kShift) InputKey(VK_SHIFT, down);
  if (modifiers & kCtrl) InputKey(VK_CONTROL, down);
  if (modifiers & kAlt) InputKey(VK_MENU, down);
}

}  // namespace

void ScriptPause(uint32_t milliseconds) { InputPause(milliseconds); }

void ScriptMouseMove(POINT to) { InputMouseMove(to); }

void ScriptClick(POINT at, MouseButton button) {
  InputMouseMove(at);
  InputMouseButton(at, button, true);
  InputMouseButton(at, button, false);
}

void ScriptDoubleClick(POINT at, MouseButton button) {
  ScriptClick(at, button);
  InputMouseButton(at, button, true);
  InputMouseButton(at, button, false);
}

void ScriptDrag(POINT from, POINT to, int steps, MouseButton button) {
  InputMouseMove(from);
  InputMouseButton(from, button, true);
  if (steps < 1) steps = 1;
  for (int i = 1; i <= steps; ++i) {
    InputMouseMove({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
  }
  InputMouseButton(to, button, false);
}

void ScriptWheel(POINT at, int notches) {
  InputMouseMove(at);
  InputMouseWheel(at, notches * 120);
}

void ScriptKeyPress(UINT virtualKey, UINT modifiers, uint32_t character) {
  Modifiers(modifiers, true);
  InputKey(virtualKey, true, character);
  InputKey(virtualKey, false);
  Modifiers(modifiers, false);
}

void ScriptTypeText(const String& text) {
  for (size_t i = 0; i < text.size();) {
    uint32_t c = NextCodePoint(text, i);
    KeyFor key = KeyForCharacter(c);
    ScriptKeyPress(key.virtualKey, key.shift ? kShift : 0, c == '\n' ? '\r' : c);
  }
}
