// Virtual-key codes (the platform's keyboard vocabulary) and shift state.
#pragma once
#include <cstdint>

#include "platform/rtl/Set.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Virtual-key codes of the keys that have no character of their own (and the numeric keypad's).
///@{
constexpr uint16_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                   VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                   VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
                   VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_NUMPAD0 = 0x60,
                   VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
                   VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F2 = 0x71, VK_F4 = 0x73, VK_F10 = 0x79, VK_F12 = 0x7B,
                   VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
                   VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB,
                   VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;
///@}
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).

/// Modifier keys and mouse buttons held, and whether a click is a double one.
enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
/// A set of shift-state items.
using TShiftState = TSet<TShiftStateItem>;

/// A mouse button.
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

/// The key that types Ch on a US keyboard, with whether Shift is needed;
/// false for characters no key types (they arrive as text only).
bool KeyForChar(char32_t Ch, uint16_t& Key, bool& Shift);

QEL_API_END
}  // namespace qel
