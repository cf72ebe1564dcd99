// Facts about the file-name rule and the image operations under New, Open,
// Save and Resize.
#include <filesystem>
#include <fstream>

#include "turtle/image_files.h"
#include "turtle/image_format.h"
#include "raster/raster_error.h"
#include "turtle_fixture.h"

namespace {

namespace fs = std::filesystem;
using V = std::vector<double>;

class ImageFilesTest : public TurtleTest {
protected:
    ImageFilesTest() : dir(fs::temp_directory_path() / ("turtle_files_" + std::to_string(getpid()))) {
        fs::create_directories(dir);
    }
    ~ImageFilesTest() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
};

TEST(FileNames, TheExtensionStartsAtTheLastUsableDot) {
    EXPECT_EQ(turtle::fileExtension("tree.png"), ".png");
    EXPECT_EQ(turtle::fileExtension("tree.old.JPEG"), ".JPEG");
    EXPECT_EQ(turtle::fileExtension("picture.png."), ".png.");
    EXPECT_EQ(turtle::fileExtension(".png"), "");
    EXPECT_EQ(turtle::fileExtension("picture."), "");
    EXPECT_EQ(turtle::fileExtension("picture"), "");
    EXPECT_EQ(turtle::fileExtension("a..png"), ".png");
    EXPECT_EQ(turtle::fileExtension(""), "");
}

TEST(FileNames, APathSplitsIntoFolderNameAndExtension) {
    auto p = turtle::splitPath("/home/ann/pics/Tree.PNG");
    EXPECT_EQ(p.folder, "/home/ann/pics");
    EXPECT_EQ(p.name, "Tree");
    EXPECT_EQ(p.extension, ".PNG");
    p = turtle::splitPath("");
    EXPECT_EQ(p.folder + p.name + p.extension, "");
    p = turtle::splitPath("my.dir/.png");
    EXPECT_EQ(p.folder, "my.dir");
    EXPECT_EQ(p.name, ".png");
    EXPECT_EQ(p.extension, "");
}

TEST(FileNames, OnlyBmpPngAndJpegCanBeSavedAndCaseDoesNotMatter) {
    struct Case {
        const char* path;
        const char* type;
        int quality;
    };
    for (const Case& c : {Case{"a.bmp", "bmp", -1}, Case{"a.PNG", "png", -1}, Case{"x/a.jpg", "jpeg", 80},
                          Case{"drawing.JPEG", "jpeg", 80}, Case{"a.JpG", "jpeg", 80}}) {
        const turtle::SaveFormat* f = turtle::saveFormatFor(c.path);
        ASSERT_NE(f, nullptr) << c.path;
        EXPECT_STREQ(f->pixbufType, c.type);
        EXPECT_EQ(f->quality, c.quality);
    }
    for (const char* bad : {"drawing", "drawing.gif", ".png", "picture.png.", "dir.png/file", "a.png.bak"})
        EXPECT_EQ(turtle::saveFormatFor(bad), nullptr) << bad;
    // The refusals list the table's names, each once: pintaro's raster ones,
    // veskel's all of them.
    EXPECT_STREQ(turtle::UnsupportedFormat().what(), "Please save as BMP, PNG or JPG.");
    EXPECT_EQ(turtle::saveAsMessage(turtle::FormatChoice::WithVectors), "Please save as BMP, PNG, JPG, SVG or PDF.");
}

TEST_F(ImageFilesTest, SavingWritesTheFormatTheNameAsksForAndClearsTheUnsavedFlag) {
    run("100 fd");
    for (const char* name : {"d.png", "d.bmp", "d.jpg", "drawing.JPEG"}) {
        t.unsaved = true;
        turtle::saveImage(t, path(name));
        EXPECT_FALSE(t.unsaved);
        raster::Image back(raster());
        back.loadFromFile(path(name));
        EXPECT_EQ(back.width(), 640);
        EXPECT_EQ(back.height(), 400);
        EXPECT_GT(back.pixel(320, 150).r, 100) << name;
        EXPECT_LT(back.pixel(100, 150).r, 20) << name;
    }
    std::ifstream jpeg(path("drawing.JPEG"), std::ios::binary);
    EXPECT_EQ(jpeg.get(), 0xFF);
    EXPECT_EQ(jpeg.get(), 0xD8);
}

TEST_F(ImageFilesTest, AnUnsupportedNameWritesNothingAndChangesNothing) {
    run("100 fd");
    for (const char* name : {"drawing", "drawing.gif", ".png"}) {
        EXPECT_THROW(turtle::saveImage(t, path(name)), turtle::UnsupportedFormat);
        EXPECT_FALSE(fs::exists(path(name))) << name;
    }
    EXPECT_TRUE(t.unsaved);
}

TEST_F(ImageFilesTest, AFailedWriteKeepsTheDrawingUnsaved) {
    run("100 fd");
    try {
        turtle::saveImage(t, path("no-such-folder/d.png"));
        FAIL();
    } catch (const turtle::UnsupportedFormat&) {
        FAIL() << "not a format problem";
    } catch (const raster::RasterError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_TRUE(t.unsaved);
}

TEST_F(ImageFilesTest, NewGivesATransparentImageOfTheSameSizeAndPutsTheTurtleHome) {
    turtle::resizeImage(t, 800, 600);
    run("5 setpensize 20 setlabelheight 1 2 3 setpc 4 5 6 setbg 9 9 9 3 setpalette pu 45 rt 100 fd ht");
    t.unsaved = true;
    turtle::newImage(t);
    EXPECT_EQ(t.image->width(), 800);
    EXPECT_EQ(t.image->height(), 600);
    EXPECT_EQ(px(0, 0).a, 0);
    EXPECT_EQ(px(400, 300).a, 0);
    EXPECT_EQ(run("pos heading pendown? shown?"), (V{400, 300, 0, 1, 1}));
    EXPECT_EQ(run("pencolor background pensize"), (V{255, 255, 255, 0, 0, 0, 5}));
    EXPECT_EQ(t.canvas().fTextColor, kWhite);
    EXPECT_EQ(t.canvas().fFontSize, 20);
    EXPECT_EQ(run("3 palette"), (V{9, 9, 9}));
    EXPECT_FALSE(t.unsaved);
    // A PNG saved now keeps the transparency.
    turtle::saveImage(t, path("clear.png"));
    raster::Image back(raster());
    back.loadFromFile(path("clear.png"));
    EXPECT_EQ(back.pixel(10, 10).a, 0);
}

TEST_F(ImageFilesTest, OpenTakesTheFilesPixelsAndSizeButNotTheTurtle) {
    raster::Image small(raster());
    small.resize(100, 50);
    small.canvas().fAreaColor = kBlue;
    small.canvas().fill();
    small.saveToPngFile(path("small.png"));
    run("7 setpensize 0 255 0 setpc 10 fd");
    t.unsaved = true;
    turtle::openImage(t, path("small.png"));
    EXPECT_EQ(t.image->width(), 100);
    EXPECT_EQ(t.image->height(), 50);
    EXPECT_EQ(px(99, 49), kBlue);
    EXPECT_EQ(run("pos pensize pencolor"), (V{320, 190, 7, 0, 255, 0}));
    EXPECT_FALSE(t.unsaved);
    run("pu 10 10 setxy pd 50 setx");  // the turtle draws on the loaded picture
    EXPECT_EQ(px(30, 10).g, 255);
}

TEST_F(ImageFilesTest, OpeningANonImageLeavesAFreshStartImageAndReportsTheError) {
    const std::string text = path("notes.png");
    std::ofstream(text) << "these are words, not pixels\n";
    run("7 setpensize 25 setlabelheight 1 2 3 setpc 4 5 6 setbg 90 rt 33 fd");
    turtle::resizeImage(t, 100, 100);
    run("7 setpensize 25 setlabelheight");
    t.unsaved = true;
    try {
        turtle::openImage(t, text);
        FAIL();
    } catch (const raster::RasterError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_EQ(t.image->width(), 640);
    EXPECT_EQ(t.image->height(), 400);
    EXPECT_TRUE(changedBox(kBlack).empty());
    EXPECT_EQ(run("pensize pencolor background"), (V{1, 255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(t.canvas().fFontSize, 15);
    EXPECT_EQ(run("pos heading"), (V{353, 200, 90}));
    EXPECT_FALSE(t.unsaved);
    EXPECT_THROW(turtle::openImage(t, path("missing.png")), raster::RasterError);
    run("10 fd");  // still drawable
    // A file declaring too many pixels is a failed Open like any other.
    turtle::resizeImage(t, 50, 50);
    EXPECT_THROW(turtle::openImage(t, std::string(RASTER_TEST_DATA) + "/huge_header.png"), raster::RasterError);
    EXPECT_EQ(t.image->width(), 640);
    EXPECT_TRUE(changedBox(kBlack).empty());
}

TEST_F(ImageFilesTest, ResizeCentresTheOldPictureOnTheOldBackground) {
    run("255 0 0 setbg clean 0 0 255 setbg 7 setpensize 30 setlabelheight 0 255 0 setpc");
    t.unsaved = false;
    turtle::resizeImage(t, 800, 600);
    EXPECT_EQ(t.image->width(), 800);
    EXPECT_EQ(px(80, 100), kRed);
    EXPECT_EQ(px(719, 499), kRed);
    EXPECT_EQ(px(79, 100), kBlue);
    EXPECT_EQ(px(80, 99), kBlue);
    EXPECT_EQ(px(720, 499), kBlue);
    EXPECT_EQ(px(0, 0), kBlue);
    EXPECT_EQ(run("pensize pencolor background pos"), (V{1, 0, 255, 0, 0, 0, 255, 320, 200}));
    EXPECT_EQ(t.canvas().fFontSize, 15);
    EXPECT_EQ(t.canvas().fTextColor, raster::Color(0, 255, 0, 255));
    EXPECT_FALSE(t.unsaved);
}

TEST_F(ImageFilesTest, ShrinkingCutsTheOddPixelOnTheRightAndBottom) {
    t.canvas().setPixel(0, 0, kRed);
    t.canvas().setPixel(1, 1, kBlue);
    t.canvas().setPixel(638, 398, kRed);
    turtle::resizeImage(t, 639, 399);  // (639 - 640) / 2 = 0: the last column and row go
    EXPECT_EQ(px(0, 0), kRed);
    EXPECT_EQ(px(638, 398), kRed);
    turtle::resizeImage(t, 637, 397);  // (637 - 639) / 2 = -1: one each side
    EXPECT_EQ(px(0, 0), kBlue);
    EXPECT_EQ(px(636, 396), kBlack);
    EXPECT_EQ(px(635, 395), kBlack);
}

TEST_F(ImageFilesTest, ResizeMakesATransparentImageOpaque) {
    turtle::newImage(t);
    run("255 0 0 setbg");
    turtle::resizeImage(t, 640, 400);
    EXPECT_EQ(px(10, 10), kRed);
}

TEST_F(ImageFilesTest, ImpossibleSizesAreRefusedAndTheOldImageStays) {
    run("100 fd");
    for (auto [w, h] : {std::pair{0, 10}, {10, -5}, {2000000000, 2000000000}})
        EXPECT_THROW(turtle::resizeImage(t, w, h), raster::RasterError) << w << "x" << h;
    try {
        turtle::resizeImage(t, 16385, 16384);
        FAIL();
    } catch (const raster::RasterError& e) {
        EXPECT_STREQ(e.what(), "Image is too large: 16385 x 16384 is more than 268435456 pixels.");
    }
    EXPECT_EQ(t.image->width(), 640);
    EXPECT_TRUE(lit(320, 150));
    run("100 fd");
}

}  // namespace
