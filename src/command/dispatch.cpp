#include <exception>
#include <string>

#include "command/command_not_sent.h"
#include "command/expression.h"
#include "system/app_files.h"
#include "system/file_error.h"
#include "window/form1.h"
#include "window/program_ending.h"

namespace zantoli {

namespace {
// The CAD main window's title, or the start of it (it adds the drawing).
const char* const kCadTitle = "Trazalia R14";
// Ctrl+Shift+K: on it the CAD side reads and evaluates the exchange file.
const char* const kHotkey = "^(+K)";
}  // namespace

void Form1::OrdenVuro(const std::string& st) {
    ActivaCAD();
    std::string line = LispExpression(st);
    line += "\r\n";
    // Throws FileError when AppDir\var is missing or the file cannot be
    // written; the hotkey must then not be sent, so the CAD side never
    // evaluates a stale expression.
    sys_.WriteFile(AppFile(app_files::kExchange), line);
    if (!sys_.SendKeys(kHotkey))
        throw CommandNotSent("Trazalia R14 no acepta las teclas de Zantoli (¿se ejecuta como administrador?).");
}

void Form1::ActivaCAD() {
    Activation activation = Activation::NotFound;
    try {
        activation = sys_.AppActivate(kCadTitle, true);
    } catch (const std::exception&) {
        // whatever went wrong, there is no CAD window to talk to
    }
    if (activation == Activation::InFront) return;
    // The hotkey would reach whatever window is in front instead.
    if (activation == Activation::NotInFront)
        throw CommandNotSent("No se ha podido activar la ventana de Trazalia R14; la orden no se ha enviado.");
    sys_.MsgBox("Esta aplicación funciona en conjunto con Trazalia R14.", "Atención", vbOKOnly);
    try {
        StopOrderly(kExitNoCadWindow);
    } catch (const FileError& failure) {
        throw ProgramEnding(failure.what());  // the marker or the settings file
    }
}

}  // namespace zantoli
