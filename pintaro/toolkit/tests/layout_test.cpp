// Facts about the layout algorithm, checked on numbers alone.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/layout_algorithm.h"

namespace {

using namespace toolkit::layout;
using toolkit::Layout_Horizontal;
using toolkit::Layout_Vertical;

Axis fixed(int size) { return Axis{SizeMode::Static, size, 0, 0, std::nullopt, 0}; }
Axis autoSized(int natural) { return Axis{SizeMode::Auto, 0, 0, 0, natural, 0}; }
Axis autoWithoutNatural(int min = 0) { return Axis{SizeMode::Auto, 0, min, 0, std::nullopt, 0}; }
Axis fill(int min = 0) { return Axis{SizeMode::Fill, 0, min, 0, std::nullopt, 0}; }
Axis expand(int min = 0) { return Axis{SizeMode::Expand, 0, min, 0, std::nullopt, 0}; }

Child child(Axis x, Axis y) { return Child{true, {x, y}}; }

Box row(int width, int height, Align xAlign = Align::Start, Align yAlign = Align::Start) {
    Box b;
    b.layout = Layout_Horizontal;
    b.align[kX] = xAlign;
    b.align[kY] = yAlign;
    b.inner[kX] = width;
    b.inner[kY] = height;
    return b;
}

Box column(int width, int height, Align xAlign = Align::Start, Align yAlign = Align::Start) {
    Box b = row(width, height, xAlign, yAlign);
    b.layout = Layout_Vertical;
    return b;
}

struct Placed {
    int x, y, w, h;
    friend bool operator==(const Placed&, const Placed&) = default;
};
std::ostream& operator<<(std::ostream& o, const Placed& p) {
    return o << "{x " << p.x << ", y " << p.y << ", w " << p.w << ", h " << p.h << "}";
}

std::vector<Placed> placed(const std::vector<Child>& cs) {
    std::vector<Placed> out;
    for (const Child& c : cs)
        out.push_back({c.axis[kX].position, c.axis[kY].position, c.axis[kX].size, c.axis[kY].size});
    return out;
}

// ---- sharing free space between flexible children ----

TEST(LayoutFlexible, TwoFillChildrenShareOneHundredFreePixelsEqually) {
    // needed = 10 + 10 + 4 (spacing) + 4 (padding) = 28; inner 128 leaves 100.
    std::vector<Child> cs{child(fill(10), fixed(20)), child(fill(10), fixed(20))};
    arrange(row(128, 24), cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{2, 2, 60, 20}, {66, 2, 60, 20}}));
}

TEST(LayoutFlexible, ThreeFillChildrenGetThirtyThreeEachAndOnePixelIsLeft) {
    // needed = 3 * 10 + 2 * 4 + 4 = 42; inner 142 leaves 100.
    std::vector<Child> cs{child(fill(10), fixed(5)), child(fill(10), fixed(5)), child(fill(10), fixed(5))};
    arrange(row(142, 9), cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{2, 2, 43, 5}, {49, 2, 43, 5}, {96, 2, 43, 5}}));
    EXPECT_EQ(cs[2].axis[kX].position + cs[2].axis[kX].size, 139) << "one pixel short of 140";
}

TEST(LayoutFlexible, ExpandAndAutoWithoutNaturalSizeShareLikeFill) {
    std::vector<Child> cs{child(expand(0), fixed(5)), child(autoWithoutNatural(0), fixed(5)),
                          child(fixed(30), fixed(5))};
    arrange(row(4 + 30 + 8 + 100, 9), cs);
    EXPECT_EQ(cs[0].axis[kX].size, 50);
    EXPECT_EQ(cs[1].axis[kX].size, 50);
    EXPECT_EQ(cs[2].axis[kX].position, 2 + 50 + 4 + 50 + 4);
}

TEST(LayoutFlexible, AcrossTheyTakeTheInnerSizeLessBothPaddings) {
    std::vector<Child> cs{child(fixed(10), fill()), child(fixed(10), expand()), child(fixed(10), autoSized(7))};
    arrange(row(100, 50), cs);
    EXPECT_EQ(cs[0].axis[kY].size, 46);
    EXPECT_EQ(cs[1].axis[kY].size, 46);
    EXPECT_EQ(cs[2].axis[kY].size, 7);
}

TEST(LayoutFlexible, NoFreeSpaceLeavesThemAtTheirMinimumAndTheContentScrolls) {
    std::vector<Child> cs{child(fill(40), fixed(10)), child(fixed(50), fixed(10))};
    Result r = arrange(row(60, 14), cs);
    EXPECT_EQ(cs[0].axis[kX].size, 40);
    EXPECT_EQ(cs[1].axis[kX].position, 46);
    EXPECT_EQ(r.scrollable[kX], 2 + 40 + 4 + 50 + 2);
    EXPECT_EQ(r.scrollable[kY], 14) << "the inner size when it is the larger";
}

