#include <gtest/gtest.h>
#include "interp.h"
TEST(Interp, Smoke) {
    auto in = forth::makeCoreInterp();
    in->runLine("1 2 +");
    EXPECT_EQ(in->pop(), 3.0);
}
