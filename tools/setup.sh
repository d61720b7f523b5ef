# Shared by run.sh and test.sh: installs the Debian packages that are missing
# (quietly when none is) and configures and builds one build directory.

# Packages the program and its tests need on a fresh Debian 12 (the tests read
# the XLSX workbook back with python3-openpyxl).
WYW_PACKAGES=(
    build-essential cmake ninja-build pkg-config dpkg-dev
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libjpeg62-turbo-dev libfmt-dev libbenchmark-dev
    libxlsxwriter-dev
    locales poppler-utils fonts-dejavu-core fonts-dejavu-extra
    python3-openpyxl
    clang-format clang-tidy
    qt6-translations-l10n
    lintian desktop-file-utils help2man
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

# wyw_check_package <build directory>: builds the Debian package there and
# fails on any error or warning of lintian or desktop-file-validate.
wyw_check_package() {
    local dir=$1 findings
    (cd "$dir" && cpack -G DEB >/dev/null)
    lintian --fail-on error,warning "$dir"/wywietrznik_*.deb
    findings=$(desktop-file-validate app/wywietrznik.desktop 2>&1) || true
    if [ -n "$findings" ]; then
        echo "$findings" >&2
        return 1
    fi
}

# wyw_check_format: every C++ file of the tree in the .clang-format style;
# lists the slips and fails when there is one.
wyw_check_format() {
    find . \( -path './build*' -o -path ./.git \) -prune -o \( -name '*.cpp' -o -name '*.h' \) \
        -print0 | xargs -0 clang-format --dry-run -Werror
}
