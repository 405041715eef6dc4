# Shared by run.sh and test.sh: install missing Debian packages, configure, build.
set -euo pipefail

HALVOREN_PACKAGES="cmake g++ ninja-build ccache pkg-config libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev fonts-dejavu-core"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
  local missing=()
  for p in $HALVOREN_PACKAGES; do
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
