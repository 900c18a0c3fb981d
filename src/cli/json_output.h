#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrova::cli {

// The "schema" field of each JSON output: its name and version. A change of
// the fields an output has bumps its version (and the README's description).
inline constexpr const char* kInfoSchema = "kestrova-info/1";
inline constexpr const char* kListSchema = "kestrova-list/1";
inline constexpr const char* kDiffSchema = "kestrova-diff/2";
inline constexpr const char* kCheckSchema = "kestrova-check/1";

// One JSON value, already written out in the compact form the tool's
// outputs have always had: an object's fields in the order of their keys
// (byte order), no spaces, text as UTF-8 with only the quote, the backslash
// and control characters escaped (\b \t \n \f \r, else \u00xx), and each
// byte that is not part of well-formed UTF-8 written as U+FFFD.
class Json {
 public:
  using Field = std::pair<std::string_view, Json>;

  static Json Number(std::int64_t value);
  static Json Bool(bool value);
  static Json Text(std::string_view utf8);
  static Json Null();
  static Json Object(std::vector<Field> fields);
  static Json Array(const std::vector<Json>& elements);

  const std::string& Written() const { return written_; }

 private:
  explicit Json(std::string written) : written_(std::move(written)) {}
  std::string written_;
};

// One JSON document on one line, with its line end.
std::string JsonLine(const Json& value);

}  // namespace kestrova::cli
