#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need.
set -euo pipefail
packages=(
  g++ clang libclang-rt-14-dev cmake make pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libemf-dev emf2svg
  libavformat-dev libavcodec-dev libavfilter-dev libswscale-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation
  dpkg-dev desktop-file-utils
  parallel  # only the test of the README's recipe for many machines runs it
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
