// SPDX-License-Identifier: MIT
#include "navcalc/distance.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navcalc/point_marks.h"

namespace {

using common::ControlId;
using navcalc::distanceKm;

TEST(Distance, MilanToRomeInKmAndNauticalMiles) {
  const float km = distanceKm(45.5, 9.25, 41.8, 12.25);
  EXPECT_EQ(km, 476.91290283203125f);
  EXPECT_EQ(navcalc::distanceLine("LIMC", "LIRF", km),
            "LIMC==>LIRF 476.9129 Km. /  257.513891013184 Mn");
}

TEST(Distance, IsSymmetric) {
  EXPECT_EQ(distanceKm(40.64, -73.78, 51.47, -0.46), distanceKm(51.47, -0.46, 40.64, -73.78));
}

TEST(Distance, TakesTheShortWayAcrossTheDateLine) {
  const float across = distanceKm(10, 179, 10, -179);
  EXPECT_NEAR(across, 219.0, 0.5);
  EXPECT_EQ(across, distanceKm(10, -1, 10, 1));
}

TEST(Distance, MatchesKnownCityPairs) {
  // New York JFK to London Heathrow, about 5540 km on this sphere.
  EXPECT_NEAR(distanceKm(40.639751, -73.778925, 51.4706, -0.461941), 5540, 10);
  // One degree of latitude is 6371 * pi / 180 km.
  EXPECT_NEAR(distanceKm(0, 0, 1, 0), 111.19, 0.01);
  // A quarter of the circumference from the equator to the pole.
  EXPECT_NEAR(distanceKm(0, 20, 90, 20), 10007.5, 0.1);
}

TEST(Distance, CoincidingAndOppositePointsGiveFiniteDistances) {
  EXPECT_EQ(distanceKm(41.8, 12.25, 41.8, 12.25), 0.0f);
  EXPECT_EQ(distanceKm(0, 0, 0, 0), 0.0f);
  EXPECT_NEAR(distanceKm(0, 0, 0, 180), 20015.1, 0.1);
  EXPECT_NEAR(distanceKm(90, 0, -90, 0), 20015.1, 0.1);
  EXPECT_EQ(navcalc::distanceLine("A", "A", 0.0f), "A==>A 0 Km. /  0 Mn");
}

TEST(Distance, ShowsSubKilometreFiguresWithoutLeadingZero) {
  const float km = distanceKm(45.5, 9.25, 45.501, 9.25);
  EXPECT_EQ(navcalc::distanceLine("A", "B", km).substr(0, 14), "A==>B .1111949");
}

TEST(Calculate, WritesTheLineAndClearsBothPoints) {
  navcalc::PointState state;
  common::WindowModel window;
  state.departureIcao = "LIMC";
  state.destinationIcao = "LIRF";
  state.departureLat = 45.5;
  state.departureLon = 9.25;
  state.destinationLat = 41.8;
  state.destinationLon = 12.25;
  state.currentLat = 41.8;
  state.currentLon = 12.25;
  window.setVisible(ControlId::Label18, false);
  navcalc::calculateDistance(state, window);
  EXPECT_EQ(window.text(ControlId::Label18), "LIMC==>LIRF 476.9129 Km. /  257.513891013184 Mn");
  EXPECT_TRUE(window.visible(ControlId::Label18));
  EXPECT_FALSE(window.visible(ControlId::Command3));
  EXPECT_EQ(state.distanceKm, 476.91290283203125f);
  EXPECT_EQ(state.departureLat, 0);
  EXPECT_EQ(state.destinationLon, 0);
  EXPECT_EQ(state.currentLat, 0);
  EXPECT_TRUE(state.departureIcao.empty());
  EXPECT_TRUE(state.destinationIcao.empty());
}

TEST(MarkPoint, FillsTheDepartureOnlyWhileUnset) {
  navcalc::PointState state;
  common::WindowModel window;
  navcalc::offerPointButton(state, window);
  ASSERT_EQ(window.text(ControlId::Command2), "SET P");
  state.currentLat = 10;
  state.currentLon = 20;
  navcalc::markPoint(state, "AAAA", window);
  EXPECT_FALSE(window.visible(ControlId::Command2));
  EXPECT_TRUE(window.visible(ControlId::Command3));  // untouched by "SET P"
  EXPECT_EQ(state.departureIcao, "AAAA");
  EXPECT_EQ(state.destinationIcao, "AAAA");

  window.setVisible(ControlId::Command3, false);
  navcalc::offerPointButton(state, window);
  ASSERT_EQ(window.text(ControlId::Command2), "SET D");
  state.currentLat = -30;
  state.currentLon = -40;
  navcalc::markPoint(state, "BBBB", window);
  EXPECT_TRUE(window.visible(ControlId::Command3));
  EXPECT_EQ(state.departureIcao, "AAAA");
  EXPECT_EQ(state.departureLat, 10);
  EXPECT_EQ(state.departureLon, 20);
  EXPECT_EQ(state.destinationIcao, "BBBB");
  EXPECT_EQ(state.destinationLat, -30);
  EXPECT_EQ(state.destinationLon, -40);
}

}  // namespace
