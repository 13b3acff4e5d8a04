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
# Runs the Windows program; its standard error goes to $work/wine-stderr.
run_windows() { "$wine_run" "$windows" "$@" 2>"$work/wine-stderr"; }
compare() {
  local a b sa sb
  a=$("$native" "$@" 2>/dev/null); sa=$?
  b=$(run_windows "$@"); sb=$?
  if [ "$a" != "$b" ] || [ $sa -ne $sb ]; then
    # Wine itself now and then fails to start a program (exit 1, no output): a difference counts
    # when a second run gives it too. The first run's error output is shown either way.
    echo "retried: gebu-cli $* -> windows [$sb] '$b', stderr: $(head -c 300 "$work/wine-stderr")"
    b=$(run_windows "$@"); sb=$?
  fi
  if [ "$a" == "$b" ] && [ $sa -eq $sb ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "differs: gebu-cli $* -> native [$sa] '$a', windows [$sb] '$b', stderr: $(head -c 300 "$work/wine-stderr")"
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
# A tree data file (GBK texts, little-endian numbers), whole and cut short.
record() {  # TEXT_BYTES DEPTH_BYTE STATE_BYTE
  printf "$1\\x00\\x01\\x00\\x00\\x00\\x01\\x00\\x00\\x00\\xff\\xff\\xff\\xff\\x$3\\x00\\x00\\x30\\x$2\\x00\\x00\\x00"
}
{ record '\xc1\xd0\xb1\xed' 01 03; record 'K1' 02 00; record '\x95\x5c' 03 01; record '' 05 00; record 'B' 01 00; } > 树.AI
head -c 60 树.AI > 树半.AI
compare tree dump 树.AI
compare tree dump 树半.AI
compare tree dump missing.AI
# A run folder with one list: its form copy in the settings file, its database in the data folder.
mkdir -p 运行/程序数据
"$native" settings set 运行/砚川·格簿录入台.ini 使用表单库 客户 "名称|10|20|0|真|100||链接|22|512|0|假|100||FTP|23|80|0|假|100||金额|5|0|0|假|100||到期|8|0|0|假|100" >/dev/null
"$wine_run" "$windows" db create 运行/程序数据/客户.edb 名称:10:20 链接:10:512 FTP:10:80 金额:5 到期:8 >/dev/null
"$native" db append 运行/程序数据/客户.edb "名称=阿里云, 杭州" "链接=官网||http://a/" "FTP=张三||密码||ftp.a" 金额=1.25 "到期=2017-12-10 10:05" >/dev/null
"$wine_run" "$windows" db append 运行/程序数据/客户.edb '名称=说"好"' "FTP=||密码||ftp.b" 金额=-0.1 >/dev/null
compare list export 运行 客户
compare list export 运行 客户 --format json
compare list export 运行 无此列表
compare list export 运行 客户 --format xml
# Lists of the sample form made by either side, each filled from a CSV file by the other.
mkdir -p 样例
"$wine_run" "$windows" list create 样例 1 >/dev/null
"$native" list create 样例 示例表单 >/dev/null
printf '平台,域名,PING\r\n阿里云,a.cn,12\r\n"腾讯,云",b.cn,-1\r\n' > 导入.csv
"$native" db import 样例/程序数据/示例表单.edb 导入.csv >/dev/null
"$wine_run" "$windows" db import 样例/程序数据/示例表单1.edb 导入.csv >/dev/null
compare list export 样例 示例表单
compare list export 样例 示例表单1
compare tree dump 样例/程序数据/树型框数据.AI
compare db import 样例/程序数据/示例表单.edb 缺.csv

echo "cli parity: $passed passed, $failed failed"
[ $failed -eq 0 ]
