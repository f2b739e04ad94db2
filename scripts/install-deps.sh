#!/bin/sh
# Installs the Debian packages needed to build, run and test Tarvelin.
set -e
PKGS="build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-declarative-dev libqt6opengl6-dev \
  libgl-dev libcurl4-openssl-dev libjson-c-dev libpcre2-dev libssl-dev openssl \
  libgtest-dev libgmock-dev libcpp-httplib-dev curl xvfb xauth imagemagick fonts-noto-cjk"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
