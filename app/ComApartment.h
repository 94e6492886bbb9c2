#pragma once

// The component-object runtime for the calling thread, apartment-threaded,
// for as long as the object lives: the user-interface thread's, made first
// thing in the process entry so that the window system's parts that use the
// runtime (drag and drop, the accessibility bridge, the shell's dialogs) find
// it initialised in the way they need. Each successful initialisation is
// balanced by one release. On a platform without such a runtime it does
// nothing.
class TComApartment
{
public:
    TComApartment();
    ~TComApartment();
    TComApartment(const TComApartment &) = delete;
    TComApartment &operator=(const TComApartment &) = delete;

    // Whether this object initialised the runtime (and so releases it);
    // false when the thread was already in another kind of apartment, and
    // always false where there is no such runtime.
    bool Initialised() const noexcept { return initialised_; }

private:
    bool initialised_ = false;
};
