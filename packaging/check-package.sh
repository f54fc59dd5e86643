#!/usr/bin/env bash
# Checks a built package: lintian finds no errors, and the package unpacked
# into an empty root (as dpkg installs it there) holds a program that starts
# and finds its shipped files.
set -euo pipefail
deb=$(realpath "$1")
lintian --tag-display-limit 0 --fail-on error "$deb" || { echo "lintian found errors" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
# The root has none of the libraries the package depends on: the host's serve.
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless -i "$deb" >/dev/null 2>&1
for f in usr/bin/corvella usr/share/corvella/hint.txt usr/share/applications/corvella.desktop \
         usr/share/mime/packages/corvella-cgi.xml usr/share/doc/corvella/copyright; do
  [ -e "$root/$f" ] || { echo "missing from the package: $f" >&2; exit 1; }
done
home=$root/home
mkdir -p "$home/run" && chmod 700 "$home/run"
env QT_QPA_PLATFORM=offscreen HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_STATE_HOME="$home/state" XDG_RUNTIME_DIR="$home/run" TMPDIR="$home" \
    timeout 120 "$root/usr/bin/corvella" --startup-time
[ -f "$home/data/Corvella/hint.txt" ] || { echo "the installed program did not find its files" >&2; exit 1; }
echo "package $(basename "$deb") checked"
