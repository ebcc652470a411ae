# Shared set-up of the project's scripts: the Debian packages the build, the tests, the fuzzers
# and the program need, installed when missing (as root) or named (otherwise).

VK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VK_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libjpeg-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth libxtst-dev
  fonts-liberation fonts-crosextra-carlito fonts-dejavu-core
  dpkg-dev file desktop-file-utils appstream groff-base
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

# vk_build <preset>: configure once with a preset of CMakePresets.json (build, sanitize, fuzz,
# bench), then build incrementally.
vk_build() {
  local preset=$1
  local dir=build
  [ "$preset" != build ] && dir="build-$preset"
  if [ ! -f "$VK_ROOT/$dir/build.ninja" ]; then
    (cd "$VK_ROOT" && cmake --preset "$preset")
  fi
  (cd "$VK_ROOT" && cmake --build --preset "$preset")
}

# vk_check_format: every C++ file of the project as clang-format makes it with the repository's
# .clang-format; names the files that are not and fails.
vk_check_format() {
  local files unformatted
  mapfile -t files < <(cd "$VK_ROOT" && find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
  unformatted=$(cd "$VK_ROOT" && clang-format --dry-run --Werror "${files[@]}" 2>&1 |
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*clang-format-violations.*/\1/p' | sort -u)
  if [ -n "$unformatted" ]; then
    echo "These files are not formatted as .clang-format says:" >&2
    echo "$unformatted" | sed 's/^/  /' >&2
    echo "Format them with: clang-format -i <file>..." >&2
    return 1
  fi
  echo "Format: ${#files[@]} C++ files as .clang-format says"
}

# vk_check_layers: the includes of each layer stay within what docs/architecture.md allows it
# (the layers below it), and the core layers include no Qt header.
vk_check_layers() {
  # folder:the included paths it may name (regular expressions); a header of its own folder
  # named without a folder is always allowed.
  local rules=(
    "src/numtext:numtext/.*"
    "src/optics:(numtext|optics)/.*"
    "src/chart/model:(numtext|chart/model)/.*"
    "src/controls/model:controls/model/.*"
    "src/workflow:(numtext|optics|chart/model|workflow)/.*"
    "src/cli:(numtext|optics|chart/model|workflow|cli)/.*"
    "src/chart:(numtext|chart/model)/.*|chart/[a-z_]+\\.h"
    "src/chart/editor:(numtext|chart)/.*"
    "src/controls:(numtext|controls)/.*"
  )
  local rule dir allowed bad status=0
  for rule in "${rules[@]}"; do
    dir=${rule%%:*}
    allowed=${rule#*:}
    bad=$(cd "$VK_ROOT" && find "$dir" -maxdepth 1 -type f \( -name '*.cpp' -o -name '*.h' \) \
      -exec grep -HE '^#include "' {} + | grep -vE "#include \"(($allowed)|[a-z_]+\\.h)\"" || true)
    case $dir in
    src/numtext | src/optics | src/chart/model | src/controls/model | src/workflow | src/cli)
      bad=$(printf '%s\n%s' "$bad" "$(cd "$VK_ROOT" && find "$dir" -maxdepth 1 -type f \
        \( -name '*.cpp' -o -name '*.h' \) -exec grep -HE '^#include <Q' {} + || true)")
      bad=$(echo "$bad" | sed '/^$/d')
      ;;
    esac
    if [ -n "$bad" ]; then
      echo "Includes that $dir may not have (docs/architecture.md):" >&2
      echo "$bad" | sed 's/^/  /' >&2
      status=1
    fi
  done
  return $status
}

# vk_start_xvfb: starts a private virtual X server for the display tests, with its own access
# cookie and no TCP port, and exports DISPLAY and XAUTHORITY for it. The server picks a free
# display number itself and is stopped when the calling script exits.
vk_start_xvfb() {
  VK_XVFB_DIR=$(mktemp -d)
  local cookie number i
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  xauth -q -f "$VK_XVFB_DIR/server" add :0 . "$cookie" 2>/dev/null
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -auth "$VK_XVFB_DIR/server" \
    3>"$VK_XVFB_DIR/display" 2>"$VK_XVFB_DIR/log" &
  VK_XVFB_PID=$!
  trap vk_stop_xvfb EXIT
  for i in $(seq 100); do
    [ -s "$VK_XVFB_DIR/display" ] && break
    kill -0 "$VK_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  number=$(tr -d '\n' <"$VK_XVFB_DIR/display")
  if [ -z "$number" ]; then
    echo "Xvfb did not start:" >&2
    cat "$VK_XVFB_DIR/log" >&2
    exit 1
  fi
  xauth -q -f "$VK_XVFB_DIR/client" add ":$number" . "$cookie" 2>/dev/null
  export DISPLAY=":$number" XAUTHORITY="$VK_XVFB_DIR/client"
  echo "Display tests on Xvfb $DISPLAY"
}

vk_stop_xvfb() {
  if [ -n "${VK_XVFB_PID:-}" ]; then
    kill "$VK_XVFB_PID" 2>/dev/null || true
    wait "$VK_XVFB_PID" 2>/dev/null || true
    VK_XVFB_PID=
  fi
  [ -n "${VK_XVFB_DIR:-}" ] && rm -rf "$VK_XVFB_DIR"
  VK_XVFB_DIR=
}

# vk_display_tests <build dir> [ctest options...]: the tests of the label "display", one at a
# time, on Qt's xcb platform against the private Xvfb.
vk_display_tests() {
  local dir=$1
  shift
  QT_QPA_PLATFORM=xcb ctest --test-dir "$VK_ROOT/$dir" --output-on-failure --no-tests=error \
    -j 1 -L display "$@"
}
