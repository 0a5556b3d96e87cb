#!/usr/bin/env bash
# Installs every Debian 12 package the build, the application and the tests need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
    # toolchain
    cmake ninja-build pkg-config g++ clang libclang-rt-14-dev clang-format
    # Qt 6 and platform libraries
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-wayland libgl-dev
    # translations: lupdate and lrelease, and CMake's LinguistTools
    qt6-l10n-tools qt6-tools-dev
    libx11-dev libxcb1-dev libsystemd-dev libsodium-dev
    libxcb-shm0-dev libxcb-xtest0-dev
    # the wlroots overlay: libwayland-client, wayland-cursor and wayland-scanner, xkbcommon
    libwayland-dev libwayland-bin libxkbcommon-dev
    # telemetry
    libicu-dev libssl-dev libcurl4-openssl-dev nlohmann-json3-dev
    ca-certificates
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev python3
    openssl
    xvfb xauth x11-utils xdotool xclip dbus dbus-x11 trayer imagemagick
    # the accessibility test: the AT-SPI bus and a client of it
    at-spi2-core python3-pyatspi
    # a window manager for the window-mode test and its screenshot
    openbox
    # screen sampling: a headless Wayland pick through the desktop portal
    kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qtwayland5
    wl-clipboard libglib2.0-bin plasma-wayland-protocols
    # screen sampling: native picks on headless Sway
    sway swaybg grim wtype
    # desktop integration and the Debian package: validators, cpack's dpkg-shlibdeps, lintian
    desktop-file-utils appstream man-db dpkg-dev file binutils lintian
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
