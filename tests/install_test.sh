#!/usr/bin/env bash
# Installs the build into a temporary prefix and validates what a desktop
# reads from it: the desktop entry, the AppStream metadata and the icons.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
id=example.yotsubane.Yotsubane
share=$prefix/share

for file in bin/yotsubane bin/yotsubane-forecast \
            share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/64x64/apps/$id.png \
            share/icons/hicolor/128x128/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg; do
    [[ -s $prefix/$file ]] || { echo "not installed: $file"; exit 1; }
done

desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"

grep -qx 'Name=株価予想ソフトヨツバネ' "$share/applications/$id.desktop"
grep -qx 'Comment=明日の株価を予想します' "$share/applications/$id.desktop"
grep -qx "Icon=$id" "$share/applications/$id.desktop"
grep -q '<release version="0.01.0001"' "$share/metainfo/$id.metainfo.xml"
echo "installed and valid: $id"
