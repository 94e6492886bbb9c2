#pragma once

// Time limits in tests exist to catch a wait that should not be there (a
// lock waited for, a loop that keeps the processor busy), not to measure
// speed. The sanitizers instrument every memory access and allocation, and
// wine passes every system call through its own layer, so the same program
// takes a few times longer there without any fault. A limit is written for a
// plain build and multiplied by TimeLimitFactor(), which keeps it far below
// the wait it is there to catch (seconds of lock time-out, a busy core).

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define LEXARAN_TEST_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LEXARAN_TEST_SANITIZED 1
#endif

// True when running on wine rather than on Windows itself: wine's ntdll
// exports its version, Windows' does not.
inline bool RunningOnWine()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

inline int TimeLimitFactor()
{
    int factor = 1;
#ifdef LEXARAN_TEST_SANITIZED
    factor *= 4;
#endif
    if (RunningOnWine())
        factor *= 4;
    return factor;
}

template <class Rep, class Period>
std::chrono::milliseconds ScaledLimit(std::chrono::duration<Rep, Period> limit)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(limit) * TimeLimitFactor();
}
