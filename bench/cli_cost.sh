#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What one calculation of the command-line calculator costs against starting it
# at all (--version): instructions counted by valgrind (steady under load), and
# the CPU time of N runs of each.
#   bench/cli_cost.sh [build directory] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-100}
cli="$build/cli/wywietrznik-cli"
calculation=(--density 1.2 --wind 4 --round 0.16 --hall 5 --model 5)

cpu_of() { # CPU seconds (user + system) of $runs runs of the CLI with "$@"
    /usr/bin/time -f '%U %S' bash -c 'for ((i = 0; i < $0; ++i)); do "$1" "${@:2}" >/dev/null 2>&1; done' \
        "$runs" "$cli" "$@" 2>&1 >/dev/null | awk '{print $1 + $2}'
}

if command -v valgrind >/dev/null; then
    count() { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$cli" "$@" 2>&1 >/dev/null |
              awk '/Collected/ {print $NF}'; }
    version=$(count --version)
    single=$(count "${calculation[@]}")
    awk -v v="$version" -v s="$single" \
        'BEGIN { printf "instructions: --version %d, one calculation %d, ratio %.3f\n", v, s, s / v }'
fi
version=$(cpu_of --version)
single=$(cpu_of "${calculation[@]}")
awk -v v="$version" -v s="$single" -v n="$runs" \
    'BEGIN { printf "CPU of %d runs: --version %.2f s, one calculation %.2f s, ratio %.2f\n", n, v, s, s / v }'
