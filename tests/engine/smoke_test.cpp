#include <gtest/gtest.h>
#include "engine.h"

TEST(EngineLinks, StateStartsAtZero) {
  for (double v : VariableTable) EXPECT_EQ(v, 0.0);
  EXPECT_FALSE(OverflowFlag);
}
