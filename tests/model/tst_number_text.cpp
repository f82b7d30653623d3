#include "model/NumberText.h"
#include <gtest/gtest.h>
TEST(NumberText, Fixed) { EXPECT_EQ(model::FormatFixed(13.715, 1), "13.7"); }
