// Facts about loading GTK 3 by name.
#include <gtest/gtest.h>

#include "toolkit/gtk_api.h"
#include "toolkit/gtk_loader.h"

namespace {

const char* const kMissing[] = {"libpintaro-no-such-gtk.so", "libpintaro-no-such-gtk.so.0"};
const char* const kPartial[] = {GTK_STUB_PARTIAL};

TEST(GtkLoader, MissingLibraryIsReportedWithTheCombinedName) {
    try {
        toolkit::loadGtk(kMissing);
        FAIL() << "expected an error";
    } catch (const toolkit::GtkLoadError& e) {
        EXPECT_STREQ(e.what(), "could not load: libgtk-3.so(|.0)");
        EXPECT_TRUE(e.libraryMissing);
    }
    EXPECT_FALSE(toolkit::gtkLoaded());
}

TEST(GtkLoader, FirstMissingFunctionIsNamed) {
    // The stub has gtk_widget_grab_focus, so the second name in the list fails.
    try {
        toolkit::loadGtk(kPartial);
        FAIL() << "expected an error";
    } catch (const toolkit::GtkLoadError& e) {
        EXPECT_STREQ(e.what(), "could not import: gtk_file_chooser_dialog_new");
        EXPECT_FALSE(e.libraryMissing);
    }
    EXPECT_FALSE(toolkit::gtkLoaded());
    EXPECT_EQ(toolkit::gtk().gtk_widget_grab_focus, nullptr);
}

TEST(GtkLoaderDeathTest, FrontEndStepExitsWithStatusOneAndTheDiagnostic) {
    EXPECT_EXIT(toolkit::loadGtkOrExit(kMissing), testing::ExitedWithCode(1),
                "^could not load: libgtk-3\\.so\\(\\|\\.0\\)\n.+\n$");
    EXPECT_EXIT(toolkit::loadGtkOrExit(kPartial), testing::ExitedWithCode(1),
                "^could not import: gtk_file_chooser_dialog_new\n$");
}

TEST(GtkLoader, RealLibraryResolvesEveryFunctionWithoutADisplay) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    toolkit::loadGtk();
    ASSERT_TRUE(toolkit::gtkLoaded());
    const auto& g = toolkit::gtk();
    EXPECT_NE(g.gtk_main_quit, nullptr);
    // cairo comes from the same library, into the raster table.
    const auto& r = toolkit::gtkRaster();
    cairo_surface_t* s = r.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 7, 3);
    EXPECT_EQ(r.cairo_image_surface_get_width(s), 7);
    EXPECT_EQ(r.cairo_image_surface_get_height(s), 3);
    r.cairo_surface_destroy(s);
}

}  // namespace
