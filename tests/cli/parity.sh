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
compare text duration 0
compare text duration 1235
compare text duration 59999
compare text duration 90000
compare text duration 86399999
compare text duration 31104000000
compare text duration -5
compare text duration -9223372036854775808
compare text duration 1.5
compare probe ""
compare probe "ftp://127.0.0.1/"
# One writes, the other reads, both ways.
"$native" settings set 程序.ini 表单库 1_名称 示例表单 >/dev/null
"$wine_run" "$windows" settings set 程序.ini 表单库 数量 1 --number >/dev/null
compare settings get 程序.ini 表单库 1_名称
compare settings get 程序.ini 表单库 数量
compare settings get 程序.ini 表单库 索引 --default -1
compare settings get missing.ini S K --default 默认
# Database files: made by one, written by both, read by both.
"$native" db create 列表 平台:10:10 备注:12 PING:3 金额:6 到期:8 开:7 数据:11 >/dev/null
"$wine_run" "$windows" db append 列表 平台=阿里云 备注=很长的备注 PING=42 金额=1.25 到期=2017-12-10 开=真 数据=00ff >/dev/null
"$native" db append 列表 平台=腾讯云 PING=-1 备注=临时 >/dev/null
"$wine_run" "$windows" db append 列表 平台=华为 金额=-0.1 >/dev/null
"$native" db delete 列表 2 >/dev/null
compare db info 列表
compare db dump 列表
compare db dump 列表 --deleted
compare db check 列表
compare db append 列表 PING=abc
"$wine_run" "$windows" db pack 列表 >/dev/null
compare db dump 列表 --deleted
"$wine_run" "$windows" db create 表二.edb 名称:10:20 备注:12 >/dev/null
"$native" db append 表二.edb 名称=甲 备注=乙 >/dev/null
compare db dump 表二.edb
compare db check missing

echo "cli parity: $passed passed, $failed failed"
[ $failed -eq 0 ]
