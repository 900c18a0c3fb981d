#include "cli/json_output.h"

#include <QJsonDocument>

namespace kestrova::cli {

std::string JsonLine(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

}  // namespace kestrova::cli
