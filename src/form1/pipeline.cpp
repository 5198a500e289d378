#include <string>

#include "form1/command_not_sent.h"
#include "form1/refusals.h"
#include "command/validation.h"
#include "system/file_error.h"
#include "form1/form1.h"

namespace zantoli {

namespace {

const std::int16_t kEnter = 13;

// Holds the flag for the time one Enter is handled, whatever way it ends.
class EnterInProgress {
public:
    explicit EnterInProgress(bool& flag) : flag_(flag) { flag_ = true; }
    ~EnterInProgress() { flag_ = false; }
    EnterInProgress(const EnterInProgress&) = delete;
    EnterInProgress& operator=(const EnterInProgress&) = delete;

private:
    bool& flag_;
};

bool EmptyOrSpaces(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

void Form1::texto_KeyPress(std::int16_t& KeyAscii) {
    entryText_ = texto.Text();
    // An Enter while a command is still on its way (the dispatch may wait
    // for the focus and let events through) would start a second one
    // inside the first.
    if (KeyAscii != kEnter || handlingEnter_) return;
    EnterInProgress inProgress(handlingEnter_);
    const std::string entry = entryText_;
    // Nothing was sent, so the Enter leaves the window as it found it and
    // the user can mend the cause and press Enter again. The text is set
    // back only when it changed: setting it would also replace characters
    // the code page lacks.
    const auto keepForRetry = [&](const char* why) {
        ++refusedEnters_;
        if (texto.Text() != entry) texto.SetText(entry);
        sys_.MsgBox(why, "Error", vbCritical);
    };
    try {
        ProcessEnter(entry);
    } catch (const FileError& failure) {
        keepForRetry(failure.what());  // the alias file or the exchange file
    } catch (const CommandNotSent& failure) {
        keepForRetry(failure.what());
    }
}

void Form1::ProcessEnter(const std::string& entry) {
    // Such a character would reach the CAD side as another one.
    if (texto.TextHasUnmappableCharacters())
        throw CommandNotSent(refusals::kUnsendableCharacters);
    std::string st = texto.Text();
    texto.SetText(VerAlias(st));
    if (texto.Text() == kRefusedCommand) {
        ++refusedEnters_;
        texto.SetText("");
        sys_.MsgBox(refusals::kInvalidCommand, "Error", vbCritical);
        return;
    }
    if (EmptyOrSpaces(texto.Text())) texto.SetText(ultimo.Caption());
    const std::string command = texto.Text();
    OrdenVuro(command);
    if (commandSent) commandSent(entry);
    // The history lists what was typed, and only once it has been sent. A
    // full list cannot undo the sending: the command still counts as sent.
    bool recorded = true;
    if (yaestaba(entry) == 0) {
        try {
            lista.AddItem(entry);
            texto.AddItem(entry);
        } catch (const ListRefusedItem&) {
            recorded = false;
        }
    }
    ultimo.SetCaption(command);
    // Text typed meanwhile (keys typed ahead reach the line once the
    // command has gone) is the next command's.
    if (texto.Text() == command) texto.SetText("");
    if (!recorded)
        sys_.MsgBox(refusals::kHistoryFull, "Error", vbCritical);
}

int Form1::yaestaba(const std::string& st) const {
    int found = 0;
    const int count = lista.ListCount();
    for (int index = 0; index < count; ++index) {
        if (lista.List(index) == st) found = 1;
    }
    return found;
}

void Form1::lista_DblClick() {
    if (handlingEnter_) return;
    const int selected = lista.ListIndex();
    if (selected < 0) return;  // a double-click beside the entries
    texto.SetText(lista.List(selected));
    std::int16_t key = kEnter;
    texto_KeyPress(key);
}

void Form1::Form_MouseMove(std::int16_t Button, [[maybe_unused]] std::int16_t Shift,
                           [[maybe_unused]] float X, [[maybe_unused]] float Y) {
    // Only while this window is in front: a move over it while another
    // program is (usually the CAD window the last command brought forward)
    // would otherwise send a command the user cannot see coming.
    if ((Button & 2) == 2 && sys_.OwnsForeground(window_.hWnd())) {
        std::int16_t key = kEnter;
        texto_KeyPress(key);
    }
}

}  // namespace zantoli
