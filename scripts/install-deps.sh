#!/usr/bin/env bash
# Installs the Debian packages TagForge needs to build, run and test; quick when all are present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
    libqt6svg6 qt6-image-formats-plugins qt6-qpa-plugins qt6-wayland
    libgl1-mesa-dev libxkbcommon-dev libx11-dev
    adwaita-icon-theme breeze-icon-theme hicolor-icon-theme
    fonts-dejavu-core xauth xvfb xdotool
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
