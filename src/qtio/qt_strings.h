#pragma once

#include <QString>

#include <string_view>

namespace kestrova {

// The core's texts are UTF-8; every Qt-side library turns them into a
// QString through this one helper.
inline QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace kestrova
