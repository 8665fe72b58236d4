// SPDX-License-Identifier: MIT
// The order of the blocks, which decides what a first click finds: airports
// by importance, each ahead of the lines holding its codes or its city, the
// higher wish granted where two contradict; and the parts it is built on.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "airport_order.h"
#include "importer.h"
#include "key_matcher.h"
#include "wish_graph.h"

namespace {

struct Airport {
  std::string ident;
  std::string type;
  std::string name;
  std::string town;
  std::string iata;
  std::string runwayFt;  // one runway of this length, none when empty
  std::string scheduled = "yes";
};

// The field-1 codes in the order the blocks are written.
std::vector<std::string> writtenOrder(const std::vector<Airport>& airports,
                                      importer::BlockOrder order) {
  std::vector<importer::AirportRow> rows;
  std::vector<importer::RunwayRow> runways;
  for (const Airport& airport : airports) {
    importer::AirportRow row;
    row.id = row.ident = airport.ident;
    row.type = airport.type;
    row.name = airport.name;
    row.municipality = airport.town;
    row.iataCode = airport.iata;
    row.scheduledService = airport.scheduled;
    row.latitudeDeg = row.longitudeDeg = "1";
    row.isoCountry = "XX";
    rows.push_back(row);
    if (airport.runwayFt.empty()) continue;
    importer::RunwayRow runway;
    runway.airportRef = airport.ident;
    runway.lengthFt = airport.runwayFt;
    runway.closed = "0";
    runway.leIdent = "09";
    runway.heIdent = "27";
    runways.push_back(runway);
  }
  const std::map<std::string, std::string> countries;
  auto result = importer::buildDatabase({rows, runways, countries, "a.csv", "r.csv"},
                                        {"large_airport", "medium_airport", "small_airport"});
  importer::orderBlocks(result.blocks, order);
  std::vector<std::string> codes;
  for (const auto& block : result.blocks)
    codes.push_back(block.icao);
  return codes;
}

using Codes = std::vector<std::string>;

TEST(FirstClickOrder, RanksByTypeThenScheduledServiceThenLongestRunway) {
  const std::vector<Airport> airports = {
      {"QSML", "small_airport", "ALPHA FIELD", "ALPHAVILLE", "", "15000"},
      {"QMDA", "medium_airport", "BRAVO FIELD", "BRAVOVILLE", "", "5000"},
      {"QMDB", "medium_airport", "CHARLIE FIELD", "CHARLIEVILLE", "", "9000"},
      {"QMDC", "medium_airport", "DELTA FIELD", "DELTAVILLE", "", "12000", "no"},
      {"QLRG", "large_airport", "ECHO FIELD", "ECHOVILLE", "", ""},
  };
  EXPECT_EQ(writtenOrder(airports, importer::BlockOrder::FirstClick),
            (Codes{"QLRG", "QMDB", "QMDA", "QMDC", "QSML"}));
  EXPECT_EQ(writtenOrder(airports, importer::BlockOrder::Ident),
            (Codes{"QLRG", "QMDA", "QMDB", "QMDC", "QSML"}));
}

TEST(FirstClickOrder, PutsAnAirportAheadOfTheLinesHoldingItsCodeOrCity) {
  const std::vector<Airport> airports = {
      // "WILLIAMS" holds the IATA code of the medium airport below.
      {"KWIL", "large_airport", "WILLIAMS FIELD", "WILLIAMS", "", "14000"},
      {"KXYZ", "large_airport", "NEW LONDON INTERNATIONAL", "NEW LONDON", "", "13000"},
      {"EGLL", "large_airport", "HEATHROW", "LONDON", "LHR", "12000"},
      {"CAMS", "medium_airport", "AMSTEL FIELD", "AMSTEL", "AMS", "3000"},
  };
  EXPECT_EQ(writtenOrder(airports, importer::BlockOrder::FirstClick),
            (Codes{"EGLL", "KXYZ", "CAMS", "KWIL"}));
}

TEST(FirstClickOrder, GrantsTheHigherWishWhereTwoContradict) {
  // QQBB's code is in QQAA's name and QQAA's IATA code in QQBB's name: of
  // two large airports, the ICAO code comes before the IATA code.
  const std::vector<Airport> airports = {
      {"QQAA", "large_airport", "QQBB MEMORIAL", "ATOWN", "ZAP", "13000"},
      {"QQBB", "large_airport", "ZAPPA FIELD", "BTOWN", "", "5000"},
  };
  EXPECT_EQ(writtenOrder(airports, importer::BlockOrder::FirstClick), (Codes{"QQBB", "QQAA"}));
}

TEST(FirstClickOrder, TakesTheWishHeldByFewerLinesFirst) {
  // QMAA's "ORT" is in two lines, QMBB's "XYZ" in one: only one of the two
  // wishes can be granted, and the narrower goes first.
  const std::vector<Airport> airports = {
      {"QMAA", "medium_airport", "XYZ FIELD", "ATOWN", "ORT", "9000"},
      {"QMBB", "medium_airport", "PORTSIDE FIELD", "BTOWN", "XYZ", "5000"},
      {"QMCC", "medium_airport", "NORTH FIELD", "CTOWN", "", "3000"},
  };
  EXPECT_EQ(writtenOrder(airports, importer::BlockOrder::FirstClick),
            (Codes{"QMBB", "QMAA", "QMCC"}));
}

// Brute force: does from lead to to through the edges?
bool reaches(const std::vector<std::set<std::uint32_t>>& edges, std::uint32_t from,
             std::uint32_t to) {
  std::vector<bool> seen(edges.size(), false);
  std::vector<std::uint32_t> stack{from};
  while (!stack.empty()) {
    const std::uint32_t node = stack.back();
    stack.pop_back();
    if (node == to) return true;
    if (seen[node]) continue;
    seen[node] = true;
    stack.insert(stack.end(), edges[node].begin(), edges[node].end());
  }
  return false;
}

TEST(WishGraph, RefusesExactlyTheWishesThatCloseACycleAndOrdersByTheRest) {
  std::mt19937 random(13);
  for (int round = 0; round < 20; ++round) {
    const std::uint32_t nodes = 25;
    importer::WishGraph graph(nodes);
    std::vector<std::set<std::uint32_t>> accepted(nodes);
    std::uniform_int_distribution<std::uint32_t> pick(0, nodes - 1);
    for (int wish = 0; wish < 120; ++wish) {
      const std::uint32_t before = pick(random);
      std::vector<std::uint32_t> after;
      for (std::uint32_t count = 1 + pick(random) % 3; after.size() < count;) {
        const std::uint32_t node = pick(random);
        if (node != before) after.push_back(node);
      }
      const bool closesCycle = std::any_of(after.begin(), after.end(), [&](std::uint32_t node) {
        return reaches(accepted, node, before);
      });
      ASSERT_EQ(graph.accept(before, after), !closesCycle) << "round " << round << " wish " << wish;
      if (!closesCycle) accepted[before].insert(after.begin(), after.end());
    }
    const std::vector<std::uint32_t> order = graph.order();
    std::vector<std::uint32_t> place(nodes, nodes);
    for (std::uint32_t i = 0; i < order.size(); ++i)
      place[order[i]] = i;
    ASSERT_EQ(order.size(), nodes);
    for (std::uint32_t node = 0; node < nodes; ++node) {
      ASSERT_LT(place[node], nodes) << "node " << node << " missing";
      for (const std::uint32_t next : accepted[node])
        EXPECT_LT(place[node], place[next]) << node << " before " << next;
    }
  }
}

TEST(KeyMatcher, FindsWhatASubstringSearchFinds) {
  std::mt19937 random(7);
  const auto text = [&](std::size_t longest) {
    std::string result(random() % (longest + 1), ' ');
    for (char& c : result)
      c = "AB\xC9"[random() % 3];
    return result;
  };
  for (int round = 0; round < 50; ++round) {
    std::vector<std::string> keys;
    keys.reserve(12);
    for (int k = 0; k < 12; ++k)
      keys.push_back(text(4));  // with repeats and the empty key
    const importer::KeyMatcher matcher(keys);
    for (int t = 0; t < 20; ++t) {
      const std::string line = text(20);
      std::vector<std::uint32_t> expected;
      for (std::uint32_t k = 0; k < keys.size(); ++k) {
        if (!keys[k].empty() && line.find(keys[k]) != std::string::npos) expected.push_back(k);
      }
      std::vector<std::uint32_t> found = matcher.keysIn(line);
      std::sort(found.begin(), found.end());
      EXPECT_EQ(found, expected) << "in \"" << line << "\"";
    }
  }
}

}  // namespace
