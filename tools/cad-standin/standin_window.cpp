#include "standin_window.h"

#include "exchange.h"
#include "standin_messages.h"
#include "win32/services/encoding.h"

namespace standin {
namespace {

constexpr wchar_t kClassName[] = L"CadStandinMain";
constexpr COLORREF kDrawingColour = RGB(33, 40, 48);
constexpr COLORREF kCrosshairColour = RGB(200, 200, 200);
constexpr int kHistoryId = 100;

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

bool StandinWindow::Create(HINSTANCE instance, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return false;

    // A menu bar as a drawing program has: a lone Alt press and release
    // puts the window into menu mode, which then takes the keys.
    HMENU bar = CreateMenu();
    for (const wchar_t* title : {L"&Archivo", L"&Edición", L"&Dibujo"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 0, L"(vacío)");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    if (!CreateWindowExW(0, kClassName, options_.title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 760,
                         520, nullptr, bar, instance, this))
        return false;
    ShowWindow(hwnd_, show);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    return true;
}

bool StandinWindow::IsCommandHotkey(const MSG& msg) const {
    // With no focus inside the active window, keys arrive as WM_SYSKEYDOWN.
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || msg.wParam != 'K') return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    // Exactly this chord: with Alt or a Windows key it is another one.
    return KeyDown(VK_CONTROL) && KeyDown(VK_SHIFT) && !KeyDown(VK_MENU) && !KeyDown(VK_LWIN) &&
           !KeyDown(VK_RWIN);
}

void StandinWindow::OnCommandHotkey() {
    const Received received = ReadExchangeLine(options_.appDir);
    if (!received.error.empty()) {
        AddHistoryLine(L"*Error* " + received.error);
        return;
    }
    AddHistoryLine(L"Comando: " + zantoli::win32::AnsiToWide(received.line));
    if (options_.logPath.empty()) return;
    const std::wstring logError = AppendLogLine(options_.logPath, received.line);
    if (!logError.empty()) AddHistoryLine(L"*Error* " + logError);
}

void StandinWindow::AddHistoryLine(const std::wstring& text) {
    const LRESULT index = SendMessageW(history_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageW(history_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

LRESULT CALLBACK StandinWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<StandinWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandinWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT StandinWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        font_.Reset(CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New"));
        history_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 0, 0, 0, 0,
                                   hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHistoryId)),
                                   reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, nullptr);
        if (!history_) return -1;
        SendMessageW(history_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return 0;
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        PaintDrawingArea();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case kMsgBusy:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case kMsgOpenDialog:
        MessageBoxW(hwnd_, L"Un cuadro de diálogo abierto.", kDialogTitle, MB_OK);
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void StandinWindow::Layout(int width, int height) {
    const int historyHeight = height / 3 > 120 ? height / 3 : (height < 120 ? height : 120);
    drawingHeight_ = height - historyHeight;
    MoveWindow(history_, 0, drawingHeight_, width, historyHeight, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void StandinWindow::PaintDrawingArea() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT drawing{0, 0, client.right, drawingHeight_};
    const zantoli::win32::GdiObject<HBRUSH> background(CreateSolidBrush(kDrawingColour));
    FillRect(dc, &drawing, background.get());

    {
        const zantoli::win32::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kCrosshairColour));
        const zantoli::win32::SelectedObject selected(dc, pen.get());
        const int cx = client.right / 2, cy = drawingHeight_ / 2;
        MoveToEx(dc, cx - 40, cy, nullptr);
        LineTo(dc, cx + 41, cy);
        MoveToEx(dc, cx, cy - 40, nullptr);
        LineTo(dc, cx, cy + 41);
        Rectangle(dc, cx - 4, cy - 4, cx + 5, cy + 5);
    }
    EndPaint(hwnd_, &ps);
}

}  // namespace standin
