#pragma once

#include <string>

#include "cli/json_output.h"
#include "game/game_diff.h"

namespace kestrova::cli {

// The differences of two games as `kestrova diff` prints them: one line
// each, or "the same game"; or as its JSON object.
std::string DiffText(const GameDiff& diff);
Json DiffJson(const GameDiff& diff, const std::string& a, const std::string& b);

}  // namespace kestrova::cli