// ---- alignment along the direction ----

TEST(LayoutAlign, RightPutsAutoChildrenFlushWithTheRightEdgePaddingAway) {
    std::vector<Child> cs{child(autoSized(30), autoSized(10)), child(autoSized(40), autoSized(10))};
    arrange(row(200, 14, Align::End), cs);
    EXPECT_EQ(cs[1].axis[kX].position + cs[1].axis[kX].size, 200 - 2);
    EXPECT_EQ(cs[0].axis[kX].position, 200 - 2 - 40 - 4 - 30);
}

TEST(LayoutAlign, BottomDoesTheSameInAColumn) {
    std::vector<Child> cs{child(fixed(10), fixed(20)), child(fixed(10), fixed(20))};
    arrange(column(14, 100, Align::Start, Align::End), cs);
    EXPECT_EQ(cs[0].axis[kY].position, 100 - 2 - 20 - 4 - 20);
    EXPECT_EQ(cs[1].axis[kY].position, 100 - 2 - 20);
}

TEST(LayoutAlign, RightWithAFlexibleChildKeepsEveryoneInside) {
    std::vector<Child> cs{child(fill(10), fixed(10)), child(fixed(30), fixed(10))};
    arrange(row(200, 14, Align::End), cs);
    EXPECT_EQ(cs[0].axis[kX].position, 2);
    EXPECT_EQ(cs[1].axis[kX].position + cs[1].axis[kX].size, 198);
}

TEST(LayoutAlign, CenterAlongShiftsByHalfTheFreeSpaceRoundedDown) {
    // needed = 20 + 20 + 4 + 4 = 48; inner 101: free 53, half 26.
    std::vector<Child> cs{child(fixed(20), fixed(5)), child(fixed(20), fixed(5))};
    arrange(row(101, 9, Align::Center), cs);
    EXPECT_EQ(cs[0].axis[kX].position, 2 + 26);
    EXPECT_EQ(cs[1].axis[kX].position, 2 + 26 + 24);
}

TEST(LayoutAlign, CenterAlongIsIgnoredWhenAChildIsFlexible) {
    std::vector<Child> cs{child(fill(), fixed(5)), child(fixed(20), fixed(5))};
    arrange(row(100, 9, Align::Center), cs);
    EXPECT_EQ(cs[0].axis[kX].position, 2);
    EXPECT_EQ(cs[0].axis[kX].size, 100 - 4 - 4 - 20);
}

TEST(LayoutAlign, SpreadDistributesTheFreeSpaceBetweenChildren) {
    // needed = 3 * 10 + 2 * 4 + 4 = 42; inner 143 leaves 101, 50 per gap.
    std::vector<Child> cs{child(fixed(10), fixed(5)), child(fixed(10), fixed(5)), child(fixed(10), fixed(5))};
    arrange(row(143, 9, Align::Spread), cs);
    EXPECT_EQ(cs[0].axis[kX].position, 2);
    EXPECT_EQ(cs[1].axis[kX].position, 2 + 10 + 4 + 50);
    EXPECT_EQ(cs[2].axis[kX].position, 2 + 2 * (10 + 4 + 50));
}

TEST(LayoutAlign, SpreadWithAFlexibleChildPacksFromTheStart) {
    std::vector<Child> cs{child(fixed(10), fixed(5)), child(fill(), fixed(5)), child(fixed(10), fixed(5))};
    arrange(row(143, 9, Align::Spread), cs);
    EXPECT_EQ(cs[1].axis[kX].position, 16);
    EXPECT_EQ(cs[1].axis[kX].size, 143 - 4 - 8 - 20);
    EXPECT_EQ(cs[2].axis[kX].position, 143 - 2 - 10);
}

TEST(LayoutAlign, SpreadWithOneChildCentresIt) {
    std::vector<Child> cs{child(fixed(20), fixed(20))};
    arrange(row(100, 60, Align::Spread, Align::Spread), cs);
    // free = 100 - 24 = 76 (38 each side) and 60 - 24 = 36 (18).
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{2 + 38, 2 + 18, 20, 20}}));
}

// ---- one child and the across axis ----

TEST(LayoutOneChild, CenterUsesTheWholeSizeBothWays) {
    std::vector<Child> cs{child(fixed(21), fixed(10))};
    arrange(row(100, 51, Align::Center, Align::Center), cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{(100 - 21) / 2, (51 - 10) / 2, 21, 10}}));
}

