// The fixture of the tests that drive the real program: a folder of its own
// for every test (kept when the test fails, with the screen and pintaro's
// standard error at the failure beside the test log), the program started in it, and
// the steps a user takes through its windows, each waiting for what it leads
// to before it returns or fails.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "failure_evidence.h"
#include "toolkit/gtk_loader.h"
#include "poll.h"
#include "program_driver.h"

class ProgramTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        toolkit::loadGtk();
        driver::keepEvidenceOfFailures(
            [] { return runningDir.empty() ? std::string() : driver::programStderr(runningDir); });
    }

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("pintaro-" + std::string(info->test_suite_name()) + "-" + std::to_string(getpid())) / info->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        runningDir = dir.string();
    }
    void TearDown() override {
        program.reset();
        runningDir.clear();
        if (HasFailure()) return;
        std::filesystem::remove_all(dir);
        // The suite's folder goes with its last test, unless a failed test
        // left its folder there.
        std::error_code notEmpty;
        std::filesystem::remove(dir.parent_path(), notEmpty);
    }

    driver::Program& start() {
        program = std::make_unique<driver::Program>(dir.string());
        return *program;
    }
    // Started with arguments; its main window's title matches `mainTitle`.
    driver::Program& start(std::vector<std::string> args, const std::string& mainTitle) {
        program.reset();  // a program still running would pass for the new one
        program = std::make_unique<driver::Program>(dir.string(), std::move(args), mainTitle);
        return *program;
    }

    // Windows titled "Pintaro" besides the main window: an alert or a question.
    std::vector<std::string> boxes() const {
        std::vector<std::string> ids;
        for (const auto& id : driver::visibleWindows("^Pintaro$"))
            if (id != program->mainWindow()) ids.push_back(id);
        return ids;
    }
    testing::AssertionResult boxShows() const {
        return poll::until("a box titled Pintaro", [&] { return boxes(); },
                           [](const auto& ids) { return !ids.empty(); });
    }
    // Answers the box once it shows, with keys (Return presses its focused
    // button), and waits until it has gone.
    void answerBox(const std::string& keys) {
        ASSERT_TRUE(boxShows());
        program->keysTo(boxes().front(), keys);
        ASSERT_TRUE(poll::until("the box to close after " + keys, [&] { return boxes(); },
                                [](const auto& ids) { return ids.empty(); }));
    }
    testing::AssertionResult titleIs(const std::string& title) const {
        return poll::untilEqual("the main window's title", [&] { return program->title(); }, title);
    }
    static testing::AssertionResult windowShows(const std::string& title, bool shows = true) {
        return poll::until(std::string(shows ? "a window" : "no window") + " titled " + title,
                           [&] { return driver::visibleWindows("^" + title + "$"); },
                           [&](const auto& ids) { return ids.empty() != shows; });
    }

    // Runs a file dialog with the given title: types the name of a file in
    // the test's folder and accepts.
    void chooseFile(const std::string& dialogTitle, const std::string& name, bool locationField) {
        ASSERT_TRUE(windowShows(dialogTitle));
        ASSERT_TRUE(program->chooseFile(dialogTitle, name, locationField));
    }
    void saveAs(const std::string& name) {
        program->chord({"Control_L", "s"});
        chooseFile("Save image", name, false);
    }
    void openFile(const std::string& name) {
        program->chord({"Control_L", "o"});
        chooseFile("Open image", name, true);
    }
    // Saves under a new name and reads the file back once the title says
    // it was written; null when it cannot be read.
    std::unique_ptr<raster::Image> saveAndRead(const std::string& name) {
        saveAs(name);
        EXPECT_TRUE(titleIs(name + " | Pintaro"));
        return driver::tryLoadPicture((dir / name).string());
    }

    // From the command line, Tab walks round to the toolbar: New, Open,
    // Save, Resize, Console. Types the size into the Resize dialog and
    // accepts it. A dialog that still shows (input it refused keeps it
    // open) is closed first: pressing Resize on it makes the program fill
    // in the current size and focus the width field, which nothing on the
    // screen announces, so keys typed at once could be handled before and
    // then overwritten. A dialog that appears has been filled.
    void resizeTo(const std::string& width, const std::string& height) {
        if (const auto shown = driver::visibleWindows("^Resize image$"); !shown.empty()) {
            driver::requestClose(shown.front());
            ASSERT_TRUE(windowShows("Resize image", false));
        }
        program->keysTo(program->mainWindow(), "key ctrl+l key Tab Tab Tab Tab Return");
        ASSERT_TRUE(windowShows("Resize image"));
        program->keysTo(driver::visibleWindows("^Resize image$").front(), "key ctrl+a");
        program->type(width);
        program->keys("key Tab");
        program->type(height);
        program->keys("key Tab Return");
    }
    // The same for a size that is taken: waits until the dialog has gone
    // and puts the keyboard focus back on the command line.
    void resize(const std::string& width, const std::string& height) {
        resizeTo(width, height);
        ASSERT_TRUE(windowShows("Resize image", false));
        program->keysTo(program->mainWindow(), "key ctrl+l");
    }
    // The "Console" button; its window's id goes to `console`.
    void openConsole() {
        program->keysTo(program->mainWindow(), "key ctrl+l key Tab Tab Tab Tab Tab Return");
        ASSERT_TRUE(windowShows("Forth console"));
        console = driver::visibleWindows("^Forth console$").front();
    }

    std::filesystem::path dir;
    std::unique_ptr<driver::Program> program;
    // The current test's folder, for the evidence of a failure.
    static inline std::string runningDir;
    std::string console;
};
