#!/usr/bin/env bash
# clang-tidy with the checks of .clang-tidy (bugprone, performance, function
# size) over the program's sources, on the compile commands of a build
# directory (default: build). Slow (minutes); not part of test.sh.
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
    mapfile -t files < <(find app calc cli compare dialogs report resources ui -name '*.cpp' | sort)
else
    files=("$@")
fi
status=0
for file in "${files[@]}"; do
    clang-tidy --quiet -p "$dir" "$file" 2>/dev/null || status=1
done
exit $status
