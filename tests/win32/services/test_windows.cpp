#include "test_windows.h"

namespace zantoli::win32::testing {

namespace {

const wchar_t* const kThreadClass = L"ZantoliSvcTestWindow";
const wchar_t* const kOwnClass = L"ZantoliSvcOwnWindow";

void RegisterOnce(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);  // fails harmlessly when already registered
}

bool Down(int vk) { return GetKeyState(vk) < 0; }

LRESULT CALLBACK OwnProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) ownActivatedAt = ++eventClock;
            break;
        case WM_APP:
            DestroyWindow(hwnd);
            return 0;
        case WM_APP + 1:
            if (onUser) onUser();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

WindowThread::WindowThread(std::wstring title, bool visible) : title_(std::move(title)) {
    thread_ = std::thread([this, visible] { Run(visible); });
    std::unique_lock<std::mutex> lock(mutex_);
    created_.wait(lock, [this] { return hwnd_ != nullptr; });
}

WindowThread::~WindowThread() {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    thread_.join();
}

void WindowThread::Run(bool visible) {
    RegisterOnce(kThreadClass, Procedure);
    HWND hwnd = CreateWindowExW(0, kThreadClass, title_.c_str(), WS_OVERLAPPEDWINDOW, 100, 100,
                                320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), this);
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

HWND CreateOwnWindow(const wchar_t* title) {
    RegisterOnce(kOwnClass, OwnProcedure);
    HWND hwnd = CreateWindowExW(0, kOwnClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150,
                                320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Pump(50);
    return hwnd;
}

::testing::AssertionResult IsForeground(HWND expected) {
    const ULONGLONG end = GetTickCount64() + 2000;
    while (GetForegroundWindow() != expected && GetTickCount64() < end) Pump(10);
    Pump(20);
    const HWND front = GetForegroundWindow();
    if (front == expected) return ::testing::AssertionSuccess();
    const std::wstring want = WindowTitle(expected), got = WindowTitle(front);
    return ::testing::AssertionFailure()
           << "foreground is \"" << std::string(got.begin(), got.end()) << "\", expected \""
           << std::string(want.begin(), want.end()) << "\"";
}

}  // namespace zantoli::win32::testing
