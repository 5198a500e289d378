#include <gtest/gtest.h>

#include "window/list_place.h"

namespace zantoli::testing {
namespace {

TEST(ListPlace, InsideTheWorkAreaBelowAboveOrWhereThereIsMoreRoom) {
    const PixelRect work{0, 0, 1024, 728};  // a taskbar of 40 below
    const struct {
        const char* name;
        PixelRect field;
        int width, height;
        PixelRect placed;
    } cases[] = {
        {"room below", {100, 100, 317, 121}, 217, 150, {100, 121, 317, 271}},
        {"at the bottom: above", {100, 650, 317, 671}, 217, 150, {100, 500, 317, 650}},
        {"at the right edge", {900, 100, 1117, 121}, 300, 150, {724, 121, 1024, 271}},
        {"beyond the left edge", {-50, 100, 167, 121}, 217, 150, {0, 121, 217, 271}},
        {"too tall either way: cut, more room above", {10, 500, 227, 521}, 217, 600, {10, 0, 227, 500}},
        {"too tall either way: cut, more room below", {10, 200, 227, 221}, 217, 600, {10, 221, 227, 728}},
        {"wider than the work area", {0, 100, 217, 121}, 2000, 20, {0, 121, 1024, 141}},
        {"field below the work area", {100, 740, 317, 761}, 217, 150, {100, 578, 317, 728}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PixelRect got = PlaceBesideField(c.field, work, c.width, c.height);
        EXPECT_EQ(got, c.placed) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
}

}  // namespace
}  // namespace zantoli::testing
