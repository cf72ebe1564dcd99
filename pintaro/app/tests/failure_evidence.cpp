#include "failure_evidence.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "program_driver.h"

namespace driver {
namespace {

std::string (*gProgramStderr)() = nullptr;

// Takes the evidence at the first failed assertion of a test: later
// failures mostly follow from the first, and by the end of the test the
// screen no longer shows what went wrong.
class EvidenceListener : public testing::EmptyTestEventListener {
    // "Suite.Test" while a test runs. Kept from OnTestStart: gtest holds
    // its lock while it reports a result, so asking it for the current
    // test from OnTestPartResult would never return.
    std::string test_;
    bool taken_ = false;

    void OnTestStart(const testing::TestInfo& info) override {
        test_ = std::string(info.test_suite_name()) + "." + info.name();
        taken_ = false;
    }
    void OnTestEnd(const testing::TestInfo&) override { test_.clear(); }

    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (!result.failed() || taken_ || test_.empty()) return;
        taken_ = true;
        namespace fs = std::filesystem;
        const fs::path folder = evidenceFolder();
        std::error_code ignored;
        fs::create_directories(folder, ignored);
        const std::string stem = (folder / test_).string();

        const std::string screen = stem + ".screen.png";
        fs::remove(screen, ignored);
        shell("import -window root '" + screen + "' 2>/dev/null");
        std::cout << "  screen at the failure: "
                  << (fs::exists(screen) ? screen : "none (the X screen could not be read)") << "\n";

        const std::string from = gProgramStderr ? gProgramStderr() : std::string();
        const std::string copy = stem + ".stderr.txt";
        fs::remove(copy, ignored);
        if (!from.empty() && fs::exists(from)) fs::copy_file(from, copy, ignored);
        std::cout << "  pintaro's standard error: "
                  << (fs::exists(copy) ? copy : "none (no program was running)") << "\n"
                  << std::flush;
    }
};

}  // namespace

std::string evidenceFolder() {
    if (const char* set = std::getenv("TEST_EVIDENCE_DIR"); set && *set) return set;
    return TEST_LOG_DIR;
}

void keepEvidenceOfFailures(std::string (*programStderr)()) {
    static bool listening = false;
    gProgramStderr = programStderr;
    if (listening) return;
    listening = true;
    // Appended after gtest's printer, so the lines follow its message.
    testing::UnitTest::GetInstance()->listeners().Append(new EvidenceListener);
}

}  // namespace driver
