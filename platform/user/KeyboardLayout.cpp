#include "user/KeyboardLayout.h"

#include "user/VirtualKeys.h"

uint32_t UsLayoutCharacter(UINT vk, bool shift, bool caps, bool ctrl) {
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return vk - 'A' + 1;
    return (shift != caps) ? vk : vk + ('a' - 'A');
  }
  if (ctrl) return 0;
  if (vk >= '0' && vk <= '9') return shift ? static_cast<uint32_t>(")!@#$%^&*("[vk - '0']) : vk;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return '0' + (vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return 8;
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
  }
}

UINT MapVirtualKeyA(UINT code, UINT mapType) {
  if (mapType != MAPVK_VK_TO_CHAR || code > 0xFF) return 0;
  uint32_t character = UsLayoutCharacter(code, false, false, false);
  // Letters answer their upper-case form, as the key caps show them.
  if (character >= 'a' && character <= 'z') character -= 'a' - 'A';
  return character;
}

SHORT VkKeyScanA(char ch) {
  auto wanted = static_cast<uint32_t>(static_cast<unsigned char>(ch));
  // Plain keys first, then with Shift, then with Ctrl; the numeric pad only answers when no main
  // key types the character.
  struct Pass {
    bool shift, ctrl;
    SHORT state;
  };
  const Pass passes[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}};
  for (bool pad : {false, true}) {
    for (const Pass& pass : passes) {
      for (UINT vk = 1; vk < 0xFF; ++vk) {
        bool isPad = vk >= VK_NUMPAD0 && vk <= VK_DIVIDE;
        if (isPad != pad) continue;
        if (UsLayoutCharacter(vk, pass.shift, false, pass.ctrl) == wanted)
          return static_cast<SHORT>((pass.state << 8) | vk);
      }
    }
  }
  return -1;
}

int ToAscii(UINT virtualKey, UINT scanCode, const BYTE* keyState, WORD* chars, UINT) {
  if (!keyState || !chars || (scanCode & 0x8000) || virtualKey > 0xFF) return 0;
  bool shift = keyState[VK_SHIFT] & 0x80;
  bool caps = keyState[VK_CAPITAL] & 0x01;
  bool control = keyState[VK_CONTROL] & 0x80;
  bool alt = keyState[VK_MENU] & 0x80;
  // Ctrl+Alt is AltGr, which types nothing on this layout.
  if (control && alt) return 0;
  uint32_t character = UsLayoutCharacter(virtualKey, shift, caps, control);
  if (character == 0) return 0;
  *chars = static_cast<WORD>(character);
  return 1;
}
