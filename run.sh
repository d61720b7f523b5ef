#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the two programs (not the tests: ./test.sh
# builds those) and starts the program. The value files that remember the
# dialogs' numbers are kept in the directory it is started from.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
source tools/setup.sh
wyw_install_missing "${WYW_PACKAGES[@]}"
wyw_configure build -DWYW_BUILD_TESTS=OFF -DWYW_BUILD_BENCHMARKS=OFF
cmake --build build --target wywietrznik wywietrznik-cli
cd "$OLDPWD"

program="$here/build/app/wywietrznik"
if [ ! -x "$program" ]; then
    echo "Program okienkowy nie jest jeszcze zbudowany; przykład kalkulatora wiersza poleceń:"
    exec "$here/build/cli/wywietrznik-cli" --density 1.2 --wind 4 --round 0.16 --hall 5 --model 5
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Brak ekranu graficznego: uruchom  xvfb-run -a $0  (pakiet xvfb) albo ustaw DISPLAY." >&2
    exit 1
fi
exec "$program" "$@"
