#pragma once
// COM on the current thread for the lifetime of the owner (single-threaded
// apartment, as the shell's dialogs and link objects expect). Uninitialises
// only what it initialised itself.

#include <objbase.h>

namespace lirvo::runtime {

class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Initialised() const { return initialised_; }

private:
    bool initialised_;
};

}  // namespace lirvo::runtime
