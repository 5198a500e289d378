// Form1's layout figures are written for its design frame: a border of 60
// twips at the left, right and bottom and 300 at the top. Real frames differ
// (Windows 10/11 counts invisible resize borders into the outer rectangle and
// draws another caption height), so the layout works on the outer size the
// window would have with the design frame around its present client area.
#pragma once

#include "system/controls.h"
#include "system/twips.h"

namespace zantoli::design_frame {

// The window as designed, in twips: its client area, and the controls in it.
inline constexpr float kClientWidth = 3255, kClientHeight = 780;
inline constexpr TwipsRect kTexto{0, 480, 3255, 315};
inline constexpr TwipsRect kLista{0, 0, 3255, 450};
inline constexpr TwipsRect kUltimo{5640, 840, 855, 255};

inline constexpr float kWidth = 60 + 60;
inline constexpr float kHeight = 300 + 60;

// The smallest layout: this wide, and 350 twips taller than lista's top
// and texto together.
inline constexpr float kMinWidth = 2000;
inline float MinHeight(const Placeable& lista, const Placeable& texto) { return lista.Top() + texto.Height() + 350; }

inline float LayoutWidth(const Form& form) { return form.ScaleWidth() + kWidth; }
inline float LayoutHeight(const Form& form) { return form.ScaleHeight() + kHeight; }

// The outer size that gives `layoutWidth` / `layoutHeight` with the real
// frame: exactly that figure on the design frame.
inline float OuterWidthFor(const Form& form, float layoutWidth) {
    return layoutWidth + (form.Width() - LayoutWidth(form));
}
inline float OuterHeightFor(const Form& form, float layoutHeight) {
    return layoutHeight + (form.Height() - LayoutHeight(form));
}

}  // namespace zantoli::design_frame
