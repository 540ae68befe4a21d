#include "toml_error_text.h"

namespace showsaver::showpack {
namespace {

struct Restatement {
  std::string_view parser_says;  // a part of the parser's description
  std::string_view plain;
};

// The first match wins: the more particular reports come first.
constexpr Restatement kRestatements[] = {
    {"control character",
     "a text value is not closed on its line, or holds a control character: close it with \" "
     "before the end of the line, and write a tab or line break as \\t or \\n"},
    {"utf-8", "the file is not UTF-8 text here: save the manifest as UTF-8"},
    {"nested value depth", "lists are nested too deeply here ([ inside [ inside [ ...)"},
    {"expected bare key starting character",
     "a key or table name is missing or starts with a character no key starts with: keys are "
     "letters, digits, '_' and '-', as in [show], [[scene]] or display_time"},
    {"blank bare keys", "a table name is empty: the headers are [show] and [[scene]]"},
    {"expected digit, saw",
     "a number is followed by a character that is not part of it: put text in double quotes"},
    {"unescaped unicode surrogates",
     "a text value holds half of a UTF-16 pair; save the file as UTF-8"},
    {"unknown escape sequence",
     "a backslash in a text value starts an escape TOML does not know: write \\\\ for a "
     "backslash, or put a path in single quotes, as 'C:\\photos\\a.jpg'"},
    {"encountered end-of-file",
     "the file ends inside a value: a text value, list or [table] header is not closed"},
    {"cannot redefine existing",
     "a key or table is given twice; a key appears once in its table, and each scene starts "
     "with [[scene]] (two brackets)"},
    {"expected '=', saw", "a key is not followed by '=' and its value, as in display_time = 5000"},
    {"expected ']', saw", "a table header is not closed: write [show] or [[scene]]"},
    {"expected comma or closing",
     "a list's items are not separated by commas or the list is not closed"},
    {"leading zeroes", "a number starts with 0: write 5, not 05"},
    {"underscores", "an underscore in a number must stand between two digits"},
    {"expected value, saw",
     "the value after '=' is missing or is no value: write a number, true or false, or text in "
     "double quotes"},
    {"could not determine value type",
     "the value after '=' is neither a number, true or false, nor text in double quotes; put "
     "text in quotes"},
    {"expected a comment or whitespace",
     "something follows the value on the same line: give each key = value a line of its own"},
    {"expected value-terminator",
     "something follows the value on the same line: give each key = value a line of its own"},
    {"expected keys, tables, whitespace or comments",
     "this line is not a key = value, a [table] header or a # comment"},
};

}  // namespace

std::string plain_toml_error(std::string_view description) {
  for (const Restatement& restatement : kRestatements) {
    if (description.find(restatement.parser_says) != std::string_view::npos) {
      return std::string(restatement.plain);
    }
  }
  return "this is not valid TOML: check the quotes, the brackets and the '=' between each key "
         "and its value";
}

}  // namespace showsaver::showpack
