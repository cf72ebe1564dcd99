// The message box's size and place, the resize dialog's fields, the window
// title rule and the About text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/file_commands.h"
#include "app/message_box.h"
#include "app/resize_dialog.h"

using app::messageBoxGeometry;

TEST(MessageBoxGeometry, AShortMessageStillLeavesRoomForThreeButtons) {
    const app::BoxGeometry g = messageBoxGeometry(50, 20, 30, 0, 0, 1000, 1000);
    EXPECT_EQ(g.width, 3 * 100 + 65);
    EXPECT_EQ(g.height, 20 + 30 + 70);
}

TEST(MessageBoxGeometry, TheMessageWidthPlusMarginWinsUpTo600) {
    EXPECT_EQ(messageBoxGeometry(400, 20, 30, 0, 0, 0, 0).width, 440);
    EXPECT_EQ(messageBoxGeometry(5000, 20, 30, 0, 0, 0, 0).width, 600);
}

TEST(MessageBoxGeometry, AMessageOfManyLinesCountsAtMost300OfTheHeight) {
    EXPECT_EQ(messageBoxGeometry(50, 299, 30, 0, 0, 0, 0).height, 299 + 30 + 70);
    EXPECT_EQ(messageBoxGeometry(50, 2000, 30, 0, 0, 0, 0).height, 300 + 30 + 70);
}

TEST(MessageBoxGeometry, TheBoxIsCentredOnItsParentTruncatingTowardZero) {
    const app::BoxGeometry g = messageBoxGeometry(50, 20, 30, 100, 50, 854, 480);
    EXPECT_EQ(g.x, 100 + (854 - 365) / 2);
    EXPECT_EQ(g.y, 50 + (480 - 120) / 2);
    // A parent smaller than the box: the offset is negative and truncates
    // toward zero, (200 - 365) / 2 = -82.
    EXPECT_EQ(messageBoxGeometry(50, 20, 30, 0, 0, 200, 100).x, -82);
}

TEST(ResizeFields, AnIntegerIsAnOptionalSignThenDigits) {
    EXPECT_EQ(app::parseDecimalInteger("800"), 800);
    EXPECT_EQ(app::parseDecimalInteger("+42"), 42);
    EXPECT_EQ(app::parseDecimalInteger("-7"), -7);
    EXPECT_EQ(app::parseDecimalInteger("007"), 7);
    EXPECT_EQ(app::parseDecimalInteger("-9223372036854775808"), INT64_MIN);
}

TEST(ResizeFields, AnythingElseIsReportedWithTheText) {
    for (const char* bad : {"", "+", "-", "12a", "8.0", " 8", "8 ", "1e3", "0x10", "--1", "9223372036854775808"}) {
        try {
            app::parseDecimalInteger(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const app::SizeInputError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("invalid integer: ") + bad);
        }
    }
}

TEST(ResizeFields, ASizeMustBeAtLeastOneAndFitAnImage) {
    EXPECT_EQ(app::parseImageSize("800", "600"), std::make_pair(800, 600));
    EXPECT_EQ(app::parseImageSize("1", "1"), std::make_pair(1, 1));
    auto message = [](const char* w, const char* h) {
        try {
            app::parseImageSize(w, h);
        } catch (const app::SizeInputError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("0", "600"), "Invalid image size 0 x 600.");
    EXPECT_EQ(message("800", "-5"), "Invalid image size 800 x -5.");
    EXPECT_EQ(message("3000000000", "2"), "Invalid image size 3000000000 x 2.");
    EXPECT_EQ(message("wide", "-5"), "invalid integer: wide") << "the first bad field is named";
    EXPECT_EQ(message("5", "tall"), "invalid integer: tall");
}

TEST(WindowTitle, IsTheProgramAloneOrTheFileNameFirst) {
    EXPECT_EQ(app::windowTitleFor(""), "Pintaro");
    EXPECT_EQ(app::windowTitleFor("/home/ann/pictures/tree.png"), "tree.png | Pintaro");
    EXPECT_EQ(app::windowTitleFor("tree.png"), "tree.png | Pintaro");
    EXPECT_EQ(app::windowTitleFor("/tmp/Tree.PNG"), "Tree.PNG | Pintaro") << "as typed";
    EXPECT_EQ(app::windowTitleFor("/tmp/drawing.JPEG"), "drawing.JPEG | Pintaro");
}

TEST(AboutText, HasFiveLinesWithAnEmptyFourth) {
    std::vector<std::string> lines;
    std::istringstream in(app::kAboutText);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Pintaro version 1.0.2 beta");
    EXPECT_TRUE(lines[3].empty());
    for (int i : {0, 1, 2, 4}) EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(std::string(app::kWelcomeText), "Welcome to " + lines[0]);
}
