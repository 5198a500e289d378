#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fakes/form_fixture.h"

namespace zantoli::testing {
namespace {

struct LayoutCase {
    const char* name;
    float width, height, comboHeight;       // the window before the event
    float finalWidth, finalHeight;          // after any spring-back
    float textoTop, controlsWidth, listHeight;
    int resizeEvents;                       // nested runs raised by the event
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class LayoutTest : public FormFixture, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, ControlsFillTheWindowAboveItsMinimumSize) {
    const LayoutCase& c = GetParam();
    window.width = c.width;
    window.height = c.height;
    texto.height = c.comboHeight;
    lista.left = 45;  // wherever it was, the layout puts it back at the corner
    lista.top = 0;

    form.Form_Resize();

    EXPECT_EQ(window.width, c.finalWidth);
    EXPECT_EQ(window.height, c.finalHeight);
    EXPECT_EQ(texto.left, 0);
    EXPECT_EQ(texto.top, c.textoTop);
    EXPECT_EQ(texto.width, c.controlsWidth);
    EXPECT_EQ(texto.height, c.comboHeight);  // a combo box's height is its font's
    EXPECT_EQ(lista.left, 0);
    EXPECT_EQ(lista.top, 0);
    EXPECT_EQ(lista.width, c.controlsWidth);
    EXPECT_EQ(lista.height, c.listHeight);
    EXPECT_EQ(window.resizeEvents, c.resizeEvents);
    EXPECT_EQ(ultimo.left, 5640);
    EXPECT_EQ(ultimo.top, 840);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LayoutTest,
    ::testing::Values(
        // Narrower than 2000 springs back; both controls end 1900 wide.
        LayoutCase{"Narrow", 1500, 1140, 315, 2000, 1140, 475, 1900, 675, 1},
        // Below the minimum height the list is first set to 1, then the
        // nested run for the corrected height makes it 200, under texto.
        LayoutCase{"Low", 3375, 500, 315, 3375, 665, 0, 3275, 200, 1},
        // Space for the list just under 150: still 1 before the correction.
        LayoutCase{"JustUnderListSpace", 3375, 614, 315, 3375, 665, 0, 3275, 200, 1},
        LayoutCase{"TooSmallBothWays", 100, 100, 315, 2000, 665, 0, 1900, 200, 2},
        // Exactly at the minimums: no correction, no nested run.
        LayoutCase{"AtMinimums", 2000, 665, 315, 2000, 665, 0, 1900, 200, 0},
        // The minimum height follows the combo box (a larger font).
        LayoutCase{"TallerCombo", 3000, 600, 375, 3000, 725, 0, 2900, 200, 1},
        LayoutCase{"Large", 12000, 6000, 315, 12000, 6000, 5335, 11900, 5535, 0}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

// Windows 10/11 frames: invisible resize borders (8 px at 96 DPI, 11 px at
// 144 DPI) on three sides and around a taller caption. Whatever the frame,
// the controls keep their design places relative to the client area: both
// 20 wider than it, texto's bottom 10 below it; and the minimums hold for
// the client area plus the design frame.
TEST_F(FormFixture, LayoutFollowsTheClientAreaWhateverTheFrame) {
    const struct {
        const char* name;
        float frameWidth, frameHeight;
    } frames[] = {{"design", 120, 360}, {"96 dpi", 16 * 15, (8 + 31 + 8) * 15},
                  {"144 dpi", 22 * 10, (11 + 45 + 11) * 10}};
    const struct {
        const char* name;
        float clientWidth, clientHeight, finalClientWidth, finalClientHeight;
    } sizes[] = {{"large", 9000, 4000, 9000, 4000},
                 {"too small", 300, 100, 1880, 305},  // the smallest client area
                 {"at the minimums", 1880, 305, 1880, 305}};
    for (const auto& frame : frames) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(std::string(frame.name) + ", " + size.name);
            window.frameWidth = frame.frameWidth;
            window.frameHeight = frame.frameHeight;
            window.width = size.clientWidth + frame.frameWidth;
            window.height = size.clientHeight + frame.frameHeight;

            form.Form_Resize();

            EXPECT_EQ(window.ScaleWidth(), size.finalClientWidth);
            EXPECT_EQ(window.ScaleHeight(), size.finalClientHeight);
            EXPECT_EQ(texto.width, size.finalClientWidth + 20);
            EXPECT_EQ(lista.width, size.finalClientWidth + 20);
            EXPECT_EQ(texto.top + texto.height, size.finalClientHeight + 10);
            EXPECT_EQ(lista.height, texto.top + 200) << "the list reaches 200 under texto's top";
        }
    }
}

}  // namespace
}  // namespace zantoli::testing
