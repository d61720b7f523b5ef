# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: installs the Debian packages that are missing
# (quietly when none is) and configures and builds one build directory.

# Packages that building and running the two programs need on a fresh Debian
# 12 (run.sh installs these alone: no test tools, no clang).
WYW_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libjpeg62-turbo-dev libfmt-dev
    libxlsxwriter-dev
    fonts-dejavu-core fonts-dejavu-extra
    qt6-translations-l10n
)
# What test.sh adds: the benchmarks' library, the Polish locale, the readers
# of the PDFs and workbooks the tests write, the style and static checks, and
# the package's tools and checkers.
WYW_TEST_PACKAGES=(
    libbenchmark-dev locales poppler-utils python3-openpyxl
    clang-format clang-tidy
    dpkg-dev lintian desktop-file-utils appstream help2man
)

wyw_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Brak uprawnień administratora do instalacji pakietów: $*" >&2
        return 1
    fi
}

wyw_install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Instaluję brakujące pakiety: ${missing[*]}"
    wyw_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    wyw_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}

# The Polish locale, under which the tests prove that numbers ignore the locale.
wyw_polish_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
        echo "Tworzę locale pl_PL.UTF-8"
        wyw_as_root sed -i 's/^# *pl_PL.UTF-8 UTF-8/pl_PL.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^pl_PL.UTF-8 UTF-8' /etc/locale.gen ||
            echo 'pl_PL.UTF-8 UTF-8' | wyw_as_root tee -a /etc/locale.gen >/dev/null
        wyw_as_root locale-gen >/dev/null
    fi
}

# wyw_configure <directory> [cmake options...]: configures (again, so that the
# options given always apply).
wyw_configure() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# wyw_build <directory> [cmake options...]: configures and builds every
# target, showing what the compiler says.
wyw_build() {
    wyw_configure "$@"
    cmake --build "$1"
}

# wyw_hardening_flags: the CMake options that build with Debian's hardening
# flags (dpkg-buildflags, every hardening feature on), one per line.
wyw_hardening_flags() {
    local cppflags cxxflags ldflags
    cppflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)
    cxxflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
    ldflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
    printf '%s\n' "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
        "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags"
}

# wyw_check_package <build directory>: builds the Debian package there and
# fails on anything lintian (pedantic and informational tags too),
# appstreamcli (pedantic) or desktop-file-validate report on it.
wyw_check_package() {
    local dir=$1 findings unpacked
    (cd "$dir" && cpack -G DEB >/dev/null)
    lintian --pedantic --info --fail-on error,warning,info,pedantic "$dir"/wywietrznik_*.deb
    unpacked=$(mktemp -d)
    dpkg-deb -x "$dir"/wywietrznik_*.deb "$unpacked"
    findings=$(desktop-file-validate "$unpacked"/usr/share/applications/*.desktop 2>&1) || true
    # Any hint of appstreamcli, pedantic ones too, is a finding.
    appstreamcli validate --pedantic --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml \
        >"$unpacked/appstream.txt" 2>&1 || true
    if grep -q '^[EWIP]:' "$unpacked/appstream.txt"; then
        findings+=$(cat "$unpacked/appstream.txt")
    fi
    rm -rf "$unpacked"
    if [ -n "$findings" ]; then
        echo "$findings" >&2
        return 1
    fi
}

# wyw_check_licence: every source file of the tree names its licence in its
# first lines (SPDX-License-Identifier: GPL-3.0-or-later); lists those that do not.
wyw_check_licence() {
    local missing
    missing=$(find . \( -path './build*' -o -path ./.git -o -path ./tests/weather/data \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' -o -name 'CMakeLists.txt' \
        -o -name '*.cmake' -o -name '*.sh' -o -name '*.py' -o -name '*.pl' \) -print |
        while read -r file; do
            head -n 2 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
        done)
    if [ -n "$missing" ]; then
        echo "Pliki bez wiersza SPDX-License-Identifier:" >&2
        echo "$missing" >&2
        return 1
    fi
}

# wyw_check_format: every C++ file of the tree in the .clang-format style;
# lists the slips and fails when there is one.
wyw_check_format() {
    find . \( -path './build*' -o -path ./.git \) -prune -o \( -name '*.cpp' -o -name '*.h' \) \
        -print0 | xargs -0 clang-format --dry-run -Werror
}
