// SPDX-License-Identifier: MIT
#include "importer.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "airport_order.h"
#include "city_names.h"
#include "item_limit.h"
#include "lookup/database_format.h"

namespace importer {
namespace {

constexpr std::size_t kWarningsKept = 100;

std::string warningAt(const std::string& fileName, std::size_t line, const std::string& text) {
  return fileName + ":" + std::to_string(line) + ": " + text;
}

}  // namespace

DatabaseBuilder::DatabaseBuilder(const std::map<std::string, std::string>& countryNames,
                                 std::set<std::string> types, std::string airportsFileName,
                                 std::string runwaysFileName, const Gazetteer* gazetteer)
    : m_countryNames(countryNames),
      m_types(std::move(types)),
      m_airportsFileName(std::move(airportsFileName)),
      m_runwaysFileName(std::move(runwaysFileName)),
      m_gazetteer(gazetteer) {}

void DatabaseBuilder::warn(const std::string& fileName, std::size_t line, const std::string& text) {
  // Counted all, kept only so many: a file of bad rows must not fill the memory.
  ++m_result.summary.warningCount;
  if (m_result.summary.warnings.size() < kWarningsKept) {
    m_result.summary.warnings.push_back(warningAt(fileName, line, text));
  }
}

std::optional<AirportBlock> DatabaseBuilder::writableBlock(const AirportRow& row) {
  ImportSummary& summary = m_result.summary;
  AirportConversion converted = convertAirport(row, m_countryNames);
  if (!converted.problem.empty()) warn(m_airportsFileName, row.line, converted.problem);
  if (!converted.block) {
    ++summary.airportsSkipped["unusable value"];
    return std::nullopt;
  }
  const std::string& ident =
      converted.block->ident.empty() ? converted.block->icao : converted.block->ident;
  if (const auto first = m_lineByIdent.find(ident); first != m_lineByIdent.end()) {
    ++summary.airportsSkipped["ident given twice"];
    warn(m_airportsFileName, row.line,
         "ident " + ident + " already on line " + std::to_string(first->second) + ", row left out");
    return std::nullopt;
  }
  // Whether the line fits at all; keys are cut to fit once all are in.
  std::string keys = std::move(converted.block->searchKeys);
  converted.block->searchKeys.clear();
  const ItemLimitFit fit = fitItemLimit(*converted.block);
  converted.block->searchKeys = std::move(keys);
  if (!fit.fits) {
    warn(m_airportsFileName, row.line, fit.warning);
    ++summary.airportsSkipped["airport line too long"];
    return std::nullopt;
  }
  converted.block->rowLine = row.line;
  m_lineByIdent.emplace(ident, row.line);
  return std::move(converted.block);
}

void DatabaseBuilder::addAirport(const AirportRow& row) {
  ImportSummary& summary = m_result.summary;
  ++summary.airportRows;
  if (row.type == "closed") {
    ++summary.airportsSkipped["closed"];
    return;
  }
  if (m_types.count(row.type) == 0) {
    ++summary.airportsSkipped["type not chosen"];
    return;
  }
  if (m_blockById.count(row.id) > 0) {
    ++summary.airportsSkipped["id given twice"];
    warn(m_airportsFileName, row.line, "id " + row.id + " given twice, row left out");
    return;
  }
  std::optional<AirportBlock> block = writableBlock(row);
  if (!block) return;
  block->type = row.type;
  block->scheduledService = row.scheduledService == "yes";
  m_blockById.emplace(row.id, m_result.blocks.size());
  m_result.blocks.push_back(std::move(*block));
}

void DatabaseBuilder::addRunway(const RunwayRow& row) {
  ImportSummary& summary = m_result.summary;
  ++summary.runwayRows;
  const auto airport = m_blockById.find(row.airportRef);
  if (airport == m_blockById.end()) {
    ++summary.runwaysSkipped["airport not written"];
    return;
  }
  RunwayConversion converted = convertRunway(row);
  if (!converted.skipReason.empty()) {
    ++summary.runwaysSkipped[converted.skipReason];
    if (!converted.warning.empty()) warn(m_runwaysFileName, row.line, converted.warning);
    return;
  }
  for (const std::string& reason : converted.endSkipReasons)
    ++summary.runwayEndsSkipped[reason];
  std::vector<RunwayEndLine>& runways = m_result.blocks[airport->second].runways;
  for (RunwayEndLine& end : converted.ends) {
    // The program stores no more runways per airport than this.
    if (runways.size() >= lookup::format::kMaxRunways) {
      ++summary.runwayEndsSkipped["more than " + std::to_string(lookup::format::kMaxRunways) +
                                  " runway lines for one airport"];
      continue;
    }
    runways.push_back(std::move(end));
  }
}

ImportResult DatabaseBuilder::finish() {
  std::vector<AirportBlock>& blocks = m_result.blocks;
  if (m_gazetteer != nullptr) addCityNames(blocks, *m_gazetteer, metroCodes());
  // Names come last in field 0, the cities' last of all, so they are what a
  // line too long loses first.
  for (AirportBlock& block : blocks) {
    const ItemLimitFit fit = fitItemLimit(block);
    if (!fit.warning.empty()) warn(m_airportsFileName, block.rowLine, fit.warning);
    block.keys = {};  // written into searchKeys; tens of megabytes on a whole-world import
  }
  sortByIdent(blocks);
  m_result.summary.airportsWritten = blocks.size();
  for (const AirportBlock& block : blocks)
    m_result.summary.runwayLinesWritten += block.runways.size();
  m_blockById.clear();
  m_lineByIdent.clear();
  return std::move(m_result);
}

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
  DatabaseBuilder builder(input.countryNames, types, input.airportsFileName, input.runwaysFileName,
                          input.gazetteer);
  for (const AirportRow& row : input.airports)
    builder.addAirport(row);
  for (const RunwayRow& row : input.runways)
    builder.addRunway(row);
  return builder.finish();
}

}  // namespace importer
