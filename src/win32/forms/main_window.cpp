#include "win32/forms/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "window/design_frame.h"
#include "system/window_titles.h"
#include "form1/form1.h"
#include "win32/services/encoding.h"
#include "win32/services/event_boundary.h"
#include "win32/services/activation.h"
#include "win32/services/screen.h"
#include "win32/services/send_keys.h"
#include "win32/services/show_key.h"
#include "win32/services/type_ahead.h"
#include "win32/services/win32_error.h"

namespace zantoli::win32 {

namespace {

using design_frame::kClientHeight;
using design_frame::kClientWidth;
using design_frame::kLista;
using design_frame::kTexto;
using design_frame::kUltimo;

// A TrueType face with the metrics of the design's "MS Sans Serif", so the
// text is smoothed at every scaling.
constexpr const wchar_t* kFace = L"Microsoft Sans Serif";
constexpr float kPoints = 8.25f;

constexpr int kTextoId = 1, kListaId = 2, kUltimoId = 3;
// The program's icon, resource 1 of the executable.
constexpr WORD kIconId = 1;
// Posted to hand the keys typed ahead to the window once a command is done.
constexpr UINT kReplayTypeAhead = WM_APP + 1;
// How long what a command leaves to do waits: the CAD window takes a
// command in a few milliseconds.
constexpr UINT_PTR kAfterCommandTimer = 1;
constexpr UINT kAfterCommandMs = 100;
// How far texto's list drops down below its field.
constexpr float kDropDownExtent = 1500;

// The key as the procedures know it: its code in the ANSI code page.
std::int16_t AnsiKeyCode(WPARAM character) {
    const wchar_t wide = static_cast<wchar_t>(character);
    const std::string ansi = WideToAnsi(std::wstring_view(&wide, 1));
    if (ansi.size() != 1) return '?';
    return static_cast<std::int16_t>(static_cast<unsigned char>(ansi[0]));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance),
      form_(dpi_, SW_SHOW),
      texto_(dpi_),
      lista_(dpi_),
      ultimo_(dpi_),
      suggestionList_(instance) {}

template <class Handler>
void MainWindow::Raise(Handler&& handler) {
    if (!ready_) return;
    const int refused = form1_->RefusedEnters();
    {
        // A handler may send a command: what is typed meanwhile comes after.
        const type_ahead::Holding holding;
        RunEventHandler(*desktop_, std::forward<Handler>(handler));
    }
    if (form1_->RefusedEnters() != refused) type_ahead::DropHeldEnters();
    if (!type_ahead::Active() && type_ahead::AnyHeld()) PostMessageW(hwnd(), kReplayTypeAhead, 0, 0);
}

void MainWindow::Create(Form1& form1, Desktop& desktop, const std::optional<SavedPlacement>& saved) {
    form1_ = &form1;
    desktop_ = &desktop;

    RegisterOnce(instance_, kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), kIconId);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    dpi_.system = ScreenDpiX();
    // Without a saved placement the window opens in a corner of the primary
    // monitor, whose top left corner is (0, 0).
    POINT at{0, 0};
    if (saved) at = POINT{TwipsToPixels(saved->left, dpi_.system), TwipsToPixels(saved->top, dpi_.system)};
    dpi_.monitor = MonitorDpi(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST));
    const auto outerSize = [&] {
        return OuterSizeFor(SIZE{TwipsToPixels(kClientWidth, dpi_.monitor), TwipsToPixels(kClientHeight, dpi_.monitor)},
                            style, exStyle, dpi_.monitor);
    };
    SIZE outer = outerSize();
    const std::wstring caption = AnsiToWide(window_titles::kCommandWindow);
    if (!CreateAs(exStyle, kClassName, caption.c_str(), style, at.x, at.y, outer.cx, outer.cy, instance_)) {
        ThrowLastError("No se ha podido crear la ventana Linea de comando");
    }
    form_.Attach(hwnd());
    // The system decides which monitor the window is on; the size follows.
    const int actual = DpiOfWindow(hwnd());
    if (actual != dpi_.monitor) {
        dpi_.monitor = actual;
        outer = outerSize();
        SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CreateControls();
    ready_ = true;
}

// Creation order is z-order: texto stays above lista where they overlap.
void MainWindow::CreateControls() {
    TwipsRect textoWithList = kTexto;
    textoWithList.height += kDropDownExtent;
    const ChildControl controls[] = {
        {kTextoId, L"ComboBox", L"", WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
         textoWithList},
        {kListaId, L"ListBox", L"", WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
         WS_EX_CLIENTEDGE, kLista},
        {kUltimoId, L"Static", L"", SS_LEFT | SS_NOPREFIX, 0, kUltimo},
    };
    HWND created[3] = {};
    for (int i = 0; i < 3; ++i) {
        created[i] = CreateChildControl(hwnd(), instance_, controls[i], dpi_.monitor,
                                        "No se ha podido crear un control de la ventana Linea de comando");
    }
    texto_.AttachAt(created[0], kTexto);
    lista_.AttachAt(created[1], kLista);
    ultimo_.AttachAt(created[2], kUltimo);
    SetFonts();
    FitTextoToDesignHeight();

    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(texto_.Hwnd(), &info) || !info.hwndItem)
        ThrowLastError("No se ha podido preparar la línea de entrada");
    textoEdit_ = info.hwndItem;
}

