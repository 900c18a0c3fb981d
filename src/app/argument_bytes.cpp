#include "app/argument_bytes.h"

namespace kestrova::app {

std::string ArgumentBytes(int argc, char* argv[], const QString& argument) {
  for (int i = 1; i < argc; ++i) {
    if (QString::fromLocal8Bit(argv[i]) == argument) return argv[i];
  }
  return argument.toStdString();
}

}  // namespace kestrova::app
