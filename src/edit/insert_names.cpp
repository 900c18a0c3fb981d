#include "edit/insert_names.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "edit/ground_menu.h"
#include "edit/insertion.h"

namespace kestrova {

namespace {

struct Leaf {
  int tag;
  std::vector<std::string> path;  // submenu captions, then the leaf's caption, as the menu shows them
};

std::vector<Leaf> InsertLeaves() {
  std::vector<Leaf> leaves;
  std::vector<std::string> submenus;
  for (const InsertNode& node : kInsertTree) {
    submenus.resize(static_cast<std::size_t>(node.depth - 1));
    if (node.tag == kSubmenu) {
      submenus.push_back(std::string(node.caption));
      continue;
    }
    Leaf leaf{node.tag, submenus};
    leaf.path.push_back(std::string(InsertionCaption(node.tag)));
    leaves.push_back(std::move(leaf));
  }
  return leaves;
}

const std::vector<Leaf>& Leaves() {
  static const std::vector<Leaf> leaves = InsertLeaves();
  return leaves;
}

std::vector<std::string> PathOf(const std::string& name) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(name);
  while (std::getline(in, part, '/')) {
    const std::vector<std::string> words = TextWords(part);
    parts.push_back(LowerText(JoinedWords(words, 0, words.size())));
  }
  return parts;
}

// True when the path ends with the wanted leaf and holds the wanted
// submenus in their order ("Double Cliff/Left Edge with Jumping Soldiers").
bool Names(const std::vector<std::string>& path, const std::vector<std::string>& wanted) {
  if (wanted.empty() || LowerText(path.back()) != wanted.back()) return false;
  std::size_t next = 0;
  for (std::size_t i = 0; i + 1 < wanted.size(); ++i) {
    while (next + 1 < path.size() && LowerText(path[next]) != wanted[i]) ++next;
    if (next + 1 >= path.size()) return false;
    ++next;
  }
  return true;
}

// A short name of the leaf that names its tag alone: its caption with the
// nearest submenu that tells it apart, or its whole path.
std::string NamingPath(const Leaf& leaf, const std::vector<Leaf>& leaves) {
  std::vector<std::vector<std::string>> candidates{{leaf.path.back()}};
  for (std::size_t i = leaf.path.size() - 1; i-- > 0;) candidates.push_back({leaf.path[i], leaf.path.back()});
  candidates.push_back(leaf.path);
  for (const std::vector<std::string>& candidate : candidates) {
    std::vector<std::string> wanted;
    for (const std::string& part : candidate) wanted.push_back(LowerText(part));
    const bool alone = std::all_of(leaves.begin(), leaves.end(), [&](const Leaf& other) {
      return other.tag == leaf.tag || !Names(other.path, wanted);
    });
    if (!alone) continue;
    std::string text;
    for (const std::string& part : candidate) text += (text.empty() ? "" : "/") + part;
    return text;
  }
  return leaf.path.back();
}

}  // namespace

std::string LowerText(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> TextWords(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string JoinedWords(const std::vector<std::string>& words, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i < last; ++i) text += (i == first ? "" : " ") + words[i];
  return text;
}

Result<int> FindInsertionTag(const std::string& name) {
  const std::vector<std::string> wanted = PathOf(name);
  std::vector<const Leaf*> found;
  for (const Leaf& leaf : Leaves()) {
    if (Names(leaf.path, wanted)) found.push_back(&leaf);
  }
  if (found.empty()) return Error{"'" + name + "' is not in the Insert menu"};
  const bool oneTag =
      std::all_of(found.begin(), found.end(), [&](const Leaf* leaf) { return leaf->tag == found[0]->tag; });
  if (oneTag) return found[0]->tag;
  std::string choices;
  for (const Leaf* leaf : found) {
    const std::string path = NamingPath(*leaf, Leaves());
    if (choices.find(path) == std::string::npos) choices += (choices.empty() ? "" : " or ") + ("'" + path + "'");
  }
  return Error{"'" + name + "' names more than one object: " + choices};
}

std::string InsertionName(int tag) {
  for (const Leaf& leaf : Leaves()) {
    if (leaf.tag == tag) return NamingPath(leaf, Leaves());
  }
  return {};
}

}  // namespace kestrova
