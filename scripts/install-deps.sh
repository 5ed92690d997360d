#!/bin/sh
# Installs the Debian packages the program and its tests need; quick when all are present.
set -e
packages="build-essential cmake pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n \
libsqlcipher-dev sqlcipher libpq-dev postgresql libfreexl-dev googletest libgtest-dev fonts-noto-cjk fonts-liberation \
cups cups-client cups-bsd cups-filters printer-driver-cups-pdf ghostscript poppler-utils xvfb xauth \
golang-github-mozillazg-go-pinyin-dev"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing
fi
