#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the formatting, builds with warnings as
# errors, and runs every test twice: a plain build and one with
# AddressSanitizer and UndefinedBehaviorSanitizer, both under the Polish
# locale. Then clang-tidy over every source, and the Debian package with
# lintian, appstreamcli and desktop-file-validate,
# built with Debian's hardening flags. Exits non-zero on any failure or finding.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

wyw_install_missing "${WYW_PACKAGES[@]}" "${WYW_TEST_PACKAGES[@]}"
wyw_polish_locale

export LC_ALL=pl_PL.UTF-8
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Formatowanie (clang-format) i licencja (SPDX)"
wyw_check_format
wyw_check_licence

echo "== Zwykła kompilacja"
wyw_build build -DWYW_WERROR=ON -DWYW_BUILD_TESTS=ON -DWYW_BUILD_BENCHMARKS=ON
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Kompilacja z sanitizerami (ASan + UBSan)"
wyw_build build-sanitize -DWYW_SANITIZE=ON -DWYW_BUILD_BENCHMARKS=OFF -DWYW_WERROR=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== clang-tidy"
tools/tidy.sh build

echo "== Pakiet Debiana (lintian, appstreamcli, desktop-file-validate)"
mapfile -t hardening < <(wyw_hardening_flags)
wyw_build build-pkg -DCMAKE_INSTALL_PREFIX=/usr -DWYW_BUILD_TESTS=OFF -DWYW_BUILD_BENCHMARKS=OFF \
    -DWYW_WERROR=ON "${hardening[@]}"
wyw_check_package build-pkg

echo "== Wszystkie testy przeszły"
