// Owners of Win32 handles, device contexts and GDI objects: each gives back
// what it holds exactly once, when it goes out of scope, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace zantoli::win32 {

// A handle closed by `Traits::Close`; `Traits::Invalid()` is its empty value
// (INVALID_HANDLE_VALUE for files and searches, null for processes).
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool valid() const { return handle_ != Traits::Invalid(); }
    Handle get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    // Closes what it holds and takes `handle`. False, with the thread's last
    // error set, when closing failed: for a written file that can mean data
    // that never reached the disk.
    bool Reset(Handle handle = Traits::Invalid()) {
        const Handle old = std::exchange(handle_, handle);
        return old == Traits::Invalid() || Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) { return FindClose(handle) != FALSE; }
};

// CreateFileW's result.
using UniqueFile = UniqueHandle<FileHandleTraits>;
// Processes and threads (OpenProcess, CreateProcessW).
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
// FindFirstFileW's result.
using UniqueFind = UniqueHandle<FindHandleTraits>;

template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle handle) { return DeleteObject(handle) != FALSE; }
};

// Owns one GDI object (font, brush).
template <class H>
using GdiObject = UniqueHandle<GdiObjectTraits<H>>;

// A handle given back together with what it came from (a device context
// with its window, a selection with its device context); empty when `held`
// is null.
template <class Owner, class Held, bool (*Release)(Owner, Held)>
struct PairedHandleTraits {
    struct Handle {
        Owner owner;
        Held held;
        bool operator==(const Handle& other) const { return held == other.held; }
        bool operator!=(const Handle& other) const { return held != other.held; }
    };
    static Handle Invalid() { return {nullptr, nullptr}; }
    static bool Close(Handle handle) { return Release(handle.owner, handle.held); }
};

inline bool ReleaseWindowDc(HWND window, HDC dc) { return ReleaseDC(window, dc) != 0; }
inline bool SelectBack(HDC dc, HGDIOBJ previous) { return SelectObject(dc, previous) != nullptr; }

// A window's device context (the screen's for a null window).
class WindowDC : public UniqueHandle<PairedHandleTraits<HWND, HDC, ReleaseWindowDc>> {
public:
    explicit WindowDC(HWND window) : UniqueHandle({window, GetDC(window)}) {}
    HDC get() const { return UniqueHandle::get().held; }
};

// Selects a GDI object into a device context and the previous one back.
class SelectedObject : public UniqueHandle<PairedHandleTraits<HDC, HGDIOBJ, SelectBack>> {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : UniqueHandle({dc, SelectObject(dc, object)}) {}
};

}  // namespace zantoli::win32
