#!/usr/bin/env bash
# Prepares a run folder with gebu-cli: two lists of the sample form, the first with 3 records and
# the second with COUNT, and the second list's item (tree index 2) remembered as the selected one.
# Prints the second list's name.
# Usage: tests/app/sample_run_folder.sh GEBU_CLI RUNDIR [COUNT]   (COUNT 300 by default)
set -euo pipefail
cli=$1
run=$2
count=${3:-300}
mkdir -p "$run"
csv=$(mktemp)
trap 'rm -f "$csv"' EXIT

records() {  # count: the sample form's fields, then a row per record
  local platforms=(阿里云 腾讯云 华为云 西部数码)
  echo "平台,域名,IP,FTP,域名续费商,服务器续费商,域名到期,服务器到期,账号,密码,PING,备注"
  for ((i = 1; i <= $1; i++)); do
    echo "${platforms[i % 4]},www.site$i.com,10.0.$((i / 250)).$((i % 250 + 1)),user$i||pw$i||ftp.site$i.com,万网||https://wanwang.aliyun.com,腾讯云||https://cloud.tencent.com,2027-$((i % 12 + 1))-$((i % 28 + 1)),2028-$((i % 12 + 1))-$((i % 28 + 1)),admin$i,pass$i,$((i * 37 % 300)),\"第${i}条记录, 备注\""
  done
}

first=$("$cli" list create "$run" 1)
second=$("$cli" list create "$run" 1)
records 3 >"$csv"
"$cli" db import "$run/程序数据/$first.edb" "$csv" >/dev/null
records "$count" >"$csv"
"$cli" db import "$run/程序数据/$second.edb" "$csv" >/dev/null
"$cli" settings set "$run/砚川·格簿录入台.ini" 主界面 树型框.索引 2 --number >/dev/null
echo "$second"
