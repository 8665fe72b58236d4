#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# NUL bytes inside database lines are text like any other byte: they are
# matched, shown, written into the data sheet and the settings file as they
# are, and only in the sheet's file name does a NUL become "_".
source "$(dirname "$0")/lib.sh"

printf '1|AA\0A|NUL\0NAME|45500000|-9250000|0|h\0|--|h2|\r\n1|0\0001|090|9000|0|0|\r\n\r\n' \
  > "$work/airports.txt"
run_driver $'tick 1\ntype aa\nclick Command1\nshow Label2\nshow Label4\nshow Label6\nshow Label14\n'
expect_output_bytes 'Label2\t1\t-\tAA\0A\nLabel4\t1\t-\tNUL\0NAME\nLabel6\t1\t-\t 1\nLabel14\t1\t#ff0000\tH\0\n'
expect_status 0
expect_entries "$work" "airports.txt" "Vantrelo.ini" "AA_A  NUL_NAME.txt"
expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"AA\0A"\r\n'
rule=---------------------------------------------
expect_bytes "$work/AA_A  NUL_NAME.txt" \
  "AIRPORT NUL\\0NAME\\r\\nH\\0   h2   \\r\\n45\\xb030'0'' N\\r\\n9\\xb015'0'' W\\r\\n\\r\\r\\nICAO = AA\\0A\\r\\n\\r\\r\\nELEVATION = 0 ft./ 0 mt.       \\r\\n$rule\\r\\nRunways =  1\\r\\n$rule\\r\\nRUNWAY = 0\\0001\\r\\nOrientation runway = 090\\xb0\\r\\nLength runway = 9000 ft. ( 2743.2 Mt.)\\r\\n$rule\\r\\n\\r\\r\\n\\r\\r\\nVantrelo Ver.2\\r\\n"
finish
