#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Searches the bundled database through the headless driver, as a user would
# in the window: what a typed text reaches, and a distance between two
# airports. Each search reads on from where the last one stopped, so a check
# clicks several times and looks for its airport among the results.
# usage: driver_search.sh DRIVER DATABASE CHECK
set -euo pipefail
driver=$1 database=$2 check=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$database" "$work/airports.txt"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the driver commands of standard input in the work folder.
drive() { (cd "$work" && "$driver"); }

# The text of a control in driver output: "Label2<TAB>1<TAB>-<TAB>KJFK".
control() { awk -F'\t' -v name="$1" '$1 == name { print $4 }'; }

# Types TEXT and clicks search CLICKS times; prints the ICAO code shown
# after each click.
codes_reached() {
  local text=$1 clicks=$2
  {
    echo "type $text"
    for ((i = 0; i < clicks; i++)); do
      echo "click Command1"
      echo "show Label2"
    done
  } | drive | control Label2
}

# TEXT reaches CODE within CLICKS searches.
expect_reached() {
  local text=$1 code=$2 clicks=$3 found
  found=$(codes_reached "$text" "$clicks")
  grep -qx "$code" <<<"$found" ||
    fail "\"$text\" does not reach $code in $clicks searches; it shows: $(tr '\n' ' ' <<<"$found")"
  echo "\"$text\" reaches $code at search $(grep -nx "$code" <<<"$found" | head -1 | cut -d: -f1)"
}

# The first search for TEXT shows LABEL with exactly VALUE.
expect_label() {
  local text=$1 label=$2 value=$3 shown
  shown=$(printf 'type %s\nclick Command1\nshow %s\n' "$text" "$label" | drive | control "$label")
  [ "$shown" = "$value" ] || fail "after \"$text\", $label shows \"$shown\", expected \"$value\""
}

case $check in
  kjfk)
    expect_label kjfk Label2 KJFK
    expect_label kjfk Label4 "JOHN F KENNEDY INTERNATIONAL AIRPORT"
    expect_label kjfk Label14 "NEW YORK"
    expect_label kjfk Label16 "UNITED STATES"
    expect_label kjfk Label17 "JFK"
    expect_label kjfk Label6 " 8"
    runways=$(printf 'type kjfk\nclick Command1\nshow Label5\n' | drive | control Label5)
    # Rows end in a carriage return, which the driver shows as \r.
    for row in "04L                   031°" "22R                   211°" "13R                   121°"; do
      grep -qF "$row" <<<"$runways" || fail "the runways of KJFK lack \"$row\": $runways"
    done
    grep -qF "14511 ft./ 4422 mt." <<<"$runways" || fail "no 14511 ft runway: $runways"
    echo "kjfk shows KJFK with its 8 runway ends"
    ;;
  jfk) expect_reached jfk KJFK 5 ;;
  idlewild) expect_reached idlewild KJFK 5 ;;
  zurich) expect_reached zurich LSZH 5 ;;
  zurich-accented)
    expect_reached "zürich" LSZH 5
    # The name keeps its accent on screen.
    printf 'type zürich\nclick Command1\nshow Label4\nclick Command1\nshow Label4\nclick Command1\nshow Label4\n' |
      drive | control Label4 | grep -qx "ZÜRICH AIRPORT" || fail "ZÜRICH AIRPORT is not shown"
    ;;
  city)
    expect_reached "são paulo" SBGR 10
    expect_reached "sao paulo" SBGR 10
    expect_reached sydney YSSY 10
    ;;
  fiumicino) expect_reached fiumicino LIRF 5 ;;
  # Letters Windows-1252 lacks are typed as the importer wrote them.
  lodz) expect_label "łódź" Label2 EPLL ;;
  istanbul)
    city=$(printf 'type İstanbul\nclick Command1\nshow Label14\n' | drive | control Label14)
    grep -q ISTANBUL <<<"$city" || fail "\"İstanbul\" shows an airport in \"$city\""
    echo "\"İstanbul\" shows an airport in $city"
      ;;
  first-click)
    # From a fresh start the first search shows the airport meant.
    for pair in fco:LIRF lax:KLAX fra:EDDF ams:EHAM london:EGLL zurich:LSZH; do
      expect_label "${pair%%:*}" Label2 "${pair##*:}"
    done
    echo "fco, lax, fra, ams, london and zurich show their airport on the first search"
    ;;
  egll-distance)
    line=$(printf '%s\n' "type kjfk" "click Command1" "click Command2" "type egll" \
      "click Command1" "click Command2" "click Command3" "show Label18" | drive | control Label18)
    # "KJFK==>EGLL 5539.696 Km. /  2991.2 Mn"
    km=$(sed -n 's/^KJFK==>EGLL *\([0-9.]*\) Km\..*/\1/p' <<<"$line")
    [ -n "$km" ] || fail "no KJFK==>EGLL distance in \"$line\""
    awk -v km="$km" 'BEGIN { exit !(km >= 5540 * 0.995 && km <= 5540 * 1.005) }' ||
      fail "KJFK to EGLL is $km km, not within 0.5% of 5540 km"
    echo "KJFK to EGLL: $km km"
    ;;
  *) fail "unknown check $check" ;;
esac
