// The command line read into the scripts to run, in order, and the options.
#include "options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The parse of `args` (after the program name) as one line of text:
// "help", "version", "error: <message>", or each source as "f:path" or
// "e:code", with "trace" first when it was asked for.
std::string parse(std::vector<std::string> args)
{
    std::vector<char*> argv{const_cast<char*>("ostrin")};
    for (std::string& a : args)
        argv.push_back(a.data());
    try {
        const ostrin_options o = ostrin_parse_options(static_cast<int>(argv.size()), argv.data());
        if (o.what == ostrin_options::action::help)
            return "help";
        if (o.what == ostrin_options::action::version)
            return "version";
        std::string out = o.trace ? "trace" : "";
        for (const ostrin_source& s : o.sources)
            out += std::string(out.empty() ? "" : " ") + (s.is_code ? "e:" : "f:") + s.text;
        return out;
    } catch (const ostrin_usage_error& e) {
        return std::string("error: ") + e.what();
    }
}

TEST(Options, ReadInOrderUntilTheEndMarker)
{
    EXPECT_EQ(parse({}), "");
    EXPECT_EQ(parse({"a.js", "-e", "x()", "b.js"}), "f:a.js e:x() f:b.js");
    EXPECT_EQ(parse({"-e", "-e", "-e", "--help"}), "e:-e e:--help") << "-e takes the next argument whatever it is";
    EXPECT_EQ(parse({"a.js", "--trace", "-"}), "trace f:a.js f:-") << "- alone is a file name";
    EXPECT_EQ(parse({"--", "--help", "-e", "--"}), "f:--help f:-e f:--");
    EXPECT_EQ(parse({"a.js", "--version", "--bogus"}), "version");
    EXPECT_EQ(parse({"--help", "-e"}), "help");
    EXPECT_EQ(parse({"a.js", "-e"}), "error: option -e needs the code to run");
    EXPECT_EQ(parse({"a.js", "-x", "--help"}), "error: unknown option -x");
    EXPECT_EQ(parse({"--trace=1"}), "error: unknown option --trace=1");
}

} // namespace
