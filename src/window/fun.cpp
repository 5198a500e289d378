#include "window/fun.h"

namespace zantoli::fun {

void OnTop(Desktop& desktop, Form& form) {
    desktop.SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace zantoli::fun
