// Owns one reference to a COM object: released when the owner goes, so an
// early return cannot leak it or release it twice.
#pragma once

namespace common {

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(Interface* object) : object_(object) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // For a call that hands out a reference (QueryInterface,
    // CoCreateInstance): whatever was held before is released first.
    void** Out() {
        Reset();
        return reinterpret_cast<void**>(&object_);
    }

    void Reset() {
        if (object_ != nullptr) object_->Release();
        object_ = nullptr;
    }

private:
    Interface* object_ = nullptr;
};

}  // namespace common
