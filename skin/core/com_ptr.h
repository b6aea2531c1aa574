#pragma once
// Owner of one COM interface reference: releases it exactly once.

#include <utility>

namespace lirvo {

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(Interface* adopted) : pointer_(adopted) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference through an out-parameter.
    Interface** Put() {
        Reset();
        return &pointer_;
    }
    void Reset(Interface* adopted = nullptr) {
        if (pointer_) pointer_->Release();
        pointer_ = adopted;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace lirvo
