#!/usr/bin/env bash
# Real KML readers take our tracks: GDAL's ogrinfo sees one line string with a
# point per kept record, gpsbabel reads the same points as a track.
#   kml_readers_test.sh TRASOLIN_CONVERT EXAMPLE_LOG
set -euo pipefail
convert=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passes=0
check() { # description, expected, actual
  if [[ "$2" == "$3" ]]; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAIL: $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}

cp "$example" "$work/flight.csv"
# every record but the header and those without a fix (latitude and longitude 0.000000)
records=$(($(wc -l < "$work/flight.csv") - 1))
nofix=$(grep -c ';0\.000000;0\.000000;' "$work/flight.csv" || true)
expected=$((records - nofix))

for mode in flat relative; do
  args=()
  [[ $mode == relative ]] && args=(--relative)
  "$convert" "${args[@]}" "$work/flight.csv" > /dev/null
  track="$work/flight.KML"

  geometry=$(ogrinfo -ro -al -q "$track" | grep -E '^\s+LINESTRING' || true)
  check "ogrinfo: one line string ($mode)" 1 "$(grep -c LINESTRING <<< "$geometry")"
  points=$(sed -E 's/^[^(]*\(//; s/\).*$//' <<< "$geometry" | tr ',' '\n' | grep -c .)
  check "ogrinfo: a point per kept record ($mode)" "$expected" "$points"
  check "ogrinfo: 3D points ($mode)" 1 "$(grep -c 'LINESTRING Z' <<< "$geometry")"
  mode_name=$([[ $mode == flat ]] && echo clampToGround || echo relativeToGround)
  check "ogrinfo: altitude mode ($mode)" "$mode_name" \
    "$(ogrinfo -ro -al -q "$track" | sed -nE 's/^\s+altitudeMode \(String\) = //p')"

  gpsbabel -t -i kml -f "$track" -o unicsv -F "$work/points.csv"
  check "gpsbabel: a track point per kept record ($mode)" "$expected" $(($(wc -l < "$work/points.csv") - 1))
  first=$(awk -F';' 'NR > 1 && $3 != "0.000000" { printf "%.6f,%.6f", $3, $4; exit }' "$work/flight.csv")
  check "gpsbabel: first point ($mode)" "$first" "$(sed -n 2p "$work/points.csv" | cut -d, -f2,3)"
done

# a log without altitude gives two-value tuples, still one readable line string
cut -d';' -f1-4 "$example" > "$work/flat2d.csv"
"$convert" "$work/flat2d.csv" > /dev/null
geometry=$(ogrinfo -ro -al -q "$work/flat2d.KML" | grep -E '^\s+LINESTRING' || true)
check "ogrinfo: 2D line string without Alt_AGL" 1 "$(grep -c 'LINESTRING (' <<< "$geometry")"

echo "$passes passed, $failures failed"
((failures == 0))
