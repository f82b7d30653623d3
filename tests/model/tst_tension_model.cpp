#include "model/TensionModel.h"
#include <gtest/gtest.h>
TEST(TensionModel, Builds) { model::TensionModel m(model::SortVariant::Calculator); m.BuildSettings(2, "Inner"); EXPECT_EQ(m.Count(), 55); }
