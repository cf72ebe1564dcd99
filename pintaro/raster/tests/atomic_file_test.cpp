// Facts about replacing a file whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "raster/atomic_file.h"
#include "raster/raster_error.h"

// Every fchmod of this program comes here first, to note the mode the file
// had until then: for a save's temporary file, the mode it was created with,
// which nothing else can see afterwards.
namespace {
mode_t gModeBeforeFchmod = 0;
}
extern "C" int fchmod(int fd, mode_t mode) noexcept {
    struct stat st {};
    if (fstat(fd, &st) == 0) gModeBeforeFchmod = st.st_mode & 07777;
    return static_cast<int>(syscall(SYS_fchmod, fd, mode));
}

namespace {

namespace fs = std::filesystem;
using raster::FileOutput;
using raster::RasterError;

class AtomicFileTest : public testing::Test {
protected:
    AtomicFileTest() : dir(fs::temp_directory_path() / ("atomic_file_" + std::to_string(getpid()))) {
        fs::create_directories(dir);
    }
    ~AtomicFileTest() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Everything in the folder: no temporary file may be left behind.
    std::string listing() const {
        std::string names;
        for (const auto& e : fs::directory_iterator(dir)) names += e.path().filename().string() + " ";
        return names;
    }
    static auto bytes(std::string text) {
        return [text](FileOutput& out) { out.write(text.data(), text.size()); };
    }

    fs::path dir;
};

TEST_F(AtomicFileTest, AFailedWriterLeavesTheOldFileAndNothingElse) {
    const std::string file = path("pic.png");
    raster::writeFileAtomically(file, bytes("old picture"));
    chmod(file.c_str(), 0604);
    try {
        raster::writeFileAtomically(file, [](FileOutput& out) {
            out.write("half a", 6);
            throw RasterError("encoder gave up");
        });
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "encoder gave up");
    }
    EXPECT_EQ(contents(file), "old picture");
    EXPECT_EQ(listing(), "pic.png ");
    // A writer that succeeds replaces the bytes and keeps the mode bits.
    raster::writeFileAtomically(file, bytes("new"));
    EXPECT_EQ(contents(file), "new");
    struct stat st {};
    stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(listing(), "pic.png ");
}

TEST_F(AtomicFileTest, OutputFailuresAreNamedAndADanglingLinkGetsItsTarget) {
    // A writer stopping because its output failed reports the output's reason.
    const std::string full = path("full.png");
    fs::create_symlink("/dev/full", full);
    try {
        raster::writeFileAtomically(full, [](FileOutput& out) {
            if (!out.write("x", 1)) throw RasterError("the writer's own words");
        });
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to write “" + full + "”: No space left on device");
    }
    EXPECT_TRUE(fs::is_symlink(full));
    // Saving through a link whose target does not exist yet creates it.
    const std::string link = path("link.png");
    fs::create_symlink("made.png", link);
    raster::writeFileAtomically(link, bytes("made"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(path("made.png")), "made");
    try {
        raster::writeFileAtomically(path("no-such-folder/x.png"), bytes("x"));
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Failed to open “" + path("no-such-folder/x.png") + "” for writing: No such file or directory");
    }
}

volatile std::sig_atomic_t gCaught = 0;
void noteSignal(int) { gCaught = 1; }

TEST_F(AtomicFileTest, TheTemporaryFileHasTheFinalModeAndGoesOnASignalThatEnds) {
    const std::string file = path("pic.png");
    raster::writeFileAtomically(file, bytes("old picture"));
    chmod(file.c_str(), 0600);
    // A private file is never readable by others while it is written.
    const mode_t umaskBefore = umask(022);
    raster::writeFileAtomically(file, bytes("private"));
    umask(umaskBefore);
    EXPECT_EQ(gModeBeforeFchmod, 0600u);
    // Interrupted, terminated or hung up during the save, the program ends
    // by that signal, with the old file whole and nothing beside it.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(raster::writeFileAtomically(file,
                                                 [signal](FileOutput& out) {
                                                     out.write("half a", 6);
                                                     raise(signal);
                                                 }),
                    testing::KilledBySignal(signal), "")
            << strsignal(signal);
        EXPECT_EQ(contents(file), "private");
        EXPECT_EQ(listing(), "pic.png ");
    }
    // A signal the program catches is its own business: the save goes on.
    struct sigaction catcher {}, before {};
    catcher.sa_handler = noteSignal;
    sigemptyset(&catcher.sa_mask);
    sigaction(SIGINT, &catcher, &before);
    raster::writeFileAtomically(file, [](FileOutput& out) {
        out.write("caught", 6);
        raise(SIGINT);
    });
    sigaction(SIGINT, &before, nullptr);
    EXPECT_EQ(gCaught, 1);
    EXPECT_EQ(contents(file), "caught");
    EXPECT_EQ(listing(), "pic.png ");
}

}  // namespace
