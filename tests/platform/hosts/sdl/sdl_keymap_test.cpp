// The SDL host's key translation: what a control's KeyDown and KeyPress
// see for real keys, on US and other layouts.
#include <gtest/gtest.h>

#include "platform/hosts/sdl/SdlKeyMap.h"

using namespace qel;

namespace {
uint16_t Vk(SDL_Keycode k, SDL_Scancode s, bool numLock = true) { return VirtualKeyFromSdl(k, s, numLock); }
}  // namespace

TEST(SdlKeyMap, LettersFollowTheLayoutDigitsAndPunctuationTheirPlace) {
  EXPECT_EQ(Vk(SDLK_a, SDL_SCANCODE_A), 'A');
  EXPECT_EQ(Vk(SDLK_z, SDL_SCANCODE_Z), 'Z');
  // AZERTY: the key in the Q place types 'a', the M key sits at ';'.
  EXPECT_EQ(Vk(SDLK_a, SDL_SCANCODE_Q), 'A');
  EXPECT_EQ(Vk(SDLK_m, SDL_SCANCODE_SEMICOLON), 'M');
  // AZERTY's digit row types '&' and 'à' yet gives the digit keys.
  EXPECT_EQ(Vk(SDLK_AMPERSAND, SDL_SCANCODE_1), '1');
  EXPECT_EQ(Vk(0xE0, SDL_SCANCODE_0), '0');
  // A Cyrillic layout: letter keys by place.
  EXPECT_EQ(Vk(0x0444, SDL_SCANCODE_A), 'A');
  EXPECT_EQ(Vk(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON), VK_OEM_1);
  EXPECT_EQ(Vk(SDLK_EQUALS, SDL_SCANCODE_EQUALS), VK_OEM_PLUS);
  EXPECT_EQ(Vk(SDLK_SLASH, SDL_SCANCODE_SLASH), VK_OEM_2);
  EXPECT_EQ(Vk(SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE), VK_OEM_7);
  EXPECT_EQ(Vk(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST(SdlKeyMap, NamedKeysAndModifiers) {
  EXPECT_EQ(Vk(SDLK_F1, SDL_SCANCODE_F1), VK_F1);
  EXPECT_EQ(Vk(SDLK_F10, SDL_SCANCODE_F10), VK_F10);
  EXPECT_EQ(Vk(SDLK_F12, SDL_SCANCODE_F12), VK_F12);
  EXPECT_EQ(Vk(SDLK_LEFT, SDL_SCANCODE_LEFT), VK_LEFT);
  EXPECT_EQ(Vk(SDLK_DOWN, SDL_SCANCODE_DOWN), VK_DOWN);
  EXPECT_EQ(Vk(SDLK_PAGEUP, SDL_SCANCODE_PAGEUP), VK_PRIOR);
  EXPECT_EQ(Vk(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN), VK_NEXT);
  EXPECT_EQ(Vk(SDLK_HOME, SDL_SCANCODE_HOME), VK_HOME);
  EXPECT_EQ(Vk(SDLK_END, SDL_SCANCODE_END), VK_END);
  EXPECT_EQ(Vk(SDLK_INSERT, SDL_SCANCODE_INSERT), VK_INSERT);
  EXPECT_EQ(Vk(SDLK_DELETE, SDL_SCANCODE_DELETE), VK_DELETE);
  EXPECT_EQ(Vk(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), VK_BACK);
  EXPECT_EQ(Vk(SDLK_TAB, SDL_SCANCODE_TAB), VK_TAB);
  EXPECT_EQ(Vk(SDLK_RETURN, SDL_SCANCODE_RETURN), VK_RETURN);
  EXPECT_EQ(Vk(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), VK_ESCAPE);
  EXPECT_EQ(Vk(SDLK_SPACE, SDL_SCANCODE_SPACE), VK_SPACE);
  // Left and right modifiers are one key each, as WM_KEYDOWN reports them.
  EXPECT_EQ(Vk(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), VK_SHIFT);
  EXPECT_EQ(Vk(SDLK_LCTRL, SDL_SCANCODE_LCTRL), VK_CONTROL);
  EXPECT_EQ(Vk(SDLK_RALT, SDL_SCANCODE_RALT), VK_MENU);
}

TEST(SdlKeyMap, KeypadDependsOnNumLock) {
  EXPECT_EQ(Vk(SDLK_KP_0, SDL_SCANCODE_KP_0), VK_NUMPAD0);
  EXPECT_EQ(Vk(SDLK_KP_7, SDL_SCANCODE_KP_7), VK_NUMPAD0 + 7);
  EXPECT_EQ(Vk(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD), VK_DECIMAL);
  EXPECT_EQ(Vk(SDLK_KP_7, SDL_SCANCODE_KP_7, false), VK_HOME);
  EXPECT_EQ(Vk(SDLK_KP_2, SDL_SCANCODE_KP_2, false), VK_DOWN);
  EXPECT_EQ(Vk(SDLK_KP_3, SDL_SCANCODE_KP_3, false), VK_NEXT);
  EXPECT_EQ(Vk(SDLK_KP_0, SDL_SCANCODE_KP_0, false), VK_INSERT);
  EXPECT_EQ(Vk(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false), VK_DELETE);
  // Operators and Enter do not care.
  EXPECT_EQ(Vk(SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, false), VK_ADD);
  EXPECT_EQ(Vk(SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE), VK_DIVIDE);
  EXPECT_EQ(Vk(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), VK_RETURN);
}

TEST(SdlKeyMap, ControlCharactersTypedByKeys) {
  EXPECT_EQ(ControlCharForKey(VK_BACK, {}), U'\b');
  EXPECT_EQ(ControlCharForKey(VK_TAB, {ssShift}), U'\t');
  EXPECT_EQ(ControlCharForKey(VK_RETURN, {}), U'\r');
  EXPECT_EQ(ControlCharForKey(VK_RETURN, {ssCtrl}), U'\n');
  EXPECT_EQ(ControlCharForKey(VK_ESCAPE, {}), char32_t{27});
  EXPECT_EQ(ControlCharForKey('A', {ssCtrl}), char32_t{1});
  EXPECT_EQ(ControlCharForKey('Z', {ssCtrl, ssShift}), char32_t{26});
  // Plain letters come as text from SDL; Alt keys type nothing; Ctrl+Alt is AltGr.
  EXPECT_EQ(ControlCharForKey('A', {}), char32_t{0});
  EXPECT_EQ(ControlCharForKey('A', {ssAlt}), char32_t{0});
  EXPECT_EQ(ControlCharForKey('Q', {ssCtrl, ssAlt}), char32_t{0});
  EXPECT_EQ(ControlCharForKey(VK_TAB, {ssCtrl}), char32_t{0});
  EXPECT_EQ(ControlCharForKey(VK_F1, {ssCtrl}), char32_t{0});
}

TEST(SdlKeyMap, ModifierFlags) {
  EXPECT_EQ(ShiftStateFromSdl(KMOD_NONE), TShiftState{});
  EXPECT_EQ(ShiftStateFromSdl(KMOD_RSHIFT | KMOD_LCTRL), (TShiftState{ssShift, ssCtrl}));
  EXPECT_EQ(ShiftStateFromSdl(KMOD_RALT | KMOD_NUM | KMOD_CAPS), TShiftState{ssAlt});
}
