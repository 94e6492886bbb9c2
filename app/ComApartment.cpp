#include "ComApartment.h"

#ifdef _WIN32
#include <objbase.h>
#endif

TComApartment::TComApartment()
{
#ifdef _WIN32
    // S_FALSE (already initialised the same way on this thread) also counts
    // once and wants its release; only a thread already in the
    // multithreaded apartment refuses.
    initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
#endif
}

TComApartment::~TComApartment()
{
#ifdef _WIN32
    if (initialised_)
        CoUninitialize();
#endif
}
