#!/usr/bin/env bash
# Times the calls and actions browser over a large database, offscreen, against the sqlite3 shell
# on the same file: opening it with every call shown up to its first painted screen, a repaint of
# a screen of calls with 20 urgency levels, and Refresh All.
#
#   bench/browser.sh DB WG [BUILD_DIR]      (user "Boss", password in VELLOMAR_PASSWORD, empty by default)
#
# The bench adds urgency levels for the repaints and deletes them again; should a run be cut
# short, this script deletes what it left.
set -euo pipefail
db=$1; wg=$2; build=${3:-build/default}
export VELLOMAR_PASSWORD="${VELLOMAR_PASSWORD:-}"
bench="$build/bench/browser_bench"
trap 'sqlite3 "$db" "DELETE FROM tblUrgency WHERE Description LIKE '"'"'Bench level %'"'"';"' EXIT
best() { sort -n | head -1; }
# The shell's wall time and its processor time (user + system), in milliseconds.
shell_ms() {
  local s e cpu
  s=$(date +%s%N)
  cpu=$( { TIMEFORMAT='%3U %3S'; time sqlite3 "$db" "$1" >/dev/null; } 2>&1 )
  e=$(date +%s%N)
  echo "$(( (e - s) / 1000000 )) $(echo "$cpu" | awk '{ printf "%d", ($1 + $2) * 1000 }')"
}
field() { echo "$out" | sed -n "s/$1/\\1/p"; }
shell=(); shell_cpu=(); open=(); open_cpu=(); repaint=(); repaint_cpu=(); refresh=(); refresh_cpu=(); mem=()
rows=""; parts=()
for i in 1 2 3; do
  read -r w c < <(shell_ms 'SELECT COUNT(*) FROM tblCall; SELECT * FROM tblCall ORDER BY DueDate LIMIT 50;')
  shell+=("$w"); shell_cpu+=("$c")
  out=$("$bench" --database "$db" --workgroup "$wg" --user Boss --levels 20 --repaints 50 2>/dev/null)
  open+=("$(field '^open.*: \([0-9.]*\) ms (processor.*')")
  open_cpu+=("$(field '^open.*(processor time \([0-9.]*\) ms)')")
  parts+=("$(echo "$out" | sed -n 's/^  window built/window built/p')")
  repaint+=("$(field '^repaint.*: \([0-9.]*\) ms (processor.*')")
  repaint_cpu+=("$(field '^repaint.*(processor time \([0-9.]*\) ms)')")
  rows=$(field '^repaint of the calls grid (\([^)]*\)).*')
  refresh+=("$(field '^refresh all.*: \([0-9.]*\) ms (processor.*')")
  refresh_cpu+=("$(field '^refresh all.*(processor time \([0-9.]*\) ms)')")
  mem+=("$(field '^resident memory: \([0-9]*\) MB')")
done
sh=$(printf '%s\n' "${shell[@]}" | best); shc=$(printf '%s\n' "${shell_cpu[@]}" | best)
op=$(printf '%s\n' "${open[@]}" | best); rf=$(printf '%s\n' "${refresh[@]}" | best)
opc=$(printf '%s\n' "${open_cpu[@]}" | best); rfc=$(printf '%s\n' "${refresh_cpu[@]}" | best)
ratio() { echo "scale=2; $1 / $2" | bc; }
# The breakdown of the best open.
for k in "${!open[@]}"; do [ "${open[$k]}" = "$op" ] && op_parts=${parts[$k]}; done
echo "sqlite3 count + first 50 rows: ${sh} ms (processor ${shc} ms)"
echo "open with every call, first screen painted: ${op} ms (processor ${opc} ms);" \
     "ratio $(ratio "$op" "$sh") (processor $(ratio "$opc" "$shc")) (goal at most 2)"
echo "  ${op_parts}"
echo "repaint of the calls grid (${rows}): $(printf '%s\n' "${repaint[@]}" | best) ms" \
     "(processor $(printf '%s\n' "${repaint_cpu[@]}" | best) ms) (goal under 5 ms)"
echo "refresh all, window repainted: ${rf} ms (processor ${rfc} ms);" \
     "ratio $(ratio "$rf" "$sh") (processor $(ratio "$rfc" "$shc")) (goal at most 2)"
echo "resident memory after opening: $(printf '%s\n' "${mem[@]}" | sort -n | tail -1) MB"
