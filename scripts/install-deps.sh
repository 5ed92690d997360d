#!/bin/sh
# Installs the Debian packages the program and its tests need; with "program",
# only those the program needs to build and run. Quick when all are present.
set -e
packages="build-essential cmake pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n \
libsqlcipher-dev libpq-dev fonts-noto-cjk fonts-liberation cups-client golang-github-mozillazg-go-pinyin-dev"
if [ "$1" != program ]; then
    packages="$packages sqlcipher postgresql libfreexl-dev googletest libgtest-dev \
cups cups-bsd cups-filters printer-driver-cups-pdf ghostscript poppler-utils xvfb xauth"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing
fi
