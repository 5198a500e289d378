#include "window/design_frame.h"
#include "form1/form1.h"

namespace zantoli {

// W and H are the outer size with the design frame (see design_frame.h), so
// the controls keep their design places relative to the client area on any
// frame. Setting the form's width or height below raises this event again at
// once; that nested run lays the controls out for the corrected size, and
// the steps after it read the size anew, so they agree with it.
void Form1::Form_Resize() {
    using design_frame::LayoutHeight;
    using design_frame::LayoutWidth;
    const float minHeight = design_frame::MinHeight(lista, texto);
    const float minWidth = design_frame::kMinWidth;

    if (LayoutWidth(window_) < minWidth)
        window_.SetWidth(design_frame::OuterWidthFor(window_, minWidth));
    texto.SetWidth(LayoutWidth(window_) - 100);
    lista.SetWidth(texto.Width());
    lista.SetTop(0);
    lista.SetLeft(0);
    texto.SetLeft(0);

    const float space = LayoutHeight(window_) - texto.Height() - 150;
    lista.SetHeight(space < 150 ? 1.0f : space);

    if (LayoutHeight(window_) < minHeight)
        window_.SetHeight(design_frame::OuterHeightFor(window_, minHeight));
    texto.SetTop(LayoutHeight(window_) - texto.Height() - 350);
}

}  // namespace zantoli
