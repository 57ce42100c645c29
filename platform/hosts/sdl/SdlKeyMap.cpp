#include "platform/hosts/sdl/SdlKeyMap.h"

namespace qel {

namespace {
// Codes the shared key list does not name.
constexpr uint16_t VK_CLEAR = 0x0C, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_SNAPSHOT = 0x2C, VK_LWIN = 0x5B,
                   VK_RWIN = 0x5C, VK_APPS = 0x5D, VK_SEPARATOR = 0x6C, VK_F13 = 0x7C, VK_NUMLOCK = 0x90,
                   VK_SCROLL = 0x91, VK_OEM_102 = 0xE2;

// Keypad keys by place; with NumLock off the digits are cursor keys.
uint16_t KeypadKey(SDL_Scancode s, bool numLock) {
  if (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_0) {
    int digit = s == SDL_SCANCODE_KP_0 ? 0 : s - SDL_SCANCODE_KP_1 + 1;
    if (numLock) return static_cast<uint16_t>(VK_NUMPAD0 + digit);
    static constexpr uint16_t cursor[] = {VK_INSERT, VK_END, VK_DOWN, VK_NEXT, VK_LEFT,
                                          VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP, VK_PRIOR};
    return cursor[digit];
  }
  switch (s) {
    case SDL_SCANCODE_KP_PERIOD: return numLock ? VK_DECIMAL : VK_DELETE;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_KP_COMMA: return VK_SEPARATOR;
    default: return 0;
  }
}

// Keys that type nothing, by what the layout made of them.
uint16_t NamedKey(SDL_Keycode k) {
  if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<uint16_t>(VK_F1 + (k - SDLK_F1));
  if (k >= SDLK_F13 && k <= SDLK_F24) return static_cast<uint16_t>(VK_F13 + (k - SDLK_F13));
  switch (k) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_RETURN2: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_LGUI: return VK_LWIN;
    case SDLK_RGUI: return VK_RWIN;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDLK_SCROLLLOCK: return VK_SCROLL;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_PRINTSCREEN: return VK_SNAPSHOT;
    case SDLK_CLEAR: return VK_CLEAR;
    default: return 0;
  }
}

// Punctuation keys by place, named as on a US keyboard.
uint16_t OemKey(SDL_Scancode s) {
  switch (s) {
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_NONUSBACKSLASH: return VK_OEM_102;
    default: return 0;
  }
}
}  // namespace

uint16_t VirtualKeyFromSdl(SDL_Keycode Keycode, SDL_Scancode Scancode, bool NumLock) {
  if (uint16_t k = KeypadKey(Scancode, NumLock)) return k;
  if (uint16_t k = NamedKey(Keycode)) return k;
  if (Keycode >= SDLK_a && Keycode <= SDLK_z) return static_cast<uint16_t>('A' + (Keycode - SDLK_a));
  // The digit row gives digits whatever it types (on AZERTY '1' types '&').
  if (Scancode >= SDL_SCANCODE_1 && Scancode <= SDL_SCANCODE_0)
    return static_cast<uint16_t>(Scancode == SDL_SCANCODE_0 ? '0' : '1' + (Scancode - SDL_SCANCODE_1));
  // A layout without Latin letters still has letter keys.
  if (Scancode >= SDL_SCANCODE_A && Scancode <= SDL_SCANCODE_Z)
    return static_cast<uint16_t>('A' + (Scancode - SDL_SCANCODE_A));
  return OemKey(Scancode);
}

char32_t ControlCharForKey(uint16_t Key, TShiftState Shift) {
  bool ctrl = Shift.Contains(ssCtrl), alt = Shift.Contains(ssAlt);
  // Alt combinations are menu keys; Ctrl+Alt types what AltGr types.
  if (alt) return 0;
  switch (Key) {
    case VK_BACK: return ctrl ? 127 : 8;
    case VK_TAB: return ctrl ? 0 : 9;
    case VK_RETURN: return ctrl ? 10 : 13;
    case VK_ESCAPE: return 27;
    default: break;
  }
  if (ctrl && Key >= 'A' && Key <= 'Z') return static_cast<char32_t>(Key - 'A' + 1);
  return 0;
}

TShiftState ShiftStateFromSdl(uint16_t Mod) {
  TShiftState s;
  if (Mod & KMOD_SHIFT) s.Include(ssShift);
  if (Mod & KMOD_CTRL) s.Include(ssCtrl);
  if (Mod & KMOD_ALT) s.Include(ssAlt);
  return s;
}

}  // namespace qel
