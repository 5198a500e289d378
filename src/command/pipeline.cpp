#include <string>

#include "system/file_error.h"
#include "window/form1.h"

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
    try {
        ProcessEnter();
    } catch (const FileError& failure) {
        // The alias file or the exchange file failed: nothing was sent, so
        // the Enter leaves the window as it found it and the user can fix
        // the file and press Enter again.
        texto.SetText(entry);
        sys_.MsgBox(failure.what(), "Error", vbCritical);
    }
}

void Form1::ProcessEnter() {
    const std::string entry = entryText_;
    std::string st = texto.Text();
    texto.SetText(VerAlias(st));
    if (texto.Text() == "0") {
        texto.SetText("");
        sys_.MsgBox("Comando inválido.", "Error", vbCritical);
        return;
    }
    if (EmptyOrSpaces(texto.Text())) texto.SetText(ultimo.Caption());
    const std::string command = texto.Text();
    OrdenVuro(command);
    // The history lists what was typed, and only once it has been sent.
    if (yaestaba(entry) == 0) {
        lista.AddItem(entry);
        texto.AddItem(entry);
    }
    ultimo.SetCaption(command);
    texto.SetText("");
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
    if ((Button & 2) == 2) {
        std::int16_t key = kEnter;
        texto_KeyPress(key);
    }
}

}  // namespace zantoli
