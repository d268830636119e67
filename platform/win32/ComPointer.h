// Holds one reference to a COM object and releases it when it goes.
#pragma once

#include <utility>

namespace ui::win32 {

template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ComPointer(ComPointer&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    ComPointer& operator=(ComPointer&& other) noexcept {
        std::swap(object, other.object);
        return *this;
    }

    Interface* get() const { return object; }
    Interface* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    // Where a creating call writes the object; whatever was held is released first.
    Interface** receive() {
        reset();
        return &object;
    }
    void reset() {
        if (object != nullptr) object->Release();
        object = nullptr;
    }

private:
    Interface* object = nullptr;
};

}  // namespace ui::win32