TEST(LayoutOneChild, RightAndBottomKeepThePaddingFromTheFarEdges) {
    std::vector<Child> cs{child(fixed(20), fixed(10))};
    arrange(row(100, 50, Align::End, Align::End), cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{100 - 20 - 2, 50 - 10 - 2, 20, 10}}));
}

TEST(LayoutOneChild, AFillChildTakesEverythingButThePadding) {
    std::vector<Child> cs{child(fill(), fill())};
    arrange(row(300, 200, Align::Center, Align::Center), cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{2, 2, 296, 196}}));
}

TEST(LayoutAcross, CenterBottomAndTopPerChild) {
    std::vector<Child> cs{child(fixed(10), fixed(10)), child(fixed(10), fixed(31))};
    Box b = row(100, 60, Align::Start, Align::Center);
    arrange(b, cs);
    EXPECT_EQ(cs[0].axis[kY].position, (60 - 10) / 2);
    EXPECT_EQ(cs[1].axis[kY].position, (60 - 31) / 2);
    b.align[kY] = Align::End;
    arrange(b, cs);
    EXPECT_EQ(cs[0].axis[kY].position, 60 - 10 - 2);
    b.align[kY] = Align::Start;
    arrange(b, cs);
    EXPECT_EQ(cs[1].axis[kY].position, 2);
}

TEST(LayoutAcross, CenterInATooSmallContainerUsesTheNeededSize) {
    // needed across = 40 + 4 = 44 > inner 20, so D = 44.
    std::vector<Child> cs{child(fixed(10), fixed(40)), child(fixed(10), fixed(10))};
    arrange(row(100, 20, Align::Start, Align::Center), cs);
    EXPECT_EQ(cs[0].axis[kY].position, 2);
    EXPECT_EQ(cs[1].axis[kY].position, 17);
}

// ---- clamps, hidden children, empty containers ----

TEST(LayoutClamp, MinimumAndMaximumBoundEveryKindOfChild) {
    Axis staticSmall = fixed(5);
    staticSmall.min = 12;
    Axis autoBig = autoSized(80);
    autoBig.max = 30;
    Axis fillCapped = fill(0);
    fillCapped.max = 25;
    std::vector<Child> cs{child(staticSmall, fixed(5)), child(autoBig, fixed(5)), child(fillCapped, fixed(5))};
    arrange(row(400, 9), cs);
    EXPECT_EQ(cs[0].axis[kX].size, 12);
    EXPECT_EQ(cs[1].axis[kX].size, 30);
    EXPECT_EQ(cs[2].axis[kX].size, 25) << "the capped child does not take the rest";
    EXPECT_EQ(cs[2].axis[kX].position, 2 + 12 + 4 + 30 + 4);
}

TEST(LayoutClamp, AMaximumOfZeroMeansNone) {
    std::vector<Child> cs{child(fill(), fixed(5))};
    arrange(row(400, 9), cs);
    EXPECT_EQ(cs[0].axis[kX].size, 396);
}

TEST(LayoutClamp, ATooSmallContainerNeverGivesANegativeSize) {
    std::vector<Child> cs{child(fixed(5), fill())};
    arrange(row(10, 2), cs);
    EXPECT_EQ(cs[0].axis[kY].size, 0);
}

TEST(LayoutHidden, HiddenChildrenAreNeitherPlacedNorCountedNorSpaced) {
    std::vector<Child> cs{child(fixed(10), fixed(5)), child(fixed(99), fixed(99)), child(fill(), fixed(5))};
    cs[1].visible = false;
    cs[1].axis[kX].position = 777;
    arrange(row(100, 9), cs);
    EXPECT_EQ(cs[1].axis[kX].position, 777);
    EXPECT_EQ(cs[1].axis[kX].size, 99);
    EXPECT_EQ(cs[2].axis[kX].position, 16);
    EXPECT_EQ(cs[2].axis[kX].size, 100 - 4 - 4 - 10);
}

TEST(LayoutEmpty, AnEmptyContainerPlacesNothing) {
    std::vector<Child> none;
    Result r = arrange(row(100, 100), none);
    EXPECT_FALSE(r.placed);
}

TEST(LayoutPaddingSpacing, CustomPaddingAndSpacingAreUsedEverywhere) {
    Box b = column(100, 200);
    b.padding = 10;
    b.spacing = 12;
    std::vector<Child> cs{child(fill(), autoSized(20)), child(autoSized(30), autoSized(20))};
    arrange(b, cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{10, 10, 80, 20}, {10, 42, 30, 20}}));
}

