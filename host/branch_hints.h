// A hint for the compiler that a condition almost never holds (an argument outside the
// text, a full list), so that the usual way through is laid out straight.
#pragma once

#if defined(__GNUC__)
#define VARNEL_RARELY(condition) __builtin_expect(!!(condition), 0)
#else
#define VARNEL_RARELY(condition) (condition)
#endif
