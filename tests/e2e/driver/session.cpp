#include "driver/session.h"

#include <stdexcept>

#include "driver/app_dir.h"
#include "driver/desktop.h"
#include "driver/keyboard.h"
#include "driver/text.h"

namespace e2e {

CadStandin::CadStandin(const std::wstring& exe, const std::wstring& appDir, const std::wstring& logPath)
    : process_(ChildProcess::Start(exe, {L"--appdir", appDir, L"--log", logPath}, {})), logPath_(logPath) {
    window_ = WaitTopWindow(kCadTitle, process_.id(), kStartTimeout);
}

std::vector<std::string> CadStandin::Received() const {
    const auto bytes = FileBytes(logPath_);
    return bytes ? CrLfLines(*bytes) : std::vector<std::string>{};
}

std::vector<std::string> CadStandin::WaitReceived(size_t count) const {
    std::vector<std::string> lines;
    WaitUntil([&] { return (lines = Received()).size() >= count; }, kStepTimeout);
    if (lines.size() != count) {
        std::string got;
        for (const auto& line : lines) got += "\n  " + line;
        throw std::runtime_error("expected the CAD side to have received " + std::to_string(count) +
                                 " expressions; got " + std::to_string(lines.size()) + ":" + got);
    }
    return lines;
}

std::vector<std::wstring> CadStandin::Shown() const {
    return ListBoxItems(ChildOfClass(window_, L"ListBox"));
}

CommandWindow::CommandWindow(HWND window)
    : window_(window),
      combo_(ChildOfClass(window, L"ComboBox")),
      edit_(ChildOfClass(combo_, L"Edit")),
      list_(ChildOfClass(window, L"ListBox")) {}

CommandWindow CommandWindow::Find(DWORD pid, Millis timeout) {
    return CommandWindow(WaitTopWindow(kCommandCaption, pid, timeout));
}

void CommandWindow::Focus() const {
    BringToFront(window_);
    HWND focus = nullptr;
    if (!WaitUntil([&] { focus = FocusOf(window_); return focus == edit_ || focus == combo_; }, kStepTimeout))
        throw std::runtime_error("expected the focus in the input box of \"Linea de comando\"; got a " +
                                 Narrow(focus ? ClassOf(focus) : L"(none)") + " control");
}

void CommandWindow::Enter(const std::wstring& text) const {
    Focus();
    TypeText(text);
    if (!WaitUntil([&] { return InputText() == text; }, kStepTimeout))
        throw std::runtime_error("typed \"" + Narrow(text) + "\"; the input box shows \"" + Narrow(InputText()) +
                                 "\"");
    PressKey(VK_RETURN);
}

std::vector<std::wstring> CommandWindow::History() const { return ListBoxItems(list_); }
std::vector<std::wstring> CommandWindow::DropDown() const { return ComboBoxItems(combo_); }
std::wstring CommandWindow::InputText() const { return TextOf(combo_); }
std::wstring CommandWindow::LastCommand() const { return TextOf(ChildOfClass(window_, L"Static")); }

void CommandWindow::PressCloseButton() const { PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace e2e
