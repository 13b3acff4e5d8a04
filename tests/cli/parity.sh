#!/usr/bin/env bash
# gebu-cli answers the same natively and under Wine: the same commands, run by both, must print the
# same bytes and exit with the same status; a file written by one is read by the other.
# Usage: tests/cli/parity.sh NATIVE_CLI WINDOWS_CLI    Prints "cli parity: N passed, M failed".
set -uo pipefail
native=$(realpath "$1")
windows=$(realpath "$2")
wine_run="$(cd "$(dirname "$0")/../.." && pwd)/scripts/wine-run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

passed=0; failed=0
compare() {
  local a b sa sb
  a=$("$native" "$@" 2>/dev/null); sa=$?
  b=$("$wine_run" "$windows" "$@" 2>/dev/null); sb=$?
  if [ "$a" == "$b" ] && [ $sa -eq $sb ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "differs: gebu-cli $* -> native [$sa] '$a', windows [$sb] '$b'"
  fi
}

compare text date "2017-12-10 08:00"
compare text date "２０１７年１２月１０日１０时５分３秒"
compare text date "2017-02-30"
compare text date ""
compare forms parse "平台|10|10|0|真||域名|10|30|0|假||IP|10|30|0|假"
compare forms parse "a\"b\\c|3|4|0||" --attrs 6
compare forms parse ""
compare forms parse x --attrs 9
compare nothing
# One writes, the other reads, both ways.
"$native" settings set 程序.ini 表单库 1_名称 示例表单 >/dev/null
"$wine_run" "$windows" settings set 程序.ini 表单库 数量 1 --number >/dev/null
compare settings get 程序.ini 表单库 1_名称
compare settings get 程序.ini 表单库 数量
compare settings get 程序.ini 表单库 索引 --default -1
compare settings get missing.ini S K --default 默认

echo "cli parity: $passed passed, $failed failed"
[ $failed -eq 0 ]
