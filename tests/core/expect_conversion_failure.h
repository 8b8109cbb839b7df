// Checks that a call raises a ConversionFailure of the expected kind.
#pragma once

#include <gtest/gtest.h>

#include "conversion.h"

namespace zentavo::testing_support {

template <typename Call>
void ExpectConversionFailure(Call call, ConversionFailure::Kind kind) {
  try {
    call();
    ADD_FAILURE() << "no failure raised";
  } catch (const ConversionFailure& failure) {
    EXPECT_EQ(failure.kind(), kind);
  }
}

}  // namespace zentavo::testing_support
