// Facts about replacing a file whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "atomic_file.h"
#include "toolkit_error.h"

namespace {

namespace fs = std::filesystem;
using toolkit::FileOutput;
using toolkit::ToolkitError;

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
    toolkit::writeFileAtomically(file, bytes("old picture"));
    chmod(file.c_str(), 0604);
    try {
        toolkit::writeFileAtomically(file, [](FileOutput& out) {
            out.write("half a", 6);
            throw ToolkitError("encoder gave up");
        });
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_STREQ(e.what(), "encoder gave up");
    }
    EXPECT_EQ(contents(file), "old picture");
    EXPECT_EQ(listing(), "pic.png ");
    // A writer that succeeds replaces the bytes and keeps the mode bits.
    toolkit::writeFileAtomically(file, bytes("new"));
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
        toolkit::writeFileAtomically(full, [](FileOutput& out) {
            if (!out.write("x", 1)) throw ToolkitError("the writer's own words");
        });
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to write “" + full + "”: No space left on device");
    }
    EXPECT_TRUE(fs::is_symlink(full));
    // Saving through a link whose target does not exist yet creates it.
    const std::string link = path("link.png");
    fs::create_symlink("made.png", link);
    toolkit::writeFileAtomically(link, bytes("made"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(path("made.png")), "made");
    try {
        toolkit::writeFileAtomically(path("no-such-folder/x.png"), bytes("x"));
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Failed to open “" + path("no-such-folder/x.png") + "” for writing: No such file or directory");
    }
}

}  // namespace
