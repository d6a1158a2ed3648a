# Shared set-up for play.sh and test.sh: installs the Debian packages the build
# needs (only those missing, so a second run is quick) and configures and builds
# one CMake build folder.  Source it, then call fw_install_packages and
# fw_build DIR [cmake options...].

FW_PACKAGES=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev
  libpng-dev zlib1g-dev libjpeg-dev
  libogg-dev libvorbis-dev
  libfreetype-dev
  libsdl2-dev
  xvfb xauth libgl1-mesa-dri libegl-mesa0
  fonts-dejavu-core fonts-comic-neue
  libcairo2-dev
  clang libclang-rt-14-dev
)

fw_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

fw_install_packages() {
  local missing=()
  local p
  for p in "${FW_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    fw_sudo apt-get update -qq || return 1
    fw_sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
  fi
}

fw_jobs() {
  nproc 2>/dev/null || echo 2
}

# fw_build DIR [cmake options...]: configure once, then build incrementally.
fw_build() {
  local dir="$1"; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$FW_ROOT" -B "$dir" "$@" || return 1
  fi
  cmake --build "$dir" -j "$(fw_jobs)" || return 1
}
