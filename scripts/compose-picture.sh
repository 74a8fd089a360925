#!/bin/bash
# Puts the engine's picture into a screenshot of the Xvfb screen:
#   compose-picture.sh SHOT.png X Y W H
# Under Xvfb Wine keeps a child window's Direct3D output in an off-screen X window of the
# picture window's size, so the screen shows black there. This copies that window's pixels
# onto the screenshot at the picture window's place (X Y W H, screen pixels), as the screen
# of a Windows user would show it. Without such a window the screenshot stays as it is.
set -euo pipefail
shot=$1 x=$2 y=$3 w=$4 h=$5
id=$(xwininfo -root -tree | awk -v size="${w}x${h}+0+0" 'index($0, "(has no name): ()") && index($0, size) { print $1; exit }')
[ -n "$id" ] || exit 0
picture=$(mktemp --suffix=.png)
trap 'rm -f "$picture"' EXIT
import -window "$id" "$picture" 2>/dev/null || exit 0
convert "$shot" "$picture" -geometry "+$x+$y" -composite "$shot"
