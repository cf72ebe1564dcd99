// Loading images in the drawing program's setting, GTK initialised on a
// display: the result must match what the headless tests expect. Runs under
// Xvfb.
#include <gtest/gtest.h>

#include <filesystem>

#include "toolkit/gtk_api.h"
#include "toolkit/gtk_loader.h"
#include "raster/image.h"
#include "turtle/image_files.h"
#include "raster/raster_error.h"
#include "turtle/turtle.h"

namespace {

namespace fs = std::filesystem;
using raster::Color;

class DisplayLoad : public testing::Test {
protected:
    DisplayLoad() : dir(fs::temp_directory_path() / ("display_load_" + std::to_string(getpid()))) {
        fs::create_directories(dir);
    }
    ~DisplayLoad() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(DisplayLoad, TheDisplayIsOpen) { EXPECT_NE(toolkit::gtk().gdk_screen_get_default(), nullptr); }

TEST_F(DisplayLoad, PngKeepsColourAndTranslucency) {
    raster::Image img(toolkit::gtkRaster());
    img.resize(6, 4);
    img.canvas().fAreaColor = Color(200, 100, 50, 255);
    img.canvas().drawRectangleArea(0, 0, 3, 4);
    img.canvas().fAreaColor = Color(0, 0, 255, 128);
    img.canvas().drawRectangleArea(3, 0, 1, 4);
    img.saveToPngFile(path("a.png"));
    raster::Image back(toolkit::gtkRaster());
    back.loadFromFile(path("a.png"));
    EXPECT_EQ(back.width(), 6);
    EXPECT_EQ(back.height(), 4);
    EXPECT_EQ(back.pixel(1, 1), Color(200, 100, 50, 255));
    EXPECT_EQ(back.pixel(3, 1).a, 128);
    EXPECT_NEAR(back.pixel(3, 1).b, 255, 2);
    EXPECT_EQ(back.pixel(5, 3).a, 0);
}

TEST_F(DisplayLoad, PicturesWithoutAlphaBecomeOpaqueArgb) {
    turtle::TurtleState t(toolkit::gtkRaster());
    t.canvas().fAreaColor = Color(34, 139, 34, 255);
    t.canvas().drawRectangleArea(0, 0, 320, 400);
    turtle::saveImage(t, path("b.bmp"));
    turtle::saveImage(t, path("b.jpg"));
    raster::Image back(toolkit::gtkRaster());
    back.loadFromFile(path("b.bmp"));
    EXPECT_EQ(back.pixel(10, 10), Color(34, 139, 34, 255));
    EXPECT_EQ(back.pixel(600, 10), Color(0, 0, 0, 255));
    back.loadFromFile(path("b.jpg"));
    const Color c = back.pixel(100, 100);
    EXPECT_NEAR(c.g, 139, 10);
    EXPECT_EQ(c.a, 255);
    // And the loaded picture can be drawn on.
    back.canvas().fAreaColor = Color(255, 0, 0, 255);
    back.canvas().fill();
    EXPECT_EQ(back.pixel(0, 0), Color(255, 0, 0, 255));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    toolkit::loadGtkOrExit();
    toolkit::gtk().gtk_init(nullptr, nullptr);
    return RUN_ALL_TESTS();
}
