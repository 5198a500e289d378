// Form1, the command window "Linea de comando": its controls and every
// procedure it runs, one file per part: pipeline.cpp the Enter handling,
// alias.cpp and form1_rules.cpp alias resolution and validation (the rules
// themselves are in command/), dispatch.cpp the hand-over to the CAD
// program, start_stop.cpp, layout.cpp and placement.cpp the window's life.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "system/controls.h"
#include "system/system.h"

namespace zantoli {

class Form1 {
public:
    Form1(System& sys, Form& window, ComboBox& texto, ListBox& lista, Label& ultimo, Form& splash);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The controls, named as in the design.
    ComboBox& texto;
    ListBox& lista;
    Label& ultimo;

    // Command pipeline.
    void texto_KeyPress(std::int16_t& KeyAscii);
    void lista_DblClick();
    void Form_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    int yaestaba(const std::string& st) const;
    // How many Enters so far sent nothing (refused, or not sent for a
    // reason the user was told of).
    int RefusedEnters() const { return refusedEnters_; }
    // Told of every command sent, with its entry text (the text as typed):
    // the lasting history listens here.
    std::function<void(const std::string& entry)> commandSent;

    // Alias resolution and validation.
    std::string VerAlias(std::string& st);
    static std::string comas(const std::string& tt, int X, char XC);
    static std::string ValeCom(std::string& st);
    static int EstaSt(const std::string& st1, const std::string& st2);

    // Dispatch to the CAD application.
    void OrdenVuro(const std::string& st);
    void ActivaCAD();

    // Start and stop.
    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void Form_Activate();
    void Form_GotFocus();
    void hace000();
    // The one way the program ends on purpose: removes the marker file,
    // saves the placement and ends with `exitCode`. Used by the close
    // (kExitClosed) and by the missing-CAD-window path. Throws ProgramEnding
    // when the marker or the settings file fails.
    [[noreturn]] void StopOrderly(int exitCode);

    // Layout.
    void Form_Resize();

    // Placement settings.
    void guardaIni();
    void leeIni();
    void IniDef();
    void WinPos();

private:
    // Enter handling proper, run once per Enter; `entry` is the text as typed.
    void ProcessEnter(const std::string& entry);
    std::string AppFile(const char* name) const;

    System& sys_;
    Form& window_;
    Form& splash_;
    // The text of `texto` from before the current key took effect.
    std::string entryText_;
    // Set while a command is being handled, so an Enter that arrives while
    // the dispatch waits for the focus does not start a nested one.
    bool handlingEnter_ = false;
    int refusedEnters_ = 0;
};

}  // namespace zantoli
