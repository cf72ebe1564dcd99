// Which files the console's editor can take, and what it says about the rest.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/script_file.h"

using app::readScriptFile;
namespace fs = std::filesystem;

namespace {
class ScriptFile : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("script-file-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    std::string errorOf(const std::string& path) {
        try {
            readScriptFile(path);
        } catch (const app::ScriptFileError& e) {
            return e.what();
        }
        return "no error";
    }
    fs::path dir;
};
}  // namespace

TEST_F(ScriptFile, TheWholeFileComesBackByteForByte) {
    std::string big(200000, 'x');
    big += "\r\nend";
    EXPECT_EQ(readScriptFile(write("big.fs", big)), big);
    EXPECT_EQ(readScriptFile(write("empty.fs", "")), "");
}

TEST_F(ScriptFile, EachFailureNamesThePath) {
    const std::string missing = (dir / "missing.fs").string();
    EXPECT_EQ(errorOf(missing), "cannot open: " + missing);
    EXPECT_EQ(errorOf(dir.string()), "cannot read: " + dir.string());
    const std::string latin1 = write("latin1.fs", "'caf\xE9 ..");
    EXPECT_EQ(errorOf(latin1), "not a UTF-8 text file: " + latin1);
    const std::string binary = write("picture.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    EXPECT_EQ(errorOf(binary), "not a UTF-8 text file: " + binary);
}
