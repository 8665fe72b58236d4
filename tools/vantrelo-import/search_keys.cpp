// SPDX-License-Identifier: MIT
#include "search_keys.h"

#include <algorithm>
#include <unordered_set>

#include "text_folding.h"

namespace importer {
namespace {

// Upper-case database text: A-Z, a digit, or a letter beyond ASCII.

bool heldBy(const std::string& key, const std::vector<std::string>& texts) {
  return std::any_of(texts.begin(), texts.end(), [&key](const std::string& text) {
    return text.size() > key.size() && text.find(key) != std::string::npos;
  });
}

}  // namespace

void addNameVariants(KeyList& keys, const std::string& name) {
  for (std::string& variant : spellingVariants(name))
    keys.names.push_back(std::move(variant));
}

std::string searchKeysText(const KeyList& keys, const std::vector<std::string>& shownFields) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> kept;
  for (const std::string& code : keys.codes) {
    if (hasLetterOrDigit(code) && seen.insert(code).second) kept.push_back(code);
  }
  std::vector<std::string> names;
  for (const std::string& name : keys.names) {
    if (hasLetterOrDigit(name) && seen.insert(name).second) names.push_back(name);
  }
  for (const std::string& name : names) {
    const bool shown = std::find(shownFields.begin(), shownFields.end(), name) != shownFields.end();
    if (!shown && !heldBy(name, names) && !heldBy(name, shownFields)) kept.push_back(name);
  }
  std::string text;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) text += ' ';
    text += kept[i];
  }
  return text;
}

}  // namespace importer
