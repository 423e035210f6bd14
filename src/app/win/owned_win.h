#pragma once
// Move-only owners for kernel handles, COM pointers and GDI objects, so that every exit path,
// an exception included, gives back what it took.

#include <windows.h>

#include <utility>

namespace tindral {

// A kernel handle; both "no handle" values (nullptr and INVALID_HANDLE_VALUE) are empty.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE h) : h_(h) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : h_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return h_; }
    bool valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return valid(); }
    HANDLE release() {
        HANDLE h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(HANDLE h = nullptr) {
        if (valid()) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

// A COM interface pointer: holds one reference.
template <class T>
class ComOwner {
public:
    ComOwner() = default;
    explicit ComOwner(T* p) : p_(p) {}  // takes over a reference already counted
    ~ComOwner() { reset(); }
    ComOwner(ComOwner&& other) noexcept : p_(other.release()) {}
    ComOwner& operator=(ComOwner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ComOwner(const ComOwner&) = delete;
    ComOwner& operator=(const ComOwner&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For a creating call's out parameter; gives up what was held first.
    T** put() {
        reset();
        return &p_;
    }
    T* release() {
        T* p = p_;
        p_ = nullptr;
        return p;
    }
    void reset(T* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }

private:
    T* p_ = nullptr;
};

// A pen, brush, font or bitmap. It must not be selected into a device context when it goes.
template <class H>
class GdiOwner {
public:
    GdiOwner() = default;
    explicit GdiOwner(H h) : h_(h) {}
    ~GdiOwner() { reset(); }
    GdiOwner(GdiOwner&& other) noexcept : h_(other.release()) {}
    GdiOwner& operator=(GdiOwner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    GdiOwner(const GdiOwner&) = delete;
    GdiOwner& operator=(const GdiOwner&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H release() {
        H h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(H h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

private:
    H h_ = nullptr;
};

}  // namespace tindral
