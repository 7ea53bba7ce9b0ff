#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need,
# and only when one of them is missing: on a ready machine this is a quick no-op.
set -euo pipefail

packages=(
  # build
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-charts-dev
  libqt6opengl6-dev   # Qt Charts' CMake package needs it, its -dev package does not pull it in
  libgtest-dev
  ccache              # compiler cache: CI builds everything twice on two cores
  # tests, benchmarks, fuzzing and screenshots
  inetutils-telnetd socat
  libtelnet-dev libvterm-dev
  clang libclang-rt-14-dev
  xvfb xauth
  poppler-utils       # pdftotext: the terminal's printing test reads its PDF back
  # packaging: the .deb's dependencies, and the checks of the package and its desktop files
  dpkg-dev            # dpkg-shlibdeps
  desktop-file-utils appstream
  lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
