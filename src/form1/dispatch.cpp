#include <exception>
#include <string>

#include "form1/command_not_sent.h"
#include "form1/refusals.h"
#include "command/expression.h"
#include "system/app_files.h"
#include "system/window_titles.h"
#include "form1/form1.h"

namespace zantoli {

namespace {
// Ctrl+Shift+K: on it the CAD side reads and evaluates the exchange file.
const char* const kHotkey = "^(+K)";


// Why a CAD window that was found cannot take the command now, or nullptr.
const char* RefusalOf(Activation activation) {
    switch (activation) {
    case Activation::NotInFront: return refusals::kNotActivated;
    case Activation::Elevated: return refusals::kKeysRefused;
    case Activation::Disabled: return refusals::kDialogOpen;
    case Activation::Busy: return refusals::kBusy;
    case Activation::InFront:
    case Activation::NotFound: break;
    }
    return nullptr;
}
}  // namespace

void Form1::OrdenVuro(const std::string& st) {
    ActivaCAD();
    std::string line = LispExpression(st);
    line += "\r\n";
    // Throws FileError when AppDir\var is missing or the file cannot be
    // written; the hotkey must then not be sent, so the CAD side never
    // evaluates a stale expression.
    sys_.WriteFile(AppFile(app_files::kExchange), line);
    // The user may have clicked elsewhere while the file was written: the
    // hotkey must reach the CAD window or nobody.
    if (!sys_.ActivatedWindowInFront()) throw CommandNotSent(refusals::kNotActivated);
    if (!sys_.SendKeys(kHotkey)) throw CommandNotSent(refusals::kKeysRefused);
}

void Form1::ActivaCAD() {
    Activation activation = Activation::NotFound;
    try {
        activation = sys_.AppActivate(window_titles::kCadApplication, true);
    } catch (const std::exception&) {
        // whatever went wrong, there is no CAD window to talk to
    }
    if (activation == Activation::InFront) return;
    // Keys sent now would be lost, reach another window, or wait in the CAD
    // program's queue while the next command overwrites the file.
    if (const char* refusal = RefusalOf(activation)) throw CommandNotSent(refusal);
    sys_.MsgBox("Esta aplicación funciona en conjunto con Trazalia R14.", "Atención", vbOKOnly);
    StopOrderly(kExitNoCadWindow);
}

}  // namespace zantoli