// The fonts at the window's present DPI; the old ones go once no control
// uses them.
void MainWindow::SetFonts() {
    const HFONT bold = CreateDesignFont(kFace, kPoints, true, dpi_.monitor);
    const HFONT regular = CreateDesignFont(kFace, kPoints, false, dpi_.monitor);
    SendMessageW(texto_.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
    SendMessageW(lista_.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(regular), FALSE);
    SendMessageW(ultimo_.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(regular), FALSE);
    boldFont_.Reset(bold);
    regularFont_.Reset(regular);
}

// Every control at its twips in the window's present DPI, texto with its
// list's extent below the field.
void MainWindow::PlaceControls(const TwipsRect& texto, const TwipsRect& lista, const TwipsRect& ultimo) {
    const auto place = [this](auto& control, const TwipsRect& at, float extraHeight) {
        const int monitor = dpi_.monitor;
        SetWindowPos(control.Hwnd(), nullptr, TwipsToPixels(at.left, monitor), TwipsToPixels(at.top, monitor),
                     TwipsToPixels(at.width, monitor), TwipsToPixels(at.height + extraHeight, monitor),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        control.AttachAt(control.Hwnd(), at);
    };
    place(texto_, texto, kDropDownExtent);
    place(lista_, lista, 0);
    place(ultimo_, ultimo, 0);
}

// The field's height follows its font; the design font gives 315 twips.
// Where the system's substitute for that font measures differently, the
// field is brought to the design height, never below the font's own. The
// field grows one pixel for each pixel of item height, but what
// CB_GETITEMHEIGHT reports for it is not the same everywhere, so the second
// step corrects from the value set, not the value read.
void MainWindow::FitTextoToDesignHeight() {
    const HWND combo = texto_.Hwnd();
    const int target = TwipsToPixels(kTexto.height, dpi_.monitor);
    const auto fieldHeight = [combo] {
        RECT field{};
        GetWindowRect(combo, &field);
        return static_cast<int>(field.bottom - field.top);
    };
    const LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    int actual = fieldHeight();
    if (actual == target || itemHeight == CB_ERR) return;

    TEXTMETRICW metrics{};
    {
        const WindowDC dc(combo);
        const SelectedObject font(dc.get(), boldFont_.get());
        GetTextMetricsW(dc.get(), &metrics);
    }

    int wanted = static_cast<int>(itemHeight);
    for (int step = 0; step < 2 && actual != target; ++step) {
        const int next = std::max<int>(wanted + target - actual, metrics.tmHeight);
        if (next == wanted && step > 0) break;
        wanted = next;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        actual = fieldHeight();
    }
}

// Every key of the window enters here, before it is translated: a key-down
// taken here posts no character. Enter's character reaches Form1 before
// the edit sees it; the suggestions steer themselves while they show; Tab
// moves between lista and texto.
bool MainWindow::PreTranslate(const MSG& msg) {
    NoteKeyMessage(msg);
    if (msg.message == WM_CHAR) return msg.hwnd == textoEdit_ && OnTextoChar(msg.wParam);
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.hwnd == textoEdit_ && suggestionList_.Steer(msg.wParam)) return true;
    const HWND lista = lista_.Hwnd();
    if (msg.wParam != VK_TAB || (msg.hwnd != lista && msg.hwnd != textoEdit_ && msg.hwnd != texto_.Hwnd()))
        return false;
    suggestionList_.Hide();
    // Tab order: lista, then texto; with two stops both directions alternate.
    ::SetFocus(msg.hwnd == lista ? texto_.Hwnd() : lista);
    return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        OnSize(wParam);
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != 0);
        break;
    case WM_ACTIVATE:
        return OnActivate(wParam, lParam);
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ENDSESSION:
        // The session ends: close as the user would, so the marker goes.
        if (wParam) OnClose();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_ENTERSIZEMOVE:
        userSizing_ = true;
        break;
    case WM_EXITSIZEMOVE:
        userSizing_ = false;
        break;
    case WM_MOVE:
        suggestionList_.Follow(FieldRect());
        break;
    case WM_HOTKEY:
        if (wParam == kShowKeyId) OnShowKey();
        return 0;
    case kReplayTypeAhead:
        ReplayTypeAhead();
        return 0;
    case WM_TIMER:
        if (wParam != kAfterCommandTimer) break;
        KillTimer(hwnd(), kAfterCommandTimer);
        if (auto work = std::exchange(afterCommand_, nullptr)) Raise(work);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETMINMAXINFO:
        Default(message, wParam, lParam);
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void MainWindow::OnSize(WPARAM state) {
    suggestionList_.Hide();
    if (state == SIZE_MINIMIZED) return;  // an icon has no layout
    Raise([this] { form1_->Form_Resize(); });
}

// The first display lays the controls out for the size the window has then,
// even when loading it did not change its size.
void MainWindow::OnShowWindow(bool shown) {
    if (!shown || shownOnce_ || !ready_) return;
    shownOnce_ = true;
    Raise([this] { form1_->Form_Resize(); });
}

LRESULT MainWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    const bool activated = LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0;
    if (!activated) suggestionList_.Hide();
    if (!activated || !ready_) return Default(WM_ACTIVATE, wParam, lParam);
    // Form_Activate places the focus; the default would move it to the form.
    Raise([this] { form1_->Form_Activate(); });
    return 0;
}

