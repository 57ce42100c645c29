// libqel's headers are C++20: say so plainly, before a compiler set to an
// older standard reports errors deep inside them.
#pragma once
#if __cplusplus < 202002L
#error "libqel needs C++20: compile with -std=c++20 (or set CMAKE_CXX_STANDARD 20)"
#endif
