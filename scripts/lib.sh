# Shared by demo.sh and test.sh: the Debian packages the project needs, and how they get installed.

# To build the plug-ins (the LV2 one needs the LV2 headers), zvhost and the benchmarks.
ZV_BUILD_PACKAGES=(build-essential cmake pkg-config libsndfile1-dev libcairo2-dev libx11-dev libbenchmark-dev
                   lv2-dev)
# To build and run every test: GoogleTest, the 32-bit layout check, Clang with its sanitizer
# runtimes and the symbolizer that names functions in their reports, Ardour and sox for the
# real-host round trip, an X server for the editor, xdotool and xwininfo to find the editor in
# Ardour's window, a plug-in from another vendor for zvhost, and for the LV2 bundle: lilv to read
# it and run it (lv2apply), sord_validate behind lv2_validate; clang-format for the style check,
# and git to list the files it checks.
ZV_TEST_PACKAGES=(libgtest-dev g++-multilib clang libclang-rt-14-dev llvm ardour sox xvfb xauth xdotool
                  x11-utils libxtst-dev lsp-plugins-vst liblilv-dev lilv-utils sordi clang-format git)

# To cross-build the Windows DLL, and to run its tests under wine.
ZV_WINDOWS_BUILD_PACKAGES=(cmake mingw-w64 g++-mingw-w64-x86-64-posix)
ZV_WINDOWS_TEST_PACKAGES=(wine64 wine googletest xvfb xauth)

zv_missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
      echo "$package"
  done
}

# zv_install_packages PACKAGE...: installs those not installed yet, with apt-get; through sudo
# unless running as root.
zv_install_packages() {
  local missing
  mapfile -t missing < <(zv_missing_packages "$@")
  [ ${#missing[@]} -gt 0 ] || return 0
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These Debian packages are needed: ${missing[*]}" >&2
      echo "Run this script as root, or install sudo, or install them first." >&2
      exit 1
    fi
    as_root=(sudo)
  fi
  echo "== Installing Debian packages: ${missing[*]}"
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

zv_seconds_since() { echo $(( $(date +%s) - $1 )); }
