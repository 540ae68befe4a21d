// A fault as showpack prints it, in English, with a stable code and the
// values its wording takes, so that the studio words it in the page's own
// language.
#pragma once

#include <map>
#include <string>

#include "problem_codes.h"

namespace showsaver::showpack {

struct WordedFault {
  std::string code;                           // "windows-character"
  std::map<std::string, std::string> values;  // {"character": "?"}
  std::string text;                           // showpack's English
};

// The fault `problem` with its values, worded from them and `parts`.
WordedFault worded_fault(Problem problem, ProblemValues values = {},
                         const ProblemValues& parts = {});

}  // namespace showsaver::showpack
