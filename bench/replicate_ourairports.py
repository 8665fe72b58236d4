#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Makes a large OurAirports-like input from a small one, to time the
importer on about as many airports as the full download holds (~80,000).

Copy 0 is the input unchanged; every further copy turns each airport into a
small airfield without scheduled service or IATA code, under a new id and
ident, keeping its name, town and runways, so names and towns repeat many
times over: harder for the first-click order than real data.

usage: replicate_ourairports.py SOURCE_DIR OUTPUT_DIR COPIES
"""
import csv
import os
import shutil
import sys


def main():
    source, output, copies = sys.argv[1], sys.argv[2], int(sys.argv[3])
    os.makedirs(output, exist_ok=True)
    shutil.copy(os.path.join(source, "countries.csv"), output)
    with open(os.path.join(source, "airports.csv"), newline="", encoding="utf-8") as f:
        airports = list(csv.DictReader(f))
    with open(os.path.join(source, "runways.csv"), newline="", encoding="utf-8") as f:
        runways = list(csv.DictReader(f))
    id_step = 10 ** len(str(max(int(a["id"]) for a in airports)))

    def copied(rows, fields, change):
        out = []
        for copy in range(copies):
            for row in rows:
                out.append(change(dict(row), copy) if copy else row)
        with open(os.path.join(output, fields), "w", newline="", encoding="utf-8") as f:
            writer = csv.DictWriter(f, fieldnames=list(rows[0].keys()), quoting=csv.QUOTE_MINIMAL)
            writer.writeheader()
            writer.writerows(out)

    def airport(row, copy):
        row["id"] = str(int(row["id"]) + copy * id_step)
        row["ident"] = "X%02d%s" % (copy, row["ident"])
        row["type"] = "small_airport"
        row["scheduled_service"] = "no"
        row["iata_code"] = ""
        row["gps_code"] = ""
        return row

    def runway(row, copy):
        row["id"] = str(int(row["id"]) + copy * id_step * 10)
        row["airport_ref"] = str(int(row["airport_ref"]) + copy * id_step)
        return row

    copied(airports, "airports.csv", airport)
    copied(runways, "runways.csv", runway)


if __name__ == "__main__":
    main()
