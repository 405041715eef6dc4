# Shared by run.sh and test.sh: install missing Debian packages, configure, build.
# The program runs with the icons of Adwaita and the SVG support of Qt 6
# (libqt6svg6 holds its SVG icon engine and image format).
set -euo pipefail

HALVOREN_PACKAGES="cmake g++ ninja-build ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libfontconfig-dev fonts-dejavu-core libqt6svg6 adwaita-icon-theme qt6-translations-l10n"
# The test command's fuzz targets build with clang 16 and its libFuzzer;
# the drawing-file tests read fixtures that Debian's ezdxf makes; the HTML
# export is read back by Debian's Python; a document made as RTF is opened
# by LibreOffice and its PDF read by pdftotext; the printed PDF and PNG files
# are checked by poppler's tools and pngcheck.
HALVOREN_TEST_PACKAGES="clang-16 libclang-rt-16-dev python3-ezdxf python3 libreoffice-writer-nogui poppler-utils librecad pngcheck"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages [further packages...]
install_missing_packages() {
  local missing=()
  for p in $HALVOREN_PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# configure_and_build <build dir> <cmake options...>
configure_and_build() {
  local dir="$1"; shift
  local gen=()
  if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then gen=(-G Ninja); fi
  cmake -S . -B "$dir" "${gen[@]}" "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}

# run_fuzz_targets <build dir> <seconds>: runs every fuzz target of the build
# for the given time over its saved corpus (tests/fuzz/corpus/<target>, read
# only) and the inputs it found in earlier runs (<build dir>/corpus/<target>).
# A crash, leak, sanitizer report or hang prints the end of the target's log
# and keeps the input in <build dir>/crashes; the function then fails.
run_fuzz_targets() {
  local dir="$1" seconds="$2" failed=0
  for saved in tests/fuzz/corpus/*/; do
    local name
    name="$(basename "$saved")"
    mkdir -p "$dir/corpus/$name" "$dir/crashes"
    if "$dir/tests/fuzz/$name" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 \
        -artifact_prefix="$dir/crashes/$name-" "$dir/corpus/$name" "$saved" >"$dir/$name.log" 2>&1; then
      echo "Fuzzed $name: $(grep -o 'Done [0-9]* runs' "$dir/$name.log" || true)"
    else
      echo "Fuzz target $name failed:"
      tail -n 60 "$dir/$name.log"
      failed=1
    fi
  done
  return "$failed"
}
