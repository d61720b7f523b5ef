#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a large batch costs when it is streamed: the highest memory (maximum
# resident set, /usr/bin/time -v) and the wall time of N cases (by default
# 1,000,000) in CSV and in JSON, the time until the first byte of the result
# comes out, and the memory of one line holding a 10 MB option value.
#   bench/batch_stream.sh [build directory] [cases]
set -euo pipefail
build=${1:-build}
cases=${2:-1000000}
cli="$build/cli/wywietrznik-cli"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Random cases of the kind bench_batch times, a fixed seed.
LC_ALL=C awk -v n="$cases" 'BEGIN {
    srand(10000)
    for (i = 0; i < n; ++i) {
        line = sprintf("--density %.6f --wind %.6f --round %.6f --material %d", 1 + 0.4 * rand(),
                       0.5 + 9.5 * rand(), 0.05 + 0.55 * rand(), 1 + int(6 * rand()))
        if (i % 2) line = line sprintf(" --hall %.6f", 0.5 + 29.5 * rand())
        else line = line sprintf(" --building-round 3,%d,%.6f,1.5", 1 + int(12 * rand()), 0.05 + 0.25 * rand())
        print line sprintf(" --model %d", 1 + int(27 * rand()))
    }
}' > "$dir/cases.txt"
{ printf -- '--density 1.2 --wind '; head -c 10000000 /dev/zero | tr '\0' '7'; echo; } > "$dir/long.txt"

# The maximum resident set [MB] and the wall time [s] of a run with "$@".
cost() {
    /usr/bin/time -v -o "$dir/time" "$cli" "$@" > /dev/null 2>&1 || true
    awk '/Maximum resident/ { rss = $NF / 1024 } /Elapsed/ { wall = $NF }
         END { printf "max RSS %.1f MB, wall %s", rss, wall }' "$dir/time"
}

# Seconds from the start until the first $1 lines of the output with the rest
# of the arguments are out (the header, then the first case's row).
first_lines() {
    local lines=$1 start end
    shift
    start=$(date +%s%N)
    end=$({ "$cli" "$@" 2>/dev/null || true; } | { head -n "$lines" > /dev/null; date +%s%N; })
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f s", (e - s) / 1e9 }'
}

for format in csv json; do
    header=$([ "$format" = csv ] && echo 1 || echo 0)
    run=(--batch "$dir/cases.txt" --format "$format")
    echo "$cases cases, $format: $(cost "${run[@]}"), first byte after $(first_lines 1 "${run[@]}")," \
         "first case after $(first_lines $((header + 1)) "${run[@]}")"
done
echo "one line with a 10 MB value: $(cost --batch "$dir/long.txt")"
