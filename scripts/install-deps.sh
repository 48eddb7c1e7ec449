#!/bin/sh
# Installs the Debian 12 packages the client, its tools and its tests need.
set -eu
PACKAGES="build-essential cmake ninja-build pkg-config ccache git clang-format
  libgtk-3-dev libwebkit2gtk-4.1-dev libcurl4-openssl-dev libcpp-httplib-dev libx11-dev
  libcairo2-dev libpango1.0-dev libglib2.0-dev libglib2.0-dev-bin
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-wqy-zenhei xdg-utils
  xvfb xauth x11-utils xdotool trayer imagemagick dbus-x11"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
