#!/usr/bin/env bash
# The batch converter's command line: what it prints, where, and its exit status.
#   trasolin_convert_test.sh TRASOLIN_CONVERT
set -uo pipefail
convert=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
passes=0
failures=0
check() { # description, expected, actual
  if [[ "$2" == "$3" ]]; then passes=$((passes + 1)); else echo "FAIL: $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
run() { # args...: sets out, err, status
  "$convert" "$@" > out.txt 2> err.txt
  status=$?
  out=$(cat out.txt)
  err=$(cat err.txt)
}

printf 'Time;Latitude;Longitude;Alt_AGL\r\n1;52,1;21,0;120\r\n2;0.000000;0.000000;0\r\n3;52.2;21.1;130\r\n' > good.csv
printf 'Time;Lat;Lon\r\n1;52;21\r\n' > nocolumns.csv

run good.csv
check "one log: status" 0 "$status"
check "one log: result line" "good.csv: OK!  4 wpisów" "$out"
check "one log: quiet on stderr" "" "$err"
check "flat by default" 1 "$(grep -c '<altitudeMode>clampToGround</altitudeMode>' good.KML)"
check "decimal commas become points" 1 "$(grep -c '^21\.0,52\.1,120' good.KML)"

run --relative good.csv missing.csv nocolumns.csv
check "a failure among logs: status" 1 "$status"
check "a failure among logs: the good one still converts" "good.csv: OK!  4 wpisów" "$out"
check "a failure among logs: messages" \
  "$(printf 'missing.csv: File not found\nnocolumns.csv: Brak kolumny "Latitude" w nagłówku')" "$err"
check "--relative" 1 "$(grep -c '<altitudeMode>relativeToGround</altitudeMode>' good.KML)"
check "nothing left of the failed ones" "err.txt good.KML good.csv nocolumns.csv out.txt" \
  "$(ls | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"

run
check "no log: usage status" 2 "$status"
check "no log: usage on stderr" 1 "$(grep -c '^Usage: trasolin-convert' <<< "$err")"
run --bogus good.csv
check "unknown option: status" 2 "$status"
run --help
check "--help: status" 0 "$status"
check "--help: usage on stdout" 1 "$(grep -c '^Usage: trasolin-convert' <<< "$out")"
run -- --relative
check "-- ends the options" "--relative: File not found" "$err"

echo "$passes passed, $failures failed"
((failures == 0))