void MainWindow::OnSetFocus() {
    Raise([this] { form1_->Form_GotFocus(); });
}

// Form_Unload ends the program (or its failure does, at the event
// boundary); the window is never destroyed on its own.
void MainWindow::OnClose() {
    std::int16_t Cancel = 0;
    Raise([this, &Cancel] { form1_->Form_Unload(Cancel); });
}

void MainWindow::OnMouseMove(WPARAM keys, LPARAM where) {
    const auto button = static_cast<std::int16_t>(((keys & MK_LBUTTON) ? 1 : 0) |
                                                  ((keys & MK_RBUTTON) ? 2 : 0) |
                                                  ((keys & MK_MBUTTON) ? 4 : 0));
    const auto shift = static_cast<std::int16_t>(((keys & MK_SHIFT) ? 1 : 0) |
                                                 ((keys & MK_CONTROL) ? 2 : 0) |
                                                 ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
    const float x = PixelsToTwips(GET_X_LPARAM(where), dpi_.monitor);
    const float y = PixelsToTwips(GET_Y_LPARAM(where), dpi_.monitor);
    Raise([=] { form1_->Form_MouseMove(button, shift, x, y); });
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == lista_.Hwnd() && HIWORD(wParam) == LBN_DBLCLK) {
        Raise([this] { form1_->lista_DblClick(); });
    }
    if (reinterpret_cast<HWND>(lParam) == texto_.Hwnd()) {
        // Typed by the user (not set by the program): the suggestions follow.
        if (HIWORD(wParam) == CBN_EDITCHANGE) UpdateSuggestions();
        if (HIWORD(wParam) == CBN_KILLFOCUS || HIWORD(wParam) == CBN_DROPDOWN) suggestionList_.Hide();
    }
}

void MainWindow::ShowSuggestions(Suggestions& suggestions, const History& history) {
    suggestions_ = &suggestions;
    history_ = &history;
    suggestionList_.Create(hwnd(), [this](int index) { TakeSuggestion(index); });
}

// Only shows: nothing here changes the history, the drop-down or what Enter
// sends.
void MainWindow::UpdateSuggestions() {
    if (!suggestions_) return;
    suggested_ = suggestions_->For(texto_.Text(), history_->Texts());
    suggestionList_.Show(suggested_, FieldRect(), regularFont_.get(), boldFont_.get(), dpi_.monitor);
}

RECT MainWindow::FieldRect() const {
    RECT field{};
    GetWindowRect(texto_.Hwnd(), &field);
    return field;
}

