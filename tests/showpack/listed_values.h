// That a problem carries only the values the table of problem codes lists
// for it (and for its fault), so that a page can rely on the list.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "showpack/problem_codes.h"

namespace showsaver::showpack {

inline const ProblemCode* listed_code(std::string_view code) {
  for (const ProblemCode& entry : problem_codes()) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

inline void expect_listed_values(const std::string& code,
                                 const std::map<std::string, std::string>& values) {
  const ProblemCode* entry = listed_code(code);
  ASSERT_NE(entry, nullptr) << code << " is not in the table";
  auto names = entry->value_names();
  if (const auto fault = values.find("fault"); fault != values.end()) {
    const ProblemCode* fault_entry = listed_code(fault->second);
    ASSERT_NE(fault_entry, nullptr) << fault->second << " is not in the table";
    EXPECT_NE(fault_entry->kind, ProblemKind::Finding) << fault->second;
    const auto more = fault_entry->value_names();
    names.insert(names.end(), more.begin(), more.end());
  }
  for (const auto& [key, value] : values) {
    EXPECT_NE(std::find(names.begin(), names.end(), key), names.end())
        << code << " carries " << key << ", which the table does not list";
  }
}

}  // namespace showsaver::showpack
