// A Form1 wired to in-memory controls and services at its designed size,
// with the form's resize event raised synchronously as on the platform.
// Free of any test framework, so the fuzzers use it too.
#pragma once

#include <cstdint>
#include <string>

#include "fakes/fake_controls.h"
#include "fakes/fake_system.h"
#include "form1/form1.h"
#include "window/design_frame.h"

namespace zantoli::testing {

struct FakeForm1 {
    FakeForm1() : window(101), splash(102), form(sys, window, texto, lista, ultimo, splash) {
        using namespace design_frame;
        window.width = kClientWidth + kWidth;
        window.height = kClientHeight + kHeight;
        const auto place = [](auto& control, const TwipsRect& at) {
            control.left = at.left;
            control.top = at.top;
            control.width = at.width;
            control.height = at.height;
        };
        place(texto, kTexto);
        place(lista, kLista);
        place(ultimo, kUltimo);
        window.onResize = [this] { form.Form_Resize(); };
        sys.foreground = window.hWnd();
    }
    // The form and the resize handler hold on to the members.
    FakeForm1(const FakeForm1&) = delete;
    FakeForm1& operator=(const FakeForm1&) = delete;

    std::string AppPath(const char* name) const { return sys.appDir + name; }

    // Types `text` into the box and presses Enter, as the user would.
    void TypeAndEnter(const std::string& text) {
        texto.text = text;
        std::int16_t key = 13;
        form.texto_KeyPress(key);
    }

    FakeSystem sys;
    FakeForm window;
    FakeForm splash;
    FakeComboBox texto;
    FakeListBox lista;
    FakeLabel ultimo;
    Form1 form;
};

}  // namespace zantoli::testing
