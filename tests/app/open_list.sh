#!/usr/bin/env bash
# Under Wine: the program started on a run folder that gebu-cli prepared opens the remembered list
# (the second of two) at start, files its key values in the tree, and on closing keeps the
# selection and writes the filed values to the tree file. Needs a display.
# Prints "open list: N passed, M failed".
# Usage: tests/app/open_list.sh build/win64/bin/gebu.exe build/native/bin/gebu-cli
set -uo pipefail
exe=$(realpath "$1")
cli=$(realpath "$2")
here="$(cd "$(dirname "$0")" && pwd)"
wine_run="$here/../../scripts/wine-run"
work=$(mktemp -d)
program=""
cleanup() { [ -n "$program" ] && kill "$program" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

passed=0; failed=0
check() {  # description, condition result
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "failed: $1"; fi
}

cp "$exe" "$work/gebu.exe"
"$here/sample_run_folder.sh" "$cli" "$work" 300 >/dev/null
check "gebu-cli prepares the run folder" $?
tree_file="$work/程序数据/树型框数据.AI"
before=$("$cli" tree dump "$tree_file")

"$wine_run" "$work/gebu.exe" >/dev/null 2>&1 &
program=$!
sleep 8  # start-up and the page of 300 records
kill -0 "$program" 2>/dev/null; check "the program runs" $?
# Closing the main window (not killing the program) lets it save.
for _ in $(seq 30); do
  "$wine_run" taskkill /im gebu.exe >/dev/null 2>&1
  sleep 1
  kill -0 "$program" 2>/dev/null || break
done
! kill -0 "$program" 2>/dev/null; check "the program ends when its window is closed" $?
program=""

after=$("$cli" tree dump "$tree_file")
[ "$after" != "$before" ]; check "the tree file was written on closing" $?
# Level-3 items are filed values; the four platforms of the second list follow its 平台 item.
values=$(grep -o '"text":"[^"]*","image":2,"selectedImage":2,"data":[0-9]*,"state":[0-9]*,"level":3' <<<"$after" |
         sed 's/"text":"\([^"]*\)".*"data":\([0-9]*\).*/\1=\2/' | tr '\n' ' ')
[ "$values" = "腾讯云=1 华为云=2 西部数码=3 阿里云=4 " ]; check "the remembered list's key values are filed ($values)" $?
index=$("$cli" settings get "$work/砚川·格簿录入台.ini" 主界面 树型框.索引)
[ "$index" = "2" ]; check "the remembered list stays selected ($index)" $?

echo "open list: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
