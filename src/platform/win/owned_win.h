#pragma once
// Move-only owners for kernel handles, COM pointers and GDI objects, so that every exit path,
// an exception included, gives back what it took.

#include <windows.h>
#include <commctrl.h>

namespace tindral {

// Holds one H and gives it back through Traits::free unless Traits::empty says there is none.
template <class H, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : h_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return !Traits::empty(h_); }
    // For a creating call's out parameter; gives up what was held first.
    H* put() {
        reset();
        return &h_;
    }
    H release() {
        H h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(H h = nullptr) {
        if (!Traits::empty(h_)) Traits::free(h_);
        h_ = h;
    }

private:
    H h_ = nullptr;
};

// Both "no handle" values, nullptr and INVALID_HANDLE_VALUE, are empty.
struct KernelHandleTraits {
    static bool empty(HANDLE h) { return !h || h == INVALID_HANDLE_VALUE; }
    static void free(HANDLE h) { CloseHandle(h); }
};

template <class T>
struct ComTraits {
    static bool empty(T* p) { return !p; }
    static void free(T* p) { p->Release(); }
};

// A pen, brush, font or bitmap must not be selected into a device context when it goes.
template <class H>
struct GdiTraits {
    static bool empty(H h) { return !h; }
    static void free(H h) { DeleteObject(h); }
};

struct ImageListTraits {
    static bool empty(HIMAGELIST h) { return !h; }
    static void free(HIMAGELIST h) { ImageList_Destroy(h); }
};

struct HookTraits {
    static bool empty(HHOOK h) { return !h; }
    static void free(HHOOK h) { UnhookWindowsHookEx(h); }
};

using OwnedHandle = Owned<HANDLE, KernelHandleTraits>;
using ImageListOwner = Owned<HIMAGELIST, ImageListTraits>;
using KeyboardHookOwner = Owned<HHOOK, HookTraits>;

// Takes over a reference already counted.
template <class T>
class ComOwner : public Owned<T*, ComTraits<T>> {
public:
    using Owned<T*, ComTraits<T>>::Owned;
    T* operator->() const { return this->get(); }
};

template <class H>
using GdiOwner = Owned<H, GdiTraits<H>>;

}  // namespace tindral
