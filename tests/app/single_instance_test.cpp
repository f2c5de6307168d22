#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane {
namespace {

TEST(InstanceMark, TheFirstHolderIsAloneUntilItEnds) {
  constexpr char kName[] = "Local\\Corvane.InstanceMarkTest";
  auto first = std::make_unique<InstanceMark>(kName);
  EXPECT_FALSE(first->PreviousInstance());
  {
    const InstanceMark second(kName);
    EXPECT_TRUE(second.PreviousInstance());
    // A later start that found the first does not disturb it when it ends.
  }
  EXPECT_TRUE(InstanceMark(kName).PreviousInstance());
  first.reset();
  EXPECT_FALSE(InstanceMark(kName).PreviousInstance());
  EXPECT_FALSE(InstanceMark("Local\\Corvane.InstanceMarkTest.Other").PreviousInstance());
}

}  // namespace
}  // namespace corvane
