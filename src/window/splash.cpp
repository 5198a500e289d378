#include "window/splash.h"

#include "window/fun.h"

namespace zantoli {

Splash::Splash(Desktop& desktop, Form& window, Form& form1)
    : desktop_(desktop), window_(window), form1_(form1) {}

void Splash::Timer1_Timer() {
    window_.Hide();
    // Every tick, not only the first: another program may have taken the
    // topmost place from the command window since.
    fun::OnTop(desktop_, form1_);
}

}  // namespace zantoli
