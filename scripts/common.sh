# Shared set-up of the project's scripts: the Debian packages the build, the tests, the fuzzers
# and the program need, installed when missing (as root) or named (otherwise).

VK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VK_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libjpeg-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev
  clang libclang-rt-14-dev
  xvfb xauth
  fonts-liberation fonts-crosextra-carlito fonts-dejavu-core
)

vk_missing_packages() {
  local p missing=()
  for p in "${VK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  echo "${missing[@]}"
}

vk_ensure_packages() {
  local missing
  missing=$(vk_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing: $missing" >&2
    echo "Install them as root (apt-get install $missing) or run this script as root." >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
}

# vk_build <dir> [cmake options...]: configure once, then build incrementally.
vk_build() {
  local dir=$1
  shift
  if [ ! -f "$VK_ROOT/$dir/build.ninja" ]; then
    cmake -S "$VK_ROOT" -B "$VK_ROOT/$dir" -G Ninja "$@"
  fi
  cmake --build "$VK_ROOT/$dir"
}
