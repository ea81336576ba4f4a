#!/usr/bin/env bash
# Times opening the full calls list as a dataset against the sqlite3 shell on the same file.
#
#   bench/dataset_open.sh DB WG [BUILD_DIR]     (a database made by demo_and_search.sh with BENCH_KEEP=1)
#
# The user is "Boss" with the password in VELLOMAR_PASSWORD (empty by default).
set -euo pipefail
db=$1; wg=$2; build=${3:-build/default}
export VELLOMAR_PASSWORD="${VELLOMAR_PASSWORD:-}"
bench="$build/bench/dataset_bench"
best() { sort -n | head -1; }
shell_ms() { local s e; s=$(date +%s%N); sqlite3 "$db" "$1" >/dev/null; e=$(date +%s%N); echo $(( (e - s) / 1000000 )); }
open_shell=(); last_shell=(); open_ds=(); last_ds=(); page=(); mem=()
for i in 1 2 3; do
  open_shell+=("$(shell_ms 'SELECT COUNT(*) FROM tblCall; SELECT * FROM tblCall ORDER BY DueDate LIMIT 50;')")
  last_shell+=("$(shell_ms 'SELECT * FROM tblCall ORDER BY DueDate LIMIT 50 OFFSET 999950;')")
  out=$("$bench" --database "$db" --workgroup "$wg" --user Boss)
  open_ds+=("$(echo "$out" | sed -n 's/^open.*: \([0-9.]*\) ms/\1/p')")
  last_ds+=("$(echo "$out" | sed -n 's/^last row.*: \([0-9.]*\) ms/\1/p')")
  page+=("$(echo "$out" | sed -n 's/^page down.*: \([0-9.]*\) ms/\1/p')")
  mem+=("$(echo "$out" | sed -n 's/^resident memory: \([0-9]*\) MB/\1/p')")
done
os=$(printf '%s\n' "${open_shell[@]}" | best); ls_=$(printf '%s\n' "${last_shell[@]}" | best)
od=$(printf '%s\n' "${open_ds[@]}" | best); ld=$(printf '%s\n' "${last_ds[@]}" | best)
echo "open: dataset ${od} ms, sqlite3 count + first 50 rows ${os} ms, ratio $(echo "scale=2; $od / $os" | bc)"
echo "last row: dataset ${ld} ms, sqlite3 OFFSET 999950 ${ls_} ms, ratio $(echo "scale=2; $ld / $ls_" | bc)"
echo "page down within read rows: $(printf '%s\n' "${page[@]}" | best) ms"
echo "resident memory: $(printf '%s\n' "${mem[@]}" | sort -n | tail -1) MB"
