#include "support/window_thread.h"

#include <utility>

namespace zantoli::test_support {

namespace {

const wchar_t* const kThreadClass = L"ZantoliTestWindowThread";

bool Down(int vk) { return GetKeyState(vk) < 0; }

}  // namespace

void RegisterTestClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);  // fails harmlessly when already registered
}

WindowThread::WindowThread(std::wstring title, bool visible, bool topmost) : title_(std::move(title)) {
    thread_ = std::thread([this, visible, topmost] { Run(visible, topmost); });
    std::unique_lock<std::mutex> lock(mutex_);
    created_.wait(lock, [this] { return hwnd_ != nullptr; });
}

WindowThread::~WindowThread() {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    thread_.join();
}

void WindowThread::Run(bool visible, bool topmost) {
    RegisterTestClass(kThreadClass, Procedure);
    HWND hwnd = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, kThreadClass, title_.c_str(), WS_OVERLAPPEDWINDOW,
                                100, 100, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (visible) {
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        hwnd_ = hwnd;
    }
    created_.notify_all();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK WindowThread::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WindowThread*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
        std::lock_guard<std::mutex> lock(self->mutex_);
        switch (msg) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                self->keyDowns_.push_back({wParam, Down(VK_CONTROL), Down(VK_SHIFT), Down(VK_MENU)});
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                self->keyUps_.push_back(wParam);
                break;
            case WM_CHAR:
                self->chars_.push_back(static_cast<wchar_t>(wParam));
                break;
            case WM_ACTIVATE:
                if (LOWORD(wParam) != WA_INACTIVE) self->activatedAt_ = ++eventClock;
                break;
            default:
                break;
        }
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::vector<KeySeen> WindowThread::KeyDowns() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return keyDowns_;
}

std::vector<WPARAM> WindowThread::KeyUps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return keyUps_;
}

std::wstring WindowThread::Chars() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return chars_;
}

}  // namespace zantoli::test_support
