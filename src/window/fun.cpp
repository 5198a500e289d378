#include "window/fun.h"

namespace zantoli::fun {

void OnTop(Desktop& desktop, Form& form) {
    desktop.MakeTopmost(form.hWnd());
}

}  // namespace zantoli::fun
