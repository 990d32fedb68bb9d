#!/usr/bin/env bash
# Installs the Debian 12 packages Traxilo needs to build, run, test and
# package, and any package named as an argument (scripts/fuzz.sh adds clang).
# Runs apt-get as root, or through sudo otherwise; skips what is installed.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libeigen3-dev      # the fits of the analysis layer (header-only)
  libopencv-core-dev libopencv-imgproc-dev  # assisted tracking (nothing else of OpenCV)
  fonts-dejavu-core  # the tests measure text widths in a real font
  tango-icon-theme   # the tool buttons' pictures (the program has its own otherwise)
  desktop-file-utils appstream shared-mime-info  # install_tree checks the desktop files
  dpkg-dev file      # cpack -G DEB: the dependencies from the libraries linked
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
