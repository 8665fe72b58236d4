// SPDX-License-Identifier: MIT
#include "lookup/airport_search.h"

#include <optional>
#include <string>

#include "common/messages.h"
#include "common/text1252.h"
#include "lookup/coordinate.h"
#include "lookup/result_display.h"
#include "lookup/runway_table.h"

namespace lookup {

using common::ControlId;

namespace {

FoundAirport decodeMatch(std::string_view item, common::FormState& state) {
  FoundAirport found;
  found.record = *splitAirportLine(item);  // the scan accepts splittable items only
  if (found.record.heading3 == "--") found.record.heading3.clear();
  const auto latitude = decodeCoordinate(found.record.latitudeField, CoordinateKind::Latitude);
  const auto longitude = decodeCoordinate(found.record.longitudeField, CoordinateKind::Longitude);
  found.latitudeText = latitude.text;
  state.currentLat = latitude.degrees;
  found.longitudeText = longitude.text;
  state.currentLon = longitude.degrees;
  return found;
}

// A read that failed while searching ends the search without a result, also
// when the airport line was read but its runways were not. The database is
// closed: the next search opens it again and reads from the start.
bool reportReadFailure(SearchContext& context) {
  const std::optional<common::Error> failure = context.database.readError();
  if (!failure) return false;
  context.state.runwayCount = 0;
  context.database.close();
  if (context.reportFileFailure) {
    context.reportFileFailure(common::FileOperation::Read, context.database.displayName(),
                              *failure);
  }
  return true;
}

}  // namespace

void searchAirport(SearchContext& context, SearchRun run) {
  common::FormState& state = context.state;
  common::WindowModel& window = context.window;

  state.runwayCount = 0;
  window.setVisible(ControlId::Frame1, true);
  const std::string searchText = common::toUpper1252(window.text(ControlId::Text1));
  window.setText(ControlId::Text1, searchText);

  std::string matchedItem;
  const std::size_t matchPosition =
      context.database.scanFor(searchText, isSplittableAirportLine, matchedItem);
  readRunwayBlock(context.database, state);
  if (reportReadFailure(context)) return;

  std::optional<FoundAirport> found;
  if (matchPosition > 0) {
    found = decodeMatch(matchedItem, state);
    showAirport(*found, state, window);
  }

  if (context.database.atEnd()) {
    if (auto failure = context.database.open()) {
      // The database stays closed; the next search tries to open it again.
      if (context.reportFileFailure) {
        context.reportFileFailure(common::FileOperation::Open, context.database.displayName(),
                                  *failure);
      }
      // Nothing was searched after the end: "not found" would be untrue.
      if (!found) return;
    } else if (!found && run == SearchRun::Ordinary) {
      searchAirport(context, SearchRun::Restarted);
      return;
    }
  }

  if (!found) {
    if (context.reportNotFound) context.reportNotFound(searchText);
    return;
  }
  if (context.finishShownAirport) context.finishShownAirport(*found);
}

}  // namespace lookup
