// SPDX-License-Identifier: MIT
#include "importer.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "city_names.h"
#include "common/form_state.h"
#include "item_limit.h"

namespace importer {
namespace {

std::string warningAt(const std::string& fileName, std::size_t line, const std::string& text) {
  return fileName + ":" + std::to_string(line) + ": " + text;
}

using BlockIndex = std::unordered_map<std::string, std::size_t>;  // airport id -> block
using LineIndex = std::unordered_map<std::string, std::size_t>;   // ident -> row line

// The row's block, when it converts, its ident is new and it fits the item
// limit; what was wrong or left out goes to the summary.
std::optional<AirportBlock> writableBlock(const ImportInput& input, const AirportRow& row,
                                          LineIndex& lineByIdent, ImportSummary& summary) {
  AirportConversion converted = convertAirport(row, input.countryNames);
  if (!converted.problem.empty()) {
    summary.warnings.push_back(warningAt(input.airportsFileName, row.line, converted.problem));
  }
  if (!converted.block) {
    ++summary.airportsSkipped["unusable value"];
    return std::nullopt;
  }
  const std::string& ident =
      converted.block->ident.empty() ? converted.block->icao : converted.block->ident;
  if (const auto first = lineByIdent.find(ident); first != lineByIdent.end()) {
    ++summary.airportsSkipped["ident given twice"];
    summary.warnings.push_back(warningAt(
        input.airportsFileName, row.line,
        "ident " + ident + " already on line " + std::to_string(first->second) + ", row left out"));
    return std::nullopt;
  }
  // Whether the line fits at all; keys are cut to fit once all are in.
  std::string keys = std::move(converted.block->searchKeys);
  converted.block->searchKeys.clear();
  const ItemLimitFit fit = fitItemLimit(*converted.block);
  converted.block->searchKeys = std::move(keys);
  if (!fit.fits) {
    summary.warnings.push_back(warningAt(input.airportsFileName, row.line, fit.warning));
    ++summary.airportsSkipped["airport line too long"];
    return std::nullopt;
  }
  converted.block->rowLine = row.line;
  lineByIdent.emplace(ident, row.line);
  return std::move(converted.block);
}

// The blocks of the airports written, in the order of their rows.
BlockIndex addAirports(const ImportInput& input, const std::set<std::string>& types,
                       ImportResult& result) {
  ImportSummary& summary = result.summary;
  BlockIndex blockById;
  LineIndex lineByIdent;  // of the block written
  for (const AirportRow& row : input.airports) {
    if (row.type == "closed") {
      ++summary.airportsSkipped["closed"];
      continue;
    }
    if (types.count(row.type) == 0) {
      ++summary.airportsSkipped["type not chosen"];
      continue;
    }
    if (blockById.count(row.id) > 0) {
      ++summary.airportsSkipped["id given twice"];
      summary.warnings.push_back(warningAt(input.airportsFileName, row.line,
                                           "id " + row.id + " given twice, row left out"));
      continue;
    }
    std::optional<AirportBlock> block = writableBlock(input, row, lineByIdent, summary);
    if (!block) continue;
    block->type = row.type;
    block->scheduledService = row.scheduledService == "yes";
    blockById.emplace(row.id, result.blocks.size());
    result.blocks.push_back(std::move(*block));
  }
  return blockById;
}

// Each runway row's ends added to its airport's block, up to the limit.
void joinRunways(const ImportInput& input, const BlockIndex& blockById, ImportResult& result) {
  ImportSummary& summary = result.summary;
  for (const RunwayRow& row : input.runways) {
    const auto airport = blockById.find(row.airportRef);
    if (airport == blockById.end()) {
      ++summary.runwaysSkipped["airport not written"];
      continue;
    }
    RunwayConversion converted = convertRunway(row);
    if (!converted.skipReason.empty()) {
      ++summary.runwaysSkipped[converted.skipReason];
      if (converted.skipReason == "length is not a number") {
        summary.warnings.push_back(warningAt(input.runwaysFileName, row.line,
                                             "length \"" + row.lengthFt + "\" is not a number"));
      }
      continue;
    }
    for (const std::string& reason : converted.endSkipReasons)
      ++summary.runwayEndsSkipped[reason];
    std::vector<RunwayEndLine>& runways = result.blocks[airport->second].runways;
    for (RunwayEndLine& end : converted.ends) {
      // The program stores no more runways per airport than this.
      if (runways.size() >= common::kMaxRunways) {
        ++summary.runwayEndsSkipped["more than " + std::to_string(common::kMaxRunways) +
                                    " runway lines for one airport"];
        continue;
      }
      runways.push_back(std::move(end));
    }
  }
}

}  // namespace

const std::vector<std::string>& knownAirportTypes() {
  static const std::vector<std::string> types = {"large_airport", "medium_airport", "small_airport",
                                                 "seaplane_base", "heliport",       "balloonport"};
  return types;
}

const std::set<std::string>& defaultAirportTypes() {
  static const std::set<std::string> types = {"large_airport", "medium_airport", "small_airport",
                                              "seaplane_base"};
  return types;
}

common::Expected<std::set<std::string>> parseAirportTypes(std::string_view list) {
  std::set<std::string> types;
  while (true) {
    const std::size_t comma = list.find(',');
    const std::string type(list.substr(0, comma));
    if (type == "closed") return common::Error{"closed airports are never written"};
    const auto& known = knownAirportTypes();
    if (std::find(known.begin(), known.end(), type) == known.end()) {
      std::string reason = "unknown airport type \"" + type + "\" (known: ";
      for (std::size_t i = 0; i < known.size(); ++i)
        reason += (i > 0 ? ", " : "") + known[i];
      reason += ")";
      return common::Error{reason};
    }
    types.insert(type);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return types;
}

ImportResult buildDatabase(const ImportInput& input, const std::set<std::string>& types) {
  ImportResult result;
  ImportSummary& summary = result.summary;
  summary.airportRows = input.airports.size();
  summary.runwayRows = input.runways.size();

  const BlockIndex blockById = addAirports(input, types, result);
  joinRunways(input, blockById, result);
  if (input.gazetteer != nullptr) addCityNames(result.blocks, *input.gazetteer, metroCodes());
  // Names come last in field 0, the cities' last of all, so they are what a
  // line too long loses first.
  for (AirportBlock& block : result.blocks) {
    const ItemLimitFit fit = fitItemLimit(block);
    if (!fit.warning.empty()) {
      summary.warnings.push_back(warningAt(input.airportsFileName, block.rowLine, fit.warning));
    }
    block.keys = {};  // written into searchKeys; tens of megabytes on a whole-world import
  }

  std::vector<AirportBlock>& blocks = result.blocks;
  std::stable_sort(blocks.begin(), blocks.end(),
                   [](const AirportBlock& a, const AirportBlock& b) { return a.ident < b.ident; });
  summary.airportsWritten = blocks.size();
  for (const AirportBlock& block : blocks)
    summary.runwayLinesWritten += block.runways.size();
  return result;
}

}  // namespace importer
