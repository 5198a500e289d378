#include "window/show_key.h"

#include <string>

#include "system/app_files.h"
#include "system/msgbox_style.h"

namespace zantoli {

Options StartShowKey(System& sys, const std::function<bool(const Hotkey&)>& registerKey) {
    const std::string path = sys.AppDir() + app_files::kOptions;
    Options options = ReadOptions(sys, path);
    if (!options.problems.empty()) {
        sys.MsgBox("Zantoli no ha podido usar parte de " + path + "; eso queda como viene de fábrica:" +
                       FirstProblems(options.problems, options.problems.size()),
                   "Zantoli", vbExclamation);
    }
    if (!options.hotkey || registerKey(*options.hotkey)) return options;
    const std::string name = HotkeyName(*options.hotkey);
    sys.MsgBox("La tecla " + name +
                   ", que trae la línea de comando al frente, ya la usa otro programa (quizá otra línea de "
                   "comando abierta). Zantoli funciona igual sin ella.\nPuede elegir otra en " +
                   path + " con una línea como tecla=Ctrl+Alt+L, o desactivarla con tecla=no.",
               "Zantoli", vbExclamation);
    return options;
}

}  // namespace zantoli
