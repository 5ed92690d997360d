#!/bin/sh
# Builds the Debian package from the build/ that scripts/test.sh left, lists
# it, checks that it holds what the desktop needs, that its dependencies
# resolve on this machine, and that the packaged program starts.
set -e
cd "$(dirname "$0")/.."
deb=$(./scripts/package.sh)
contents=$(dpkg-deb --contents "$deb")
echo "$contents"
for file in usr/bin/salescounter usr/share/applications/salescounter.desktop \
    usr/share/icons/hicolor/48x48/apps/salescounter.png usr/share/salescounter/index.html; do
    echo "$contents" | grep -q " \./$file\$" || { echo "$deb lacks /$file" >&2; exit 1; }
done
apt-get install --simulate "$deb" >/dev/null
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb --extract "$deb" "$tree"
"$tree/usr/bin/salescounter" --version
