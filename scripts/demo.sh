#!/usr/bin/env bash
# Builds ZvDelay32 and zvhost, installs them for the current user (the VST 2 plug-in into ~/.vst,
# the LV2 bundle into ~/.lv2, the VST 3 bundle into ~/.vst3, the CLAP plug-in into ~/.clap,
# zvhost into ~/.local/bin) and renders the demo: a short phrase
# through the "SlapBack" program, as WAV files and a picture of the waveforms.
#   bash scripts/demo.sh
# Environment: ZV_BUILD_DIR (default build/release), ZV_DEMO_DIR (default build/demo).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib.sh

build=${ZV_BUILD_DIR:-build/release}
demo=${ZV_DEMO_DIR:-build/demo}

zv_install_packages "${ZV_BUILD_PACKAGES[@]}"

echo "== Building in $build"
cmake -S . -B "$build" -DZV_TESTS=OFF -DZV_SANITIZE= >/dev/null
cmake --build "$build" -j "$(nproc)"

echo "== Installing"
cmake --install "$build"
# The VST 3 bundle holds a ZvDelay32.so of its own: the VST 2 plug-in is the one outside it.
plugin=$(grep '/ZvDelay32\.so$' "$build/install_manifest.txt" | grep -v '\.vst3/')
zvhost=$(grep '/zvhost$' "$build/install_manifest.txt")
bundle=$(dirname "$(grep '/ZvDelay32\.lv2/manifest\.ttl$' "$build/install_manifest.txt")")
vst3=$(grep -o '^.*/ZvDelay32\.vst3/' "$build/install_manifest.txt" | head -n 1)
clap=$(grep '/ZvDelay32\.clap$' "$build/install_manifest.txt")

echo "== Rendering the demo"
rm -rf "$demo"
"$zvhost" demo "$demo"

cat <<DONE

Done.
  plug-in installed at   $plugin
  LV2 bundle installed at $bundle
  VST 3 bundle at        ${vst3%/}
  CLAP plug-in at        $clap
  zvhost installed at    $zvhost
  demo files in          $(cd "$demo" && pwd)/
      input.wav is the dry phrase; 00-SlapBack.wav is the phrase through the effect, each echo
      coming back on the other side; 00-SlapBack.png shows both.
  every program:         $zvhost demo --all
  in Ardour:             ardour, then ZvDelay32 under LV2 (found as it is); for the VST 2 one
                         add $(dirname "$plugin") once under Edit > Preferences > Plugins > VST,
                         Linux VST2 Path (see README.md)
  in jalv:               jalv.gtk3 https://zelvano.example/lv2/zvdelay32
DONE
