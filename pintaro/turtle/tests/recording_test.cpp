// The record of a drawing: drawn again it gives the very same pixels, from
// the start or from where its current picture begins, across an opened
// image and a resize; written as SVG and PDF it rasterises to the same
// picture as the image itself.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image_compare.h"
#include "turtle/image_files.h"
#include "raster/recording.h"
#include "turtle_fixture.h"
#include "raster/vector_file.h"

namespace {

namespace fs = std::filesystem;

class RecordingTest : public TurtleTest {
protected:
    RecordingTest() : dir(fs::temp_directory_path() / ("turtle_recording_" + std::to_string(getpid()))) {
        fs::create_directories(dir);
        recorder.attach(*t.image);
    }
    ~RecordingTest() override { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    // A new image with the ops from `first` on drawn again.
    std::unique_ptr<raster::Image> replayed(std::size_t first) const {
        auto image = std::make_unique<raster::Image>(raster());
        const auto& ops = recorder.operations();
        const raster::CurrentPicture p = raster::currentPicture(ops);
        if (first > 0) image->resize(p.width, p.height);
        for (std::size_t i = first; i < ops.size(); ++i) raster::replay(ops[i], *image);
        return image;
    }

    // A vector file as other programs rasterise it (rasterise.sh).
    std::unique_ptr<raster::Image> rasterised(const std::string& file) const {
        const std::string command = std::string(RASTERISE_SCRIPT) + " " + path(file) + " " + path("r.png");
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        auto image = std::make_unique<raster::Image>(raster());
        image->loadFromFile(path("r.png"));
        return image;
    }

    void expectSamePixels(const raster::Image& a, const raster::Image& b, int tolerance, double share,
                          const char* what) const {
        ASSERT_EQ(a.width(), b.width()) << what;
        ASSERT_EQ(a.height(), b.height()) << what;
        const raster::ImageDifference d = raster::compareImages(a, b, tolerance);
        EXPECT_GE(d.share(), share) << what << ": " << d.differing << " pixels differ, the first at " << d.firstX
                                    << "," << d.firstY;
    }

    fs::path dir;
    raster::Recorder recorder;
};

// Every kind of operation, an opened picture of another size, a resize.
TEST_F(RecordingTest, DrawnAgainTheRecordGivesTheSamePixelsAndItsFilesTheSamePicture) {
    run("#red setpc 100 fd 90 rt 3 setpensize 100 fd #forest setpc 8 setpensize 90 rt 80 fd");
    run("40 20 ellipse #yellow setbg 30 15 fillellipse 5 palette setpc 'Hello label");
    // A picture of its own size, opened under the drawing.
    raster::Image other(raster());
    other.resize(300, 180);
    other.canvas().fAreaColor = kBlue;
    other.canvas().fill();
    other.canvas().fLineColor = kWhite;
    other.canvas().fLineWidth = 5;
    other.canvas().drawLine(0, 0, 300, 180);
    other.save(path("opened.png"), "png");
    turtle::openImage(t, path("opened.png"));
    run("1 setpensize 0 0 setxy 150 90 setxy 30 50 ellipse 28 setlabelheight #salmon setpc 'Opened label");
    turtle::resizeImage(t, 420, 260);  // a new image object, the old picture centred
    run("2 setpensize #aqua setpc 200 200 setxy 60 30 ellipse 12 setlabelheight 'and_resized label");
    // Outside the image nothing is recorded, and nothing breaks.
    run("-5000 -5000 setxy 0 0 ellipse 10 0 ellipse");

    const auto& ops = recorder.operations();
    const raster::CurrentPicture picture = raster::currentPicture(ops);
    EXPECT_EQ(picture.width, 420);
    EXPECT_EQ(picture.height, 260);
    // The resize's fill of the whole new image covers all that came before.
    ASSERT_TRUE(std::holds_alternative<raster::RectangleOp>(ops[picture.first]));
    expectSamePixels(*replayed(0), *t.image, 0, 1.0, "replayed from the start");
    expectSamePixels(*replayed(picture.first), *t.image, 0, 1.0, "replayed from the current picture");

    // The resized picture is embedded under the vectors drawn on it.
    raster::writeVectorFile(raster(), ops, path("d.svg"), raster::VectorFormat::Svg);
    raster::writeVectorFile(raster(), ops, path("d.pdf"), raster::VectorFormat::Pdf);
    std::ifstream svgFile(path("d.svg"));
    std::stringstream svg;
    svg << svgFile.rdbuf();
    EXPECT_NE(svg.str().find("<image"), std::string::npos);
    EXPECT_NE(svg.str().find("width=\"420px\" height=\"260px\""), std::string::npos);
    // Within the tolerances of the program test of veskel's files.
    expectSamePixels(*rasterised("d.svg"), *t.image, 16, 0.995, "SVG");
    expectSamePixels(*rasterised("d.pdf"), *t.image, 32, 0.995, "PDF");
}

TEST_F(RecordingTest, ARecordStartsFromTheImageAsItWasFound) {
    // One opaque colour: a fill, not a picture.
    auto kinds = [&] {
        std::string s;
        for (const raster::DrawingOp& op : recorder.operations()) s += "LRETPXN"[op.index()];
        return s;
    };
    EXPECT_EQ(kinds(), "NR");
    EXPECT_EQ(recorder.startCount(), 2u);
    // A transparent image (New): nothing to draw.
    turtle::newImage(t);
    recorder.attach(*t.image);
    EXPECT_EQ(kinds(), "N");
    // Anything else: a copy of its pixels, which later drawing leaves alone.
    run("100 fd");
    recorder.attach(*t.image);
    EXPECT_EQ(kinds(), "NP");
    run("#red setpc 90 rt 100 fd");
    const auto& start = std::get<raster::PictureOp>(recorder.operations()[1]);
    EXPECT_EQ(start.picture->pixel(370, 100), raster::Color(0, 0, 0, 0));
    EXPECT_EQ(kinds(), "NPL");
}

}  // namespace
