#!/usr/bin/env bash
# Makes the program's images and the sample dictionary's pictures again: the window icon and the
# sorting frames (resources/images), the desktop icons (packaging/icons), the language icons
# (data/icons, dist/icons), the logo (data/logo.bmp) and the About animation (data/dict.avi, with
# a short one for the tests in tests/data/short.avi). Run from anywhere after building mkart:
#
#   cmake --build build --target mkart && tools/make-art.sh [BUILD_DIR]
#
# Needs ffmpeg for the animations; the drawing needs the Liberation fonts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
mkart=$build/tools/art/mkart
[ -x "$mkart" ] || { echo "make-art: $mkart not found; build the target mkart first" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "make-art: ffmpeg is needed" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

"$mkart" images "$root"

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
"$mkart" animation "$frames"
# Motion JPEG in AVI: every frame a key frame, which FFmpeg (and so Qt Multimedia) decodes
# everywhere; bitexact leaves out the encoder's version, so the same frames give the same file.
encode() {  # frame rate, output, extra options
  local rate=$1 out=$2
  shift 2
  mkdir -p "$(dirname "$out")"
  ffmpeg -loglevel error -y -framerate "$rate" -i "$frames/%03d.png" "$@" \
    -c:v mjpeg -q:v 3 -pix_fmt yuvj420p -an -fflags +bitexact -flags:v +bitexact "$out"
}
encode 15 "$root/data/dict.avi"              # 45 frames: three seconds
encode 30 "$root/tests/data/short.avi" -frames:v 9  # 0.3 seconds
