#!/usr/bin/env bash
# Times the "CallsActions" report to PDF over an input-date range of about 10,000 calls against
# reading the same rows (the report's own query with the same range clause) to CSV, and compares
# its peak memory with that of a range a quarter the size.
#
#   bench/reports_pdf.sh [BUILD_DIR] [WORK_DIR]
#
# BUILD_DIR defaults to build/default (relative to the current folder, else to the source tree);
# WORK_DIR to a temporary folder that is removed afterwards (BENCH_KEEP=1 keeps it).
# Sizes: BENCH_ORGS, BENCH_PEOPLE, BENCH_CALLS, BENCH_ACTIONS (per call), BENCH_SEED, and
# BENCH_UNTIL (the last day of the five years of calls). The ranges: BENCH_FROM to BENCH_TO and
# BENCH_SMALL_FROM to BENCH_TO. A report run that takes longer than BENCH_TIMEOUT seconds is
# stopped and counted as not finished.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"

build="${1:-build/default}"
if [[ ! -d "$build" && -d "$root/$build" ]]; then
    build="$root/$build"
fi
admin="$build/src/app/vellomar-admin"
bench="$build/bench/report_bench"
if [[ ! -x "$admin" ]]; then
    echo "vellomar-admin not found at $admin; build the project first." >&2
    exit 2
fi
if [[ ! -x /usr/bin/time ]]; then
    echo "/usr/bin/time is needed for the peak memory (apt-get install time)." >&2
    exit 2
fi

# 12,500 calls spread evenly over the five years up to the end of 2024: the last four years
# hold about 10,000 of them, the last one about 2,500.
orgs="${BENCH_ORGS:-1000}"
people="${BENCH_PEOPLE:-3000}"
calls="${BENCH_CALLS:-12500}"
actions="${BENCH_ACTIONS:-3}"
seed="${BENCH_SEED:-1}"
until_day="${BENCH_UNTIL:-2024-12-31}"
from="${BENCH_FROM:-2021-01-01 00:00:00}"
small_from="${BENCH_SMALL_FROM:-2024-01-01 00:00:00}"
to="${BENCH_TO:-2024-12-31 23:59:59}"
limit="${BENCH_TIMEOUT:-3600}"

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
connection=(--database "$db" --workgroup "$wg" --user Boss)

run_or_fail() {
    local log="$1"
    shift
    if ! "$@" >"$log" 2>&1; then
        echo "failed: $*" >&2
        cat "$log" >&2
        exit 1
    fi
}

# "YYYY-MM-DD HH:MM:SS" as the program's range clause writes it: " #MM-DD-YYYY HH:MM:SS# ".
literal() { echo " #${1:5:2}-${1:8:2}-${1:0:4} ${1:11:8}# "; }

# The report's range clause (ReportDispatch: the "CallsActions" entry).
clause() {
    echo " WHERE tblCall.InputDate >= $(literal "$1") AND tblCall.InputDate <= $(literal "$2")" \
         "ORDER BY tblOrganization.OrganizationName, tblCall.CallID, tblAction.InputDate"
}

# The report's query text, as its definition holds it.
design="$(sed -n '/kDesignSql = R"(/,/)";/p' "$root/src/reports/definitions/TQRCallsActions.cpp" |
          sed '1s/.*R"(//; $s/)";$//')"
if [[ "$design" != SELECT* ]]; then
    echo "the query of TQRCallsActions was not found in its source." >&2
    exit 2
fi

scalar() { "$admin" query "${connection[@]}" "$1" 2>/dev/null | sed -n 2p; }

run_or_fail "$work/create.log" "$admin" create --database "$db" --workgroup "$wg" --admin Boss
run_or_fail "$work/demo-data.log" "$admin" demo-data "${connection[@]}" --orgs "$orgs" \
    --people "$people" --calls "$calls" --actions-per-call "$actions" --seed "$seed" \
    --until "$until_day"

range_where() {
    echo "WHERE tblCall.InputDate >= $(literal "$1") AND tblCall.InputDate <= $(literal "$2")"
}
for range in "$from" "$small_from"; do
    n_calls="$(scalar "SELECT COUNT(*) FROM tblCall $(range_where "$range" "$to")")"
    n_actions="$(scalar "SELECT COUNT(*) FROM tblAction INNER JOIN tblCall ON \
tblAction.CallID = tblCall.CallID $(range_where "$range" "$to")")"
    echo "range $range to $to: $n_calls calls, $n_actions actions"
done

now() { echo "$EPOCHREALTIME"; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
better() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(b == "" || a < b) }'; }
larger() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a > b) ? a : b }'; }

# Runs a command under /usr/bin/time within the time limit; sets seconds, peak_kb and finished.
timed() {
    local out="$1"
    shift
    local start status=0
    start="$(now)"
    # time over timeout: a run stopped at the limit is gone with it, and its peak still counts.
    /usr/bin/time -o "$work/time.txt" -f "%M" timeout "$limit" "$@" >"$out" 2>"$work/stderr.txt" ||
        status=$?
    seconds="$(elapsed "$start" "$(now)")"
    finished=1
    if ((status == 124)); then
        finished=0
    elif ((status != 0)); then
        echo "failed: $*" >&2
        cat "$work/stderr.txt" >&2
        exit 1
    fi
    peak_kb="$(tail -n 1 "$work/time.txt")"
}

