#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the suite need.
# Idempotent: as root it installs only what is missing, and does nothing when all is there.
# Usage: scripts/install-deps.sh [--dev]   (--dev adds the screenshot and icon-rendering tools)
set -euo pipefail

# Everything below needs root; an ordinary user is asked through sudo, once, only when something is missing.
as_root() {
  if [[ $EUID -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "Need root to run: $*" >&2
    exit 1
  fi
}

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libqt6svg6
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2 fonts-urw-base35 fontconfig libfontconfig-dev
  xvfb xauth libxcb-damage0-dev
  at-spi2-core python3-pyatspi openbox xdotool
  weston qt6-wayland qt6-gtk-platformtheme gnome-themes-extra
  locales
  cups printer-driver-cups-pdf ghostscript poppler-utils qpdf libcups2-dev
  desktop-file-utils appstream lintian dpkg-dev fakeroot file
  doxygen
  clang libclang-rt-14-dev clang-format
)
if [[ "${1:-}" == "--dev" ]]; then
  packages+=(x11-apps imagemagick clang-tidy librsvg2-bin)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests check that numbers keep "." under a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
