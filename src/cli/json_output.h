#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <string>

#include "qtio/qt_strings.h"

namespace kestrova::cli {

// The "schema" field of each JSON output: its name and version. A change of
// the fields an output has bumps its version (and the README's description).
inline constexpr const char* kInfoSchema = "kestrova-info/1";
inline constexpr const char* kListSchema = "kestrova-list/1";
inline constexpr const char* kDiffSchema = "kestrova-diff/2";
inline constexpr const char* kCheckSchema = "kestrova-check/1";

// One JSON document on one line, with its line end.
std::string JsonLine(const QJsonObject& object);

}  // namespace kestrova::cli
