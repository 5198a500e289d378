#include <algorithm>
#include <string_view>
#include <vector>

#include "system/file_error.h"
#include "system/app_files.h"
#include "window/design_frame.h"
#include "form1/form1.h"
#include "window/saved_placement.h"
#include "window/settings_format.h"

namespace zantoli {

namespace {

// The caption as the design frame draws it: the top 300 twips, less the
// side borders and, at the right, the close button. A part at least
// kGripWidth x kGripHeight of it must lie in one work area for the user to
// drag the window by it: a few twips of frame are not enough.
constexpr float kCaptionHeight = 300;
constexpr float kCaptionButtons = 700;
constexpr float kGripWidth = 600;
constexpr float kGripHeight = 150;

// In double, so that absurd measures cannot overflow into a false overlap.
double Overlap(double start, double length, double areaStart, double areaLength) {
    return std::min(start + length, areaStart + areaLength) - std::max(start, areaStart);
}

bool CaptionCanBeGrabbed(const Form& window, const std::vector<ScreenArea>& workAreas) {
    const double left = double{window.Left()} + design_frame::kWidth / 2;
    const double width = double{window.Width()} - design_frame::kWidth - kCaptionButtons;
    for (const ScreenArea& area : workAreas) {
        if (Overlap(left, width, area.left, area.width) >= kGripWidth &&
            Overlap(window.Top(), kCaptionHeight, area.top, area.height) >= kGripHeight)
            return true;
    }
    return false;
}

}  // namespace

void Form1::guardaIni() {
    const std::string contents = SettingLine(window_.Top()) + SettingLine(window_.Left()) +
                                 SettingLine(window_.Height()) + SettingLine(window_.Width());
    // Replaced in one step, so a crash never leaves a half-written file.
    sys_.ReplaceContents(AppFile(app_files::kSettings), contents);
}

std::optional<SavedPlacement> ReadSavedPlacement(const System& sys) {
    const std::string path = sys.AppDir() + app_files::kSettings;
    if (!sys.FileExists(path)) return std::nullopt;
    std::vector<float> values;  // Top, Left, Height, Width
    try {
        sys.ReadLines(path, [&values](std::string_view line) {
            if (values.size() < 4) values.push_back(SettingValue(line));
        });
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (values.size() < 4) return std::nullopt;
    return SavedPlacement{values[0], values[1], values[2], values[3]};
}

void Form1::leeIni() {
    // A file that cannot be read or is cut short holds no placement to
    // trust; the window opens where it would on a first start.
    const std::optional<SavedPlacement> saved = ReadSavedPlacement(sys_);
    if (!saved) {
        IniDef();
        return;
    }

    // Against the whole desktop: a window kept on a monitor right of or
    // below the primary screen stays there.
    float top = saved->top;
    float left = saved->left;
    if (top > sys_.VirtualScreenBottom()) top = 10;
    if (left > sys_.VirtualScreenRight()) left = 10;
    window_.SetTop(top);
    window_.SetLeft(left);
    window_.SetHeight(saved->height);
    window_.SetWidth(saved->width);
    // A tool window has no taskbar button: one restored onto a monitor
    // that is gone, or with its caption under a taskbar or off the screen,
    // could never be moved again.
    if (!CaptionCanBeGrabbed(window_, sys_.WorkAreas())) IniDef();
}

void Form1::IniDef() { WinPos(); }

void Form1::WinPos() {
    float top = sys_.ScreenHeight() - window_.Height() - 700;
    float left = sys_.ScreenWidth() - window_.Width() - 350;
    // The corner above a bottom taskbar; a taskbar at another edge moves the
    // window just enough to stay clear of it, its caption first.
    const std::vector<ScreenArea> workAreas = sys_.WorkAreas();
    if (!workAreas.empty()) {
        const ScreenArea& primary = workAreas.front();
        top = std::max(std::min(top, primary.top + primary.height - window_.Height()), primary.top);
        left = std::max(std::min(left, primary.left + primary.width - window_.Width()), primary.left);
    }
    window_.SetTop(top);
    window_.SetLeft(left);
}

}  // namespace zantoli
