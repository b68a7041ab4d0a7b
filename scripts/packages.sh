# Installs the Debian packages given as arguments that are missing: as root
# with apt-get, else through sudo, else it says what to install and fails.
# Source it, then call ensure_packages.
ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}" >&2
  local run=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      run=(sudo)
    else
      echo "Please install, as root: apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
  "${run[@]}" apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive "${run[@]}" apt-get install -y -qq \
      "${missing[@]}" >/dev/null
}

# What building needs, what the program needs at run time, and what the tests
# drive it with.
BUILD_PACKAGES=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev
  dpkg-dev libxcb1-dev)
RUN_PACKAGES=(libqt6widgets6 libqt6svg6 qt6-qpa-plugins fonts-wqy-microhei xdg-utils)
TEST_PACKAGES=(xvfb xauth xclip x11-utils xdotool openbox desktop-file-utils appstream
  bindfs exfat-fuse exfatprogs imagemagick)
# The libFuzzer targets (./fuzz.sh).
FUZZ_PACKAGES=(clang libclang-rt-dev)
# The peers ./bench.sh measures against.
BENCH_PACKAGES=(rename mmv python3)