// ---- natural size of a container ----

TEST(LayoutNatural, ARowWantsItsChildrenPlusSpacingAndPadding) {
    Box b = row(0, 0);
    std::vector<Child> cs{child(autoSized(30), autoSized(12)), child(fixed(20), fixed(18))};
    EXPECT_EQ(naturalSize(b, cs, kX, SizeMode::Auto, 0), 2 + 30 + 4 + 20 + 2);
    EXPECT_EQ(naturalSize(b, cs, kY, SizeMode::Auto, 0), 2 + 18 + 2);
}

TEST(LayoutNatural, StaticMeansItsOwnSizeAndExpandMeansNone) {
    Box b = row(0, 0);
    std::vector<Child> cs{child(autoSized(30), autoSized(12))};
    EXPECT_EQ(naturalSize(b, cs, kX, SizeMode::Static, 77), 77);
    EXPECT_EQ(naturalSize(b, cs, kX, SizeMode::Expand, 77), std::nullopt);
}

TEST(LayoutNatural, AnExpandChildTakesAwayTheNaturalSizeOnItsAxisOnly) {
    // An Auto container holding one text box (Expand wide, Auto high).
    Box b = row(0, 0);
    std::vector<Child> cs{child(expand(20), autoSized(25))};
    EXPECT_EQ(naturalSize(b, cs, kX, SizeMode::Auto, 0), std::nullopt);
    EXPECT_EQ(naturalSize(b, cs, kY, SizeMode::Auto, 0), 2 + 25 + 2);
}

TEST(LayoutNatural, NestedExpandPropagatesSoTheParentStretchesTheContainer) {
    Box inner = row(0, 0);
    std::vector<Child> textBoxRow{child(expand(20), autoSized(25))};
    Axis innerX{SizeMode::Auto, 0, 0, 0, naturalSize(inner, textBoxRow, kX, SizeMode::Auto, 0), 0};
    Axis innerY{SizeMode::Auto, 0, 0, 0, naturalSize(inner, textBoxRow, kY, SizeMode::Auto, 0), 0};

    // The parent stretches it like a Fill child...
    std::vector<Child> parent{child(innerX, innerY), child(fixed(50), fixed(10))};
    arrange(row(300, 40), parent);
    EXPECT_EQ(parent[0].axis[kX].size, 300 - 4 - 4 - 50);
    EXPECT_EQ(parent[0].axis[kY].size, 29);
    // ...and the grandparent sees no natural width either.
    EXPECT_EQ(naturalSize(row(0, 0), parent, kX, SizeMode::Auto, 0), std::nullopt);
    EXPECT_EQ(naturalSize(row(0, 0), parent, kY, SizeMode::Auto, 0), 2 + 29 + 2);
}

TEST(LayoutNatural, FillChildrenCountWithTheirNaturalOrMinimumAndHiddenOnesNot) {
    Box b = column(0, 0);
    Axis labelFill{SizeMode::Fill, 0, 0, 0, 40, 0};
    std::vector<Child> cs{child(labelFill, fixed(10)), child(fill(25), fixed(10)), child(fixed(500), fixed(500))};
    cs[2].visible = false;
    EXPECT_EQ(naturalSize(b, cs, kX, SizeMode::Auto, 0), 2 + 40 + 2);
    EXPECT_EQ(naturalSize(b, cs, kY, SizeMode::Auto, 0), 2 + 10 + 4 + 10 + 2);
}

TEST(LayoutNatural, DoesNotDependOnWhereTheLastPassPutTheChildren) {
    Box b = row(500, 100, Align::Center, Align::Center);
    std::vector<Child> cs{child(autoSized(30), autoSized(12))};
    arrange(b, cs);
    ASSERT_GT(cs[0].axis[kX].position, 100);
    EXPECT_EQ(naturalSize(b, cs, kX, SizeMode::Auto, 500), 34);
}

TEST(LayoutNatural, AnAutoContainerAtItsNaturalSizeHasNoFreeSpace) {
    Box b = row(0, 0, Align::End, Align::Center);
    std::vector<Child> cs{child(autoSized(30), autoSized(12)), child(fixed(10), fixed(20))};
    b.inner[kX] = *naturalSize(b, cs, kX, SizeMode::Auto, 0);
    b.inner[kY] = *naturalSize(b, cs, kY, SizeMode::Auto, 0);
    arrange(b, cs);
    EXPECT_EQ(placed(cs), (std::vector<Placed>{{2, 6, 30, 12}, {36, 2, 10, 20}}));
}

}  // namespace
