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

// A window's device context (the screen's for a null window).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context and the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owns one GDI object (font, brush).
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(nullptr); }
    void Reset(Handle handle) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    Handle get() const { return handle_; }

private:
    Handle handle_ = nullptr;
};

}  // namespace zantoli::win32
