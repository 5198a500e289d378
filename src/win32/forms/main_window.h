// The window of Form1, "Linea de comando": a sizable tool window holding
// texto, lista and ultimo. It only turns window messages into Form1's
// events; what they do is Form1's.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "system/system.h"
#include "system/twips.h"
#include "window/saved_placement.h"
#include "command/suggestions.h"
#include "window/history.h"
#include "win32/forms/hwnd_controls.h"
#include "win32/forms/suggestion_list.h"
#include "win32/forms/window_base.h"

namespace zantoli {
class Form1;
}

namespace zantoli::win32 {

class MainWindow : public WindowBase<MainWindow> {
public:
    static constexpr const wchar_t* kClassName = L"ZantoliLineaDeComando";

    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() { Destroy(); }

    // The objects Form1 is built on; they reach real windows after Create.
    HwndForm& form() { return form_; }
    HwndComboBox& texto() { return texto_; }
    HwndListBox& lista() { return lista_; }
    HwndLabel& ultimo() { return ultimo_; }
    HWND textoEdit() const { return textoEdit_; }

    // Creates the hidden window and its controls at their design places,
    // on the monitor `saved` puts it on, else on the primary monitor, so
    // that it has that monitor's DPI from the start. From then on every
    // event goes to `form1`, each through the event boundary of `desktop`.
    // Throws SystemCallError if the system refuses a window.
    void Create(Form1& form1, Desktop& desktop, const std::optional<SavedPlacement>& saved = std::nullopt);

    const WindowDpi& dpi() const { return dpi_; }

    // From now on, what is typed in texto is followed by the suggestions of
    // `suggestions`, with the earlier commands of `history` (both outlive
    // the window).
    void ShowSuggestions(Suggestions& suggestions, const History& history);
    SuggestionList& suggestionList() { return suggestionList_; }

    // Runs `work` through the event boundary a moment after a command, so
    // that what the command leaves to do (writing the history) waits until
    // the CAD window has taken it. Calls meanwhile join the one pending.
    void RunAfterCommand(std::function<void()> work);

    // For the message loop, every message it retrieves, before it is
    // translated: the window's keys enter here. True when `msg` was handled
    // and goes no further.
    bool PreTranslate(const MSG& msg);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    template <class Handler>
    void Raise(Handler&& handler);

    void CreateControls();
    void SetFonts();
    void FitTextoToDesignHeight();
    void PlaceControls(const TwipsRect& texto, const TwipsRect& lista, const TwipsRect& ultimo);

    void OnShowKey();
    void ReplayTypeAhead();
    void UpdateSuggestions();
    RECT FieldRect() const;  // texto's field, in screen coordinates
    void TakeSuggestion(int index);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void ApplyDpi(int dpi, const RECT& suggested);
    void OnSize(WPARAM state);
    void OnShowWindow(bool shown);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnSetFocus();
    void OnClose();
    void OnMouseMove(WPARAM keys, LPARAM where);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    bool OnTextoChar(WPARAM character);

    HINSTANCE instance_;
    WindowDpi dpi_;
    HwndForm form_;
    HwndComboBox texto_;
    HwndListBox lista_;
    HwndLabel ultimo_;
    HWND textoEdit_ = nullptr;
    GdiObject<HFONT> boldFont_, regularFont_;
    Suggestions* suggestions_ = nullptr;
    const History* history_ = nullptr;
    std::vector<Suggestion> suggested_;
    SuggestionList suggestionList_;

    Form1* form1_ = nullptr;
    Desktop* desktop_ = nullptr;
    // Events reach Form1 only once every control exists.
    bool ready_ = false;
    bool shownOnce_ = false;
    std::function<void()> afterCommand_;
    // The minimum size stops a drag by the user; sizes set in other ways
    // are corrected by Form_Resize.
    bool userSizing_ = false;
    // A DPI change that arrives while one is being applied waits for it.
    bool changingDpi_ = false;
    std::optional<std::pair<int, RECT>> pendingDpi_;
};

}  // namespace zantoli::win32