# "Wrote FILE: N pages, M rows" -> N; checked against the page objects of the PDF.
pages_of() {
    local pages counted
    pages="$(sed -n 's/^Wrote .*: \([0-9]*\) pages\{0,1\}, .*/\1/p' "$1")"
    if command -v pdfinfo >/dev/null; then
        counted="$(pdfinfo "$2" | sed -n 's/^Pages: *//p')"
    else
        counted="$(grep -acx '/Type /Page' "$2" || true)"
    fi
    if [[ "$pages" != "$counted" ]]; then
        echo "the report says $pages pages, the PDF holds $counted." >&2
        exit 1
    fi
    echo "$pages"
}

report() {   # FROM PDF
    timed "$work/report.txt" "$admin" report "${connection[@]}" --name CallsActions \
        --from "$1" --to "$to" --pdf "$2"
}

sql="$design
$(clause "$from" "$to")"
best_read=""; best_render=""; read_peak=""; render_peak=""; pages=""; render_done=1
for _ in 1 2 3; do
    timed "$work/read.csv" "$admin" query "${connection[@]}" "$sql"
    if ((!finished)); then
        echo "reading the rows did not finish within $limit s." >&2
        exit 1
    fi
    if better "$seconds" "$best_read"; then best_read="$seconds"; fi
    read_peak="$(larger "$peak_kb" "$read_peak")"

    if ((render_done)); then
        report "$from" "$work/report.pdf"
        if ((!finished)); then
            render_done=0   # no use waiting that long twice more
            continue
        fi
        if better "$seconds" "$best_render"; then best_render="$seconds"; fi
        render_peak="$(larger "$peak_kb" "$render_peak")"
        pages="$(pages_of "$work/report.txt" "$work/report.pdf")"
    fi
done

echo "read the rows to CSV (vellomar-admin query): best ${best_read} s of 3, peak memory $((read_peak / 1024)) MB"
if ((!render_done)); then
    echo "report to PDF: did not finish within ${limit} s, so the ratio is above" \
        "$(awk -v l="$limit" -v r="$best_read" 'BEGIN { printf "%.0f", l / r }') (goal: at most 5)"
    echo "(bench/report_bench on a smaller range shows where the time goes)"
    exit 0
fi
echo "report to PDF (vellomar-admin report): best ${best_render} s of 3, $pages pages," \
    "$(sed -n 's/^Wrote .*, \([0-9]*\) rows\{0,1\}$/\1/p' "$work/report.txt") detail rows," \
    "$(awk -v p="$pages" -v s="$best_render" 'BEGIN { printf "%.1f", p / s }') pages per second," \
    "peak memory $((render_peak / 1024)) MB"
awk -v r="$best_render" -v q="$best_read" \
    'BEGIN { printf "ratio report / read: %.2f (goal: at most 5)\n", r / q }'

report "$small_from" "$work/small.pdf"
if ((!finished)); then
    echo "report over $small_from to $to: did not finish within ${limit} s" >&2
    exit 1
fi
small_pages="$(pages_of "$work/report.txt" "$work/small.pdf")"
small_peak="$peak_kb"
echo "report over $small_from to $to: $small_pages pages in ${seconds} s, peak memory $((small_peak / 1024)) MB"
awk -v a="$small_peak" -v b="$render_peak" -v pa="$small_pages" -v pb="$pages" 'BEGIN {
    printf "peak memory grows %.1f MB for %d more pages: %.1f KB a page\n",
           (b - a) / 1024, pb - pa, pb > pa ? (b - a) / (pb - pa) : 0 }'

# What the pages of primitives themselves hold, to set against that growth.
if [[ ! -x "$bench" ]]; then
    echo "(build the report_bench target to see what the pages hold)"
    exit 0
fi
pages_mb=()
for range in "$small_from" "$from"; do
    echo "report_bench over $range to $to:"
    "$bench" "${connection[@]}" --name CallsActions --from "$range" --to "$to" \
        --pdf "$work/bench.pdf" 2>/dev/null >"$work/bench.txt"
    sed 's/^/  /' "$work/bench.txt"
    pages_mb+=("$(sed -n 's/^heap of the pages: \([0-9.]*\) MB.*/\1/p' "$work/bench.txt")")
done
awk -v a="$small_peak" -v b="$render_peak" -v pa="${pages_mb[0]}" -v pb="${pages_mb[1]}" 'BEGIN {
    growth = (b - a) / 1024; primitives = pb - pa
    printf "of the %.1f MB growth in peak memory, the pages of primitives hold %.1f MB (%.0f%%)\n",
           growth, primitives, growth > 0 ? 100 * primitives / growth : 0 }'
