// What libqel exports from its shared library. The library is compiled with
// hidden visibility: only what a public header declares between
// QEL_API_BEGIN and QEL_API_END (or marks QEL_API) is seen by programs, so
// the internals (detail/ headers, helpers of the .cpp files) stay private
// and the dynamic symbol table stays small. A static library is the same
// either way.
#pragma once

/// Exports one declaration.
#define QEL_API __attribute__((visibility("default")))
/// Exports every declaration up to QEL_API_END.
#define QEL_API_BEGIN _Pragma("GCC visibility push(default)")
/// Ends QEL_API_BEGIN.
#define QEL_API_END _Pragma("GCC visibility pop")