void MainWindow::TakeSuggestion(int index) {
    suggestionList_.Hide();
    if (index < 0 || index >= static_cast<int>(suggested_.size())) return;
    texto_.SetText(suggested_[static_cast<std::size_t>(index)].text);
    const LPARAM end = GetWindowTextLengthW(textoEdit_);
    SendMessageW(textoEdit_, EM_SETSEL, static_cast<WPARAM>(end), end);
    ::SetFocus(textoEdit_);
}

void MainWindow::RunAfterCommand(std::function<void()> work) {
    const bool pending = static_cast<bool>(afterCommand_);
    afterCommand_ = std::move(work);
    // Without a timer it runs at once rather than never.
    if (!pending && !SetTimer(hwnd(), kAfterCommandTimer, kAfterCommandMs, nullptr)) {
        if (auto now = std::exchange(afterCommand_, nullptr)) now();
    }
}

// The operator's key, pressed in any program: the window comes to the front
// (restored if it was minimised) with the focus in texto. The system lets a
// program that receives its hotkey take the foreground.
void MainWindow::OnShowKey() {
    BringToFront(hwnd());
    texto_.SetFocus();
}

// Each held key as it would have come from the queue. They were translated
// when held, so the characters of a key-down taken here are dropped, as the
// main loop would never have posted them. An Enter among them sends its
// command before the next key goes.
void MainWindow::ReplayTypeAhead() {
    MSG msg;
    bool keyTaken = false;
    while (type_ahead::NextHeld(msg)) {
        if (keyTaken && msg.message == WM_CHAR) continue;
        keyTaken = false;
        if (!IsWindow(msg.hwnd)) continue;
        if (PreTranslate(msg))
            keyTaken = msg.message == WM_KEYDOWN;
        else
            DispatchMessageW(&msg);
    }
}

// The window is now on a monitor of another scaling, or the scaling
// changed: everything is measured anew at the new DPI and laid out again.
// It may arrive while a change is being applied (the suggested rectangle
// can cross monitors again); that one is applied next, never nested.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    pendingDpi_ = std::make_pair(dpi, suggested);
    if (changingDpi_) return;
    changingDpi_ = true;
    while (pendingDpi_) {
        const auto [next, rect] = *pendingDpi_;
        pendingDpi_.reset();
        ApplyDpi(next, rect);
    }
    changingDpi_ = false;
}

// The controls move without drawing and the window is drawn once at the end.
void MainWindow::ApplyDpi(int dpi, const RECT& suggested) {
    if (!ready_ || dpi <= 0) return;
    suggestionList_.Hide();
    // Read at the old DPI, exactly as the procedures last set them.
    const TwipsRect texto = texto_.Twips(), lista = lista_.Twips(), ultimo = ultimo_.Twips();
    dpi_.monitor = dpi;
    SetFonts();
    PlaceControls(texto, lista, ultimo);
    FitTextoToDesignHeight();

    // Inside a move of Zantoli's own (the saved placement being applied) the
    // position is the one being set; only the size follows the new DPI.
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (form_.Placing()) flags |= SWP_NOMOVE;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, flags);
    // Laid out even where the suggested size equals the old one.
    Raise([this] { form1_->Form_Resize(); });
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Stops a drag at the minimum instead of letting the window flicker back.
void MainWindow::OnGetMinMaxInfo(MINMAXINFO* info) {
    if (!ready_ || !userSizing_) return;
    // The minimums hold for the layout's measure (design_frame.h); the
    // outer size that gives them depends on the real frame.
    const float minWidth = design_frame::OuterWidthFor(form_, design_frame::kMinWidth);
    const float minHeight = design_frame::OuterHeightFor(form_, design_frame::MinHeight(lista_, texto_));
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, TwipsToPixels(minWidth, dpi_.monitor));
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, TwipsToPixels(minHeight, dpi_.monitor));
}

bool MainWindow::OnTextoChar(WPARAM character) {
    if (character == VK_RETURN) suggestionList_.Hide();
    std::int16_t KeyAscii = AnsiKeyCode(character);
    // Before the edit sees the key, so the handler keeps the text from
    // before it took effect.
    Raise([this, &KeyAscii] { form1_->texto_KeyPress(KeyAscii); });
    // Enter has done its work; the single-line edit would only beep at it.
    return character == VK_RETURN;
}

}  // namespace zantoli::win32
