#!/usr/bin/env bash
# Times the loading after login (data module, constants, ConnectAll, site options, rights) on a
# large database against the sqlite3 shell running the first 50 rows of each statement ConnectAll
# opens, with the program's collation loaded into the shell.
#
#   bench/startup.sh DB WG [BUILD_DIR]      (user "Boss", password in VELLOMAR_PASSWORD, empty by default)
set -euo pipefail
db=$1; wg=$2; build=${3:-build/default}
export VELLOMAR_PASSWORD="${VELLOMAR_PASSWORD:-}"
stmts=$(mktemp)
trap 'rm -f "$stmts"' EXIT
prog=(); shell=(); mem=()
for i in 1 2 3 4; do
  out=$("$build/bench/startup_bench" --database "$db" --workgroup "$wg" --user Boss --statements "$stmts" 2>/dev/null)
  prog+=("$(echo "$out" | sed -n 's/^loading after login: \([0-9.]*\) ms.*/\1/p')")
  mem+=("$(echo "$out" | sed -n 's/^resident memory: \([0-9]*\) MB/\1/p')")
  s=$(date +%s%N)
  sqlite3 -cmd ".load $build/bench/libvellomar_collation" "$db" < "$stmts" > /dev/null
  e=$(date +%s%N)
  shell+=("$(( (e - s) / 1000 ))")
done
best_prog=$(printf '%s\n' "${prog[@]:1}" | sort -n | head -1)          # the first run warms the cache
best_shell_us=$(printf '%s\n' "${shell[@]:1}" | sort -n | head -1)
best_shell=$(echo "scale=1; $best_shell_us / 1000" | bc)
echo "loading after login: ${best_prog} ms; sqlite3, first 50 rows of each statement: ${best_shell} ms; ratio $(echo "scale=2; $best_prog / $best_shell" | bc)"
echo "resident memory: $(printf '%s\n' "${mem[@]}" | sort -n | tail -1) MB"
