# Shared by the two README commands: installs the Debian packages that are missing and
# builds the project in ./build. Sourced, not run.
set -euo pipefail

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CONSTRUCCION="${AVERIAS_BUILD:-$RAIZ/build}"

PAQUETES_CONSTRUIR=(build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev
  libsqlite3-dev libgtest-dev libgmock-dev googletest libbenchmark-dev poppler-utils
  qt6-translations-l10n)
# The Debian package and its check (scripts/probar-paquete): dependencies from the
# libraries, manual pages from --help, lintian.
PAQUETES_PAQUETE=(dpkg-dev help2man lintian)
# Only for scripts/fuzz: the fuzz targets are built with clang and libFuzzer.
PAQUETES_FUZZ=(clang)

como_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

instalar_lo_que_falta() {
    local faltan=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
    done
    if [ "${#faltan[@]}" -gt 0 ]; then
        echo "Instalando paquetes que faltan: ${faltan[*]}"
        como_root apt-get update -qq
        como_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${faltan[@]}"
    fi
}

construir() {
    cmake -S "$RAIZ" -B "$CONSTRUCCION" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$CONSTRUCCION" -j"$(nproc)" "$@"
}
