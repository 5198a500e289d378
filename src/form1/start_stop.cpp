#include "system/app_files.h"
#include "form1/form1.h"
#include "window/fun.h"
#include "window/program_ending.h"

#include "system/file_error.h"

namespace zantoli {

void Form1::Form_Load() {
    splash_.Show();
    fun::OnTop(sys_, splash_);
    hace000();
    // Lets the title window draw itself before the placement is read.
    sys_.DoEvents();
    leeIni();
}

void Form1::Form_Unload(std::int16_t& Cancel) {
    static_cast<void>(Cancel);  // a close is never refused
    StopOrderly(kExitClosed);
}

void Form1::StopOrderly(int exitCode) {
    const std::string marker = AppFile(app_files::kMarker);
    try {
        try {
            sys_.Kill(marker);
        } catch (const FileError&) {
            // Already gone (removed by hand, or by the close of a second copy
            // started directly): nothing left to remove, and the placement
            // must still be saved. A marker that is there but cannot be
            // removed is reported.
            if (sys_.FileExists(marker)) throw;
        }
        guardaIni();
    } catch (const FileError& failure) {
        // Whoever called, the program was ending: the failure must reach the
        // standard error message and the end, never a caller's own handling.
        throw ProgramEnding(failure.what());
    }
    sys_.DoEvents();
    EndProgram(sys_, exitCode);
}

void Form1::hace000() { sys_.WriteFile(AppFile(app_files::kMarker), ":P\r\n"); }

void Form1::Form_Activate() { texto.SetFocus(); }

void Form1::Form_GotFocus() { texto.SetFocus(); }

}  // namespace zantoli
