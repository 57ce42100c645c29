// Window messages: the codes and the record that WndProc receives.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A window message: its code, two parameters and the handler's result.
struct TMessage {
  /// The message code (WM_..., CM_...).
  uint32_t Msg = 0;
  /// First and second parameters (for mouse messages LParam holds x in the low and y in the high 16 bits).
  ///@{
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  ///@}
  /// The handler's answer.
  intptr_t Result = 0;
};

/// Opaque window handle: a number the application's window registry knows.
using HWND = uintptr_t;
/// A window procedure written as a method, for AllocateHWnd.
using TWndMethod = std::function<void(TMessage& Message)>;

/// Window message codes.
///@{
constexpr uint32_t WM_NULL = 0x0000, WM_SIZE = 0x0005, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
                   WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_CANCELMODE = 0x001F, WM_NEXTDLGCTL = 0x0028,
                   WM_GETDLGCODE = 0x0087, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102,
                   WM_TIMER = 0x0113, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
                   WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
                   WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
                   WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A, WM_CAPTURECHANGED = 0x0215,
                   WM_USER = 0x0400;
///@}

/// WM_GETDLGCODE answers: which keys a focused control wants for itself.
///@{
constexpr intptr_t DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                   DLGC_WANTCHARS = 0x0080;
///@}

/// The component framework's own messages.
constexpr uint32_t CM_BASE = 0xB000;
/// The framework's messages: state changes a control hears about.
///@{
constexpr uint32_t CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_ENABLEDCHANGED = CM_BASE + 3,
                   CM_COLORCHANGED = CM_BASE + 4, CM_FONTCHANGED = CM_BASE + 5, CM_CURSORCHANGED = CM_BASE + 6,
                   CM_CTL3DCHANGED = CM_BASE + 7,
                   CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
                   CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11, CM_ENTER = CM_BASE + 12,
                   CM_EXIT = CM_BASE + 13, CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20,
                   CM_BUTTONPRESSED = CM_BASE + 24, CM_WANTSPECIALKEY = CM_BASE + 25,
                   CM_DIALOGKEY = CM_BASE + 26, CM_DIALOGCHAR = CM_BASE + 27, CM_FOCUSCHANGED = CM_BASE + 28,
                   CM_SHOWINGCHANGED = CM_BASE + 31, CM_TEXTCHANGED = CM_BASE + 34, CM_CANCELMODE = CM_BASE + 42;
///@}

QEL_API_END
}  // namespace qel
