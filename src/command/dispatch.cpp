#include <exception>
#include <string>

#include "command/command_not_sent.h"
#include "command/expression.h"
#include "system/app_files.h"
#include "window/form1.h"

namespace zantoli {

namespace {
// The CAD main window's title, or the start of it (it adds the drawing).
const char* const kCadTitle = "Trazalia R14";
// Ctrl+Shift+K: on it the CAD side reads and evaluates the exchange file.
const char* const kHotkey = "^(+K)";

const char* const kNotActivated =
    "No se ha podido activar la ventana de Trazalia R14; la orden no se ha enviado.";
const char* const kKeysRefused =
    "Trazalia R14 no acepta las teclas de Zantoli (¿se ejecuta como administrador?).";

// Why a CAD window that was found cannot take the command now, or nullptr.
const char* RefusalOf(Activation activation) {
    switch (activation) {
    case Activation::NotInFront: return kNotActivated;
    case Activation::Elevated: return kKeysRefused;
    case Activation::Disabled:
        return "Trazalia R14 tiene abierto un cuadro de diálogo; la orden no se ha enviado. "
               "Ciérrelo en Trazalia R14 y pulse Intro de nuevo.";
    case Activation::Busy:
        return "Trazalia R14 está ocupado y no responde; la orden no se ha enviado. "
               "Cuando termine, pulse Intro de nuevo.";
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
    if (!sys_.ActivatedWindowInFront()) throw CommandNotSent(kNotActivated);
    if (!sys_.SendKeys(kHotkey)) throw CommandNotSent(kKeysRefused);
}

void Form1::ActivaCAD() {
    Activation activation = Activation::NotFound;
    try {
        activation = sys_.AppActivate(kCadTitle, true);
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
