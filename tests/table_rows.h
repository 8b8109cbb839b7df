// Helpers for table-driven tests whose rows carry a unique `name`.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace zentavo::testing_support {

template <typename Row>
concept NamedRow = requires(const Row& row) {
  std::string(row.name);
};

// Names each generated test after its row.
struct RowName {
  template <NamedRow Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return std::string(info.param.name);
  }
};

}  // namespace zentavo::testing_support

namespace zentavo {
// Found by argument-dependent lookup for rows declared in zentavo's namespaces, so gtest prints
// a row's name rather than its bytes.
template <testing_support::NamedRow Row>
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}
}  // namespace zentavo
