#include <string_view>
#include <vector>

#include "system/file_error.h"
#include "window/app_files.h"
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

    float top = values[0];
    float left = values[1];
    if (top > sys_.ScreenHeight()) top = 10;
    if (left > sys_.ScreenWidth()) left = 10;
    window_.SetTop(top);
    window_.SetLeft(left);
    window_.SetHeight(values[2]);
    window_.SetWidth(values[3]);
}

void Form1::IniDef() { WinPos(); }

void Form1::WinPos() {
    window_.SetTop(sys_.ScreenHeight() - window_.Height() - 700);
    window_.SetLeft(sys_.ScreenWidth() - window_.Width() - 350);
}

}  // namespace zantoli
