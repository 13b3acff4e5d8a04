#!/usr/bin/env bash
# Under Wine: the program in a run folder whose path holds characters GBK has not (Korean, an
# emoji) finds the lists gebu-cli prepared there, and on closing writes its settings file and its
# tree file in that folder, not in a folder named with "?". gebu-cli.exe takes such a path as an
# argument too. Needs a display. Prints "run folder path: N passed, M failed".
# Usage: tests/app/run_folder_path.sh build/win64/bin/gebu.exe build/native/bin/gebu-cli build/win64/bin/gebu-cli.exe
set -uo pipefail
exe=$(realpath "$1")
cli=$(realpath "$2")
windows_cli=$(realpath "$3")
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
# The same folder as Windows programs see it: this machine's root is drive Z:.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
# Names anywhere under $work that hold a "?", which a lost character would have become.
question_marks() { find "$work" -name '*\?*' | sed "s|^$work/||"; }

run="$work/ユーザー 사용자 😀/run"
settings="$run/砚川·格簿录入台.ini"
tree_file="$run/程序数据/树型框数据.AI"
mkdir -p "$run"
cp "$exe" "$run/gebu.exe"
list=$("$here/sample_run_folder.sh" "$cli" "$run" 20)
check "gebu-cli prepares the run folder" $?
[ -f "$run/程序数据/$list.edb" ] && [ -f "$tree_file" ] && [ -f "$settings" ]
check "the prepared files are in the run folder" $?

# gebu-cli.exe reads and writes files under the path as given.
native_export=$("$cli" list export "$run" "$list" --format csv)
windows_export=$("$wine_run" "$windows_cli" list export "$(windows_path "$run")" "$list" --format csv 2>/dev/null)
[ -n "$native_export" ] && [ "$windows_export" = "$native_export" ]
check "gebu-cli.exe exports the list of that run folder" $?
"$wine_run" "$windows_cli" settings set "$(windows_path "$settings")" 路径 名称 砚川 >/dev/null 2>&1
stored=$("$cli" settings get "$settings" 路径 名称)
[ "$stored" = "砚川" ]; check "gebu-cli.exe writes that settings file ($stored)" $?
tree_windows=$("$wine_run" "$windows_cli" tree dump "$(windows_path "$tree_file")" 2>/dev/null)
[ "$tree_windows" = "$("$cli" tree dump "$tree_file")" ]; check "gebu-cli.exe reads that tree file" $?

settings_before=$(md5sum <"$settings")
tree_before=$(md5sum <"$tree_file")
"$wine_run" "$run/gebu.exe" >/dev/null 2>&1 &
program=$!
sleep 8  # start-up and the page of the remembered list
kill -0 "$program" 2>/dev/null; check "the program runs" $?
# Closing the main window (not killing the program) lets it save.
for _ in $(seq 30); do
  "$wine_run" taskkill /im gebu.exe >/dev/null 2>&1
  sleep 1
  kill -0 "$program" 2>/dev/null || break
done
! kill -0 "$program" 2>/dev/null; check "the program ends when its window is closed" $?
program=""

[ "$(md5sum <"$settings")" != "$settings_before" ]; check "the settings file in the run folder was written" $?
[ "$(md5sum <"$tree_file")" != "$tree_before" ]; check "the tree file in the run folder was written" $?
index=$("$cli" settings get "$settings" 主界面 树型框.索引)
[ "$index" = "2" ]; check "the remembered list was read from that settings file ($index)" $?
grep -q '"image":2,"selectedImage":2,"data":[0-9]*,"state":[0-9]*,"level":3' <<<"$("$cli" tree dump "$tree_file")"
check "the lists in that run folder were opened (their key values are filed)" $?
[ "$(ls -A "$work")" = "ユーザー 사용자 😀" ] && [ "$(ls -A "$work/ユーザー 사용자 😀")" = "run" ]
check "no other folder was made" $?
lost=$(question_marks)
[ -z "$lost" ]; check "no name lost a character ($lost)" $?

echo "run folder path: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
