#pragma once

#include <QString>

#include <string>

namespace kestrova::app {

// The bytes the system passed for an argument that Qt has read as text. Qt
// turns bytes that are not UTF-8 into other characters, so a name is looked
// up again among the raw arguments (those left after Qt took its own) and
// handed on exactly as given; the Editor refuses one that is not UTF-8.
std::string ArgumentBytes(int argc, char* argv[], const QString& argument);

}  // namespace kestrova::app
