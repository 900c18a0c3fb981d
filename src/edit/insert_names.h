#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace kestrova {

// The insertion tag an Insert menu name gives: the leaf's caption ("Tree",
// "Cave Main With Space"), any case, or where one caption names two objects
// with its submenus in their order ("Double Cliff/Left Edge with Jumping
// Soldiers").
Result<int> FindInsertionTag(const std::string& name);

// The shortest such name that gives `tag` back: its caption, or the caption
// after the nearest submenu that tells it apart. Empty for a tag no leaf has.
std::string InsertionName(int tag);

// Lower case, ASCII only.
std::string LowerText(std::string text);
// The words of a text, split at blanks.
std::vector<std::string> TextWords(const std::string& text);
// Words first..last joined by single blanks.
std::string JoinedWords(const std::vector<std::string>& words, std::size_t first, std::size_t last);

}  // namespace kestrova
