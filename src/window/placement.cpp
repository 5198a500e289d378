#include <string_view>
#include <vector>

#include "system/file_error.h"
#include "system/app_files.h"
#include "window/form1.h"
#include "window/settings_format.h"

namespace zantoli {

void Form1::guardaIni() {
    const std::string contents = SettingLine(window_.Top()) + SettingLine(window_.Left()) +
                                 SettingLine(window_.Height()) + SettingLine(window_.Width());
    // Replaced in one step, so a crash never leaves a half-written file.
    sys_.ReplaceContents(AppFile(app_files::kSettings), contents);
}

void Form1::leeIni() {
    const std::string path = AppFile(app_files::kSettings);
    if (!sys_.FileExists(path)) {
        IniDef();
        return;
    }

    std::vector<float> values;  // Top, Left, Height, Width
    try {
        sys_.ReadLines(path, [&values](std::string_view line) {
            if (values.size() < 4) values.push_back(SettingValue(line));
        });
    } catch (const FileError&) {
        values.clear();
    }
    // A file that cannot be read or is cut short holds no placement to
    // trust; the window opens where it would on a first start.
    if (values.size() < 4) {
        IniDef();
        return;
    }

    // Against the whole desktop: a window kept on a monitor right of or
    // below the primary screen stays there.
    float top = values[0];
    float left = values[1];
    if (top > sys_.VirtualScreenBottom()) top = 10;
    if (left > sys_.VirtualScreenRight()) left = 10;
    window_.SetTop(top);
    window_.SetLeft(left);
    window_.SetHeight(values[2]);
    window_.SetWidth(values[3]);
    // A tool window has no taskbar button: one restored onto a monitor
    // that is gone could never be reached again.
    if (!sys_.OnAnyMonitor(window_.Left(), window_.Top(), window_.Width(), window_.Height()))
        IniDef();
}

void Form1::IniDef() { WinPos(); }

void Form1::WinPos() {
    window_.SetTop(sys_.ScreenHeight() - window_.Height() - 700);
    window_.SetLeft(sys_.ScreenWidth() - window_.Width() - 350);
}

}  // namespace zantoli
