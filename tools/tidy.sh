#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# clang-tidy with the checks of .clang-tidy (bugprone, performance, names, function
# size) over the program's sources, on the compile commands of a build
# directory (default: build). Any finding fails it. Slow (minutes on two
# cores); ./test.sh runs it.
#   tools/tidy.sh [build directory] [files...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
if [ ! -f "$dir/compile_commands.json" ]; then
    echo "Brak $dir/compile_commands.json: najpierw zbuduj program (./run.sh albo cmake)." >&2
    exit 1
fi
if [ $# -eq 0 ]; then
    mapfile -t files < <(find app calc cli compare dialogs files project report resources schedule ui weather year \
        -name '*.cpp' | sort)
else
    files=("$@")
fi
# One clang-tidy per core; a finding is an error, so it fails the run.
printf '%s\0' "${files[@]}" |
    xargs -0 -n 1 -P "$(nproc)" clang-tidy --quiet --warnings-as-errors='*' -p "$dir" 2>/dev/null
