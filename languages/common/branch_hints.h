// Hints for the compiler about which way a branch almost always goes (a line's end
// comes once, an argument outside the text almost never), so that the usual way
// through is laid out straight. Shared by the plug-ins and the host.
#pragma once

#if defined(__GNUC__)
#define VARNEL_USUALLY(condition) __builtin_expect(!!(condition), 1)
#define VARNEL_RARELY(condition) __builtin_expect(!!(condition), 0)
#else
#define VARNEL_USUALLY(condition) (condition)
#define VARNEL_RARELY(condition) (condition)
#endif
