#!/usr/bin/env bash
# Builds a large demo database with vellomar-admin and times a notes search through
# vellomar-admin against the same statement in the sqlite3 shell.
#
#   bench/demo_and_search.sh [BUILD_DIR] [WORK_DIR]
#
# BUILD_DIR defaults to build/default (relative to the current folder, else to the source tree);
# WORK_DIR defaults to a temporary folder that is removed afterwards (BENCH_KEEP=1 keeps it).
# Sizes: BENCH_ORGS, BENCH_PEOPLE, BENCH_CALLS, BENCH_ACTIONS (per call), BENCH_SEED.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"

build="${1:-build/default}"
if [[ ! -d "$build" && -d "$root/$build" ]]; then
    build="$root/$build"
fi
admin="$build/src/app/vellomar-admin"
if [[ ! -x "$admin" ]]; then
    echo "vellomar-admin not found at $admin; build the project first." >&2
    exit 2
fi
if ! command -v sqlite3 >/dev/null; then
    echo "the sqlite3 shell is needed for the comparison (apt-get install sqlite3)." >&2
    exit 2
fi

orgs="${BENCH_ORGS:-100000}"
people="${BENCH_PEOPLE:-300000}"
calls="${BENCH_CALLS:-1000000}"
actions="${BENCH_ACTIONS:-3}"
seed="${BENCH_SEED:-1}"

if [[ -n "${2:-}" ]]; then
    work="$2"
    mkdir -p "$work"
else
    work="$(mktemp -d "${TMPDIR:-/tmp}/vellomar-bench.XXXXXX")"
    if [[ "${BENCH_KEEP:-0}" != 1 ]]; then
        trap 'rm -rf -- "$work"' EXIT
    fi
fi
db="$work/bench.vdb"
wg="$work/bench.vwg"
rm -f -- "$db" "$db-wal" "$db-shm" "$wg"

export VELLOMAR_PASSWORD=""

# Seconds since some moment, with microseconds.
now() { echo "$EPOCHREALTIME"; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }

run_or_fail() {
    local log="$1"
    shift
    if ! "$@" >"$log" 2>&1; then
        echo "failed: $*" >&2
        cat "$log" >&2
        exit 1
    fi
}

run_or_fail "$work/create.log" "$admin" create --database "$db" --workgroup "$wg" --admin Boss

start="$(now)"
run_or_fail "$work/demo-data.log" "$admin" demo-data --database "$db" --workgroup "$wg" --user Boss \
    --orgs "$orgs" --people "$people" --calls "$calls" --actions-per-call "$actions" --seed "$seed"
demo_seconds="$(elapsed "$start" "$(now)")"

sql="SELECT CallID, Notes FROM tblCall WHERE Notes LIKE '%boiler%'"
best_admin=""
best_sqlite=""
better() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(b == "" || a < b) }'; }
for _ in 1 2 3; do
    start="$(now)"
    "$admin" query --database "$db" --workgroup "$wg" --user Boss "$sql" >/dev/null
    t="$(elapsed "$start" "$(now)")"
    if better "$t" "$best_admin"; then best_admin="$t"; fi

    start="$(now)"
    sqlite3 "$db" "$sql" >/dev/null
    t="$(elapsed "$start" "$(now)")"
    if better "$t" "$best_sqlite"; then best_sqlite="$t"; fi
done

matches="$(sqlite3 "$db" "SELECT count(*) FROM tblCall WHERE Notes LIKE '%boiler%'")"
echo "demo-data: $orgs organisations, $people people, $calls calls, $actions actions per call: ${demo_seconds} s"
echo "notes search ($matches calls match): vellomar-admin best ${best_admin} s, sqlite3 best ${best_sqlite} s (best of 3)"
awk -v a="$best_admin" -v s="$best_sqlite" \
    'BEGIN { if (s > 0) printf "ratio vellomar-admin / sqlite3: %.2f\n", a / s; else print "ratio: n/a" }'
