#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# 10,000 runway lines in one block: the first 100 are stored and shown, the
# rest are read over up to the empty line, and the next search starts after
# the block (it does not see a line inside the block that would match).
# The data sheet holds the same 100 runways.
source "$(dirname "$0")/lib.sh"

{
  printf '1|MANY|MANY RUNWAYS|45500000|-9250000|320|h1|--|h2|\r\n'
  # Runway line 5000 could pass for an airport line holding "NEXT": a search
  # that went on inside the block would find it before the real NEXT.
  for i in $(seq 4999); do printf '1|R%d|090|9000|0|0|\r\n' "$i"; done
  printf '1|NEXT0|090|9000|0|0|a|b|c|\r\n'
  for i in $(seq 5001 10000); do printf '1|R%d|090|9000|0|0|\r\n' "$i"; done
  printf '\r\n1|NEXT|AFTER|41800000|12250000|10|c|--|d|\r\n1|18|180|6000|0|110.30|\r\n\r\n'
} > "$work/airports.txt"

run_driver $'tick 1\ntype many\nclick Command1\nshow Label6\nshow Label5\nstate\ntype next\nclick Command1\nshow Label2\nshow Label6\n'
rows=
for i in $(seq 100); do
  rows+="R$i                   090°                                  9000 ft./ 2743 mt.            0         \\r"
done
{
  ctl Label6 1 - ' 100'
  ctl Label5 1 - "$rows"
  val Check1 1
  val RunwayCount 100
} > "$scratch/expected.head"
{ head -n 4 "$out_file"; sed -n '25,$p' "$out_file"; } > "$scratch/actual"
mv "$scratch/actual" "$out_file"
expect_output "$(cat "$scratch/expected.head")
$(ctl Label2 1 - NEXT)
$(ctl Label6 1 - ' 1')
"
expect_status 0
expect_entries "$work" "airports.txt" "Vantrelo.ini" "MANY  MANY RUNWAYS.txt" "NEXT  AFTER.txt"

rule=---------------------------------------------
{
  printf 'AIRPORT MANY RUNWAYS\r\nH1   h2   \r\n45\xb030'"'"'0'"''"' N\r\n9\xb015'"'"'0'"''"' W\r\n\r\r\n'
  printf 'ICAO = MANY\r\n\r\r\nELEVATION = 320 ft./ 97 mt.       \r\n%s\r\nRunways =  100\r\n%s\r\n' "$rule" "$rule"
  for i in $(seq 100); do
    printf 'RUNWAY = R%d\r\nOrientation runway = 090\xb0\r\nLength runway = 9000 ft. ( 2743.2 Mt.)\r\n%s\r\n' "$i" "$rule"
  done
  printf '\r\r\n\r\r\nVantrelo Ver.2\r\n'
} > "$scratch/sheet.expected"
expect_same_file "$scratch/sheet.expected" "$work/MANY  MANY RUNWAYS.txt"
finish
