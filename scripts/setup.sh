# Shared by scripts/test and scripts/run: installs what the build needs on a
# Debian machine (only what is missing), then configures and builds into build/.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$repo/build"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libssl-dev openssl
  poppler-utils fonts-inter fonts-noto-cjk qt6-image-formats-plugins
  qt6-svg-dev adwaita-icon-theme fonts-noto-color-emoji
)

install_missing_packages() {
  local missing=()
  for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$build_dir" --parallel "$(nproc)"
}

install_missing_packages
configure_and_build
