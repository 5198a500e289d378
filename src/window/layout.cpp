#include "window/form1.h"

namespace zantoli {

// Setting the form's width or height below raises this event again at once;
// that nested run lays the controls out for the corrected size, and the
// steps after it read the size anew, so they agree with it.
void Form1::Form_Resize() {
    const float minHeight = lista.Top() + texto.Height() + 350;
    const float minWidth = 2000;

    if (window_.Width() < minWidth) window_.SetWidth(minWidth);
    texto.SetWidth(window_.Width() - 100);
    lista.SetWidth(texto.Width());
    lista.SetTop(0);
    lista.SetLeft(0);
    texto.SetLeft(0);

    const float space = window_.Height() - texto.Height() - 150;
    lista.SetHeight(space < 150 ? 1.0f : space);

    if (window_.Height() < minHeight) window_.SetHeight(minHeight);
    texto.SetTop(window_.Height() - texto.Height() - 350);
}

}  // namespace zantoli
