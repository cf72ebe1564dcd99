// Loading script files: every byte arrives, and a file that cannot be read
// is reported and leaves the value stack alone.
#include "engine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class ScriptFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("ostrin-read-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_ / "locked.js", fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }
    std::string write(const std::string& name, const std::string& bytes)
    {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    // What ostrin_read_file pushed, as bytes.
    static std::string pushed(duk_context* ctx)
    {
        duk_size_t len = 0;
        const char* s = duk_get_lstring(ctx, -1, &len);
        return std::string(s, len);
    }
    fs::path dir_;
    engine js;
};

TEST_F(ScriptFile, IsLoadedByteForByte)
{
    std::string text = "var a = 1;\n";
    text += "var s = \"x\0y\"; // \0 in a comment\n"s;  // NUL bytes
    text += "var long = \"" + std::string(100000, 'z') + "\";\n";  // far past any line buffer
    text += "var u = \"\xc3\xa9\xe2\x82\xac\";\n";                  // UTF-8 text
    text += "// no newline at the end";
    std::string path = write("bytes.js", text);

    ASSERT_TRUE(ostrin_read_file(js.ctx, path.c_str()));
    EXPECT_EQ(duk_get_top(js.ctx), 1);
    EXPECT_EQ(pushed(js.ctx), text);
}

TEST_F(ScriptFile, RunsWithTheNulAndTheLongLineIntact)
{
    std::string text = "var s = \"x\0y\"; // \0 in a comment\n"s + "var long = \"" +
                       std::string(70000, 'q') + "\";\n";
    std::string path = write("run.js", text);
    ASSERT_TRUE(ostrin_read_file(js.ctx, path.c_str()));
    duk_push_string(js.ctx, path.c_str());
    ASSERT_EQ(duk_pcompile(js.ctx, 0), 0) << duk_safe_to_string(js.ctx, -1);
    ASSERT_EQ(duk_pcall(js.ctx, 0), 0) << duk_safe_to_string(js.ctx, -1);
    duk_pop(js.ctx);
    EXPECT_EQ(js.eval("s.length + ' ' + s.charCodeAt(1) + ' ' + long.length"), "3 0 70000");
}

TEST_F(ScriptFile, EmptyFileIsAnEmptyScript)
{
    std::string path = write("empty.js", "");
    ASSERT_TRUE(ostrin_read_file(js.ctx, path.c_str()));
    EXPECT_EQ(pushed(js.ctx), "");
}

TEST_F(ScriptFile, UnreadablePathsAreReportedAndPushNothing)
{
    std::string missing = (dir_ / "missing.js").string();
    std::string directory = dir_.string();
    std::string read_error = "/proc/self/mem";  // opens, but reading at 0 fails
    for (const std::string& path : {missing, directory, read_error}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(ostrin_read_file(js.ctx, path.c_str()));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't open file " + path + "\n");
        EXPECT_EQ(duk_get_top(js.ctx), 0);
    }
}

TEST_F(ScriptFile, FileWithoutReadPermissionIsReported)
{
    std::string path = write("locked.js", "var a = 1;");
    chmod(path.c_str(), 0);
    if (access(path.c_str(), R_OK) == 0)
        GTEST_SKIP() << "this user reads files whatever their permissions";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ostrin_read_file(js.ctx, path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't open file " + path + "\n");
}

TEST_F(ScriptFile, PathIsPrintedExactlyAsGiven)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ostrin_read_file(js.ctx, "./no/such dir/%s.js"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Can't open file ./no/such dir/%s.js\n");
}

} // namespace
