// A window whose procedure belongs to a C++ object: the object pointer comes
// in with WM_NCCREATE and lives in GWLP_USERDATA, so no state is global.
#pragma once

#include <windows.h>

#include <string>

#include "system/twips.h"
#include "win32/services/handles.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

template <class Derived>
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    HWND hwnd() const { return hwnd_; }

protected:
    WindowBase() = default;
    ~WindowBase() = default;

    // For the derived destructor, while the object is still whole: the
    // window's last messages still reach it.
    void Destroy() {
        if (hwnd_) DestroyWindow(hwnd_);
    }

    // Registers the class once per process; later calls find it there.
    // `iconId` names an icon resource of `instance`, 0 for none; the class
    // keeps its icons for the life of the process.
    static void RegisterOnce(HINSTANCE instance, const wchar_t* className, HBRUSH background,
                             WORD iconId) {
        WNDCLASSEXW wc{};
        if (GetClassInfoExW(instance, className, &wc)) return;
        HICON icon = nullptr, smallIcon = nullptr;
        if (iconId) {
            // Not LR_SHARED: a shared icon keeps the size it was first loaded at.
            icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0));
            smallIcon = static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        }
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &WindowBase::Procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.hIconSm = smallIcon;
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) ThrowLastError("No se ha podido registrar la clase de ventana");
    }

    HWND CreateAs(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style,
                  int x, int y, int width, int height, HINSTANCE instance) {
        return CreateWindowExW(exStyle, className, caption, style, x, y, width, height, nullptr,
                               nullptr, instance, static_cast<Derived*>(this));
    }

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

// A font of `points` size at `dpi`, as the design names it.
HFONT CreateDesignFont(const wchar_t* face, float points, bool bold, int dpi);

// One child control as the design gives it.
struct ChildControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle;
    TwipsRect at;  // in the parent's client area
};

// Creates `control` in `parent` at the pixels its twips give at `dpi`.
// Throws SystemCallError naming `what` when the system refuses it.
HWND CreateChildControl(HWND parent, HINSTANCE instance, const ChildControl& control, int dpi,
                        const std::string& what);

}  // namespace zantoli::win32
