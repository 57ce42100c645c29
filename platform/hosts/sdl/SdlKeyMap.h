// SDL keys in the platform's keyboard vocabulary: Windows virtual-key codes
// and the control characters the platform types for some keys.
#pragma once
#include <SDL_keyboard.h>

#include <cstdint>

#include "platform/controls/VirtualKeys.h"

namespace qel {

/// The virtual-key code of an SDL key, 0 for keys the platform has no code
/// for. Letters follow the layout (the keycode); the digit row, punctuation
/// and the keypad follow the key's place (the scancode), as on the platform.
/// NumLock decides whether keypad keys are digits or cursor keys.
uint16_t VirtualKeyFromSdl(SDL_Keycode Keycode, SDL_Scancode Scancode, bool NumLock);

/// The control character that follows a key down (Backspace 8, Tab 9, Enter
/// 13, Ctrl+Enter 10, Escape 27, Ctrl+A..Z 1..26), or 0. SDL sends no text
/// for these, so the host types them itself.
char32_t ControlCharForKey(uint16_t Key, TShiftState Shift);

/// The shift state of SDL modifier flags.
TShiftState ShiftStateFromSdl(uint16_t Mod);

}  // namespace qel
