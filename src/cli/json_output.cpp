#include "cli/json_output.h"

#include <algorithm>

#include "base/utf8.h"

namespace kestrova::cli {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendEscaped(std::string& out, char c) {
  constexpr char kHex[] = "0123456789abcdef";
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\r':
      out += "\\r";
      return;
    default:
      break;
  }
  if (static_cast<unsigned char>(c) < 0x20) {
    out += "\\u00";
    out += kHex[(c >> 4) & 0xF];
    out += kHex[c & 0xF];
    return;
  }
  out += c;
}

}  // namespace

Json Json::Number(std::int64_t value) { return Json(std::to_string(value)); }

Json Json::Bool(bool value) { return Json(value ? "true" : "false"); }

Json Json::Null() { return Json("null"); }

Json Json::Text(std::string_view utf8) {
  // A byte order mark that starts the text is dropped, as the text has
  // always been read as UTF-8.
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());
  std::string out = "\"";
  out.reserve(utf8.size() + 2);
  while (!utf8.empty()) {
    const std::size_t length = Utf8SequenceLength(utf8);
    if (length == 0) {
      out += kReplacementCharacter;
      utf8.remove_prefix(1);
      continue;
    }
    if (length == 1) {
      AppendEscaped(out, utf8[0]);
    } else {
      out += utf8.substr(0, length);
    }
    utf8.remove_prefix(length);
  }
  out += '"';
  return Json(std::move(out));
}

Json Json::Object(std::vector<Field> fields) {
  std::sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.first < b.first; });
  std::string out = "{";
  for (const Field& field : fields) {
    if (out.size() > 1) out += ',';
    out += Text(field.first).Written();
    out += ':';
    out += field.second.Written();
  }
  out += '}';
  return Json(std::move(out));
}

Json Json::Array(const std::vector<Json>& elements) {
  std::string out = "[";
  for (const Json& element : elements) {
    if (out.size() > 1) out += ',';
    out += element.Written();
  }
  out += ']';
  return Json(std::move(out));
}

std::string JsonLine(const Json& value) { return value.Written() + "\n"; }

}  // namespace kestrova::cli
