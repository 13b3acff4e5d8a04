#!/usr/bin/env bash
# Under Wine: a second start from the same folder ends at once and leaves the first running; a copy
# in another folder starts normally. Needs a display. Prints "single instance: N passed, M failed".
# Usage: tests/app/single_instance.sh build/win64/bin/gebu.exe
set -uo pipefail
exe=$(realpath "$1")
wine_run="$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run"
work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work/a" "$work/b"
cp "$exe" "$work/a/gebu.exe"
cp "$exe" "$work/b/gebu.exe"

passed=0; failed=0
check() {  # description, condition result
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "failed: $1"; fi
}
running() { kill -0 "$1" 2>/dev/null; }
wait_for_window() {  # until the settings file exists, which start-up writes before the window shows
  for _ in $(seq 150); do [ -s "$1/砚川·格簿录入台.ini" ] && { sleep 2; return 0; }; sleep 0.2; done
  return 1
}

"$wine_run" "$work/a/gebu.exe" >/dev/null 2>&1 &
pids+=($!); first=$!
wait_for_window "$work/a"; check "the first copy starts" $?

timeout 60 "$wine_run" "$work/a/gebu.exe" >/dev/null 2>&1
check "a second start from the same folder ends by itself" $?
running "$first"; check "the first copy keeps running" $?

"$wine_run" "$work/b/gebu.exe" >/dev/null 2>&1 &
pids+=($!); other=$!
wait_for_window "$work/b"; check "a copy in another folder starts" $?
sleep 2
running "$other"; check "the copy in another folder keeps running" $?

echo "single instance: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
