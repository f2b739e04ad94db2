#!/bin/bash
# Draws the two cover pictures of the album table with ImageMagick:
#   locked_album.jpg  a padlock over 访问需要密码 (an album that asks for a password)
#   empty_album.gif   an exclamation mark in a circle over 暂无照片, two frames
# The outputs are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
FONT=$(fc-list ':lang=zh:style=Regular' file | grep -m1 -i 'sans' | cut -d: -f1)

convert -size 100x100 xc:'#f4f4f4' \
  -fill '#c9a227' -stroke '#8a6d12' -strokewidth 2 -draw 'roundrectangle 30,36 70,68 4,4' \
  -fill none -stroke '#8a6d12' -strokewidth 5 -draw 'arc 36,14 64,46 180,360' \
  -draw 'line 36,30 36,37' -draw 'line 64,30 64,37' \
  -fill '#5a4508' -stroke none -draw 'circle 50,50 50,45' -draw 'rectangle 48,50 52,60' \
  -font "$FONT" -pointsize 14 -fill '#333333' -gravity south -annotate +0+8 '访问需要密码' \
  -strip -quality 85 locked_album.jpg

frame() {  # colour of the circle
  convert -size 100x100 xc:white \
    -fill none -stroke "$1" -strokewidth 4 -draw 'circle 50,36 50,14' \
    -fill "$1" -stroke none -draw 'roundrectangle 47,22 53,42 2,2' -draw 'circle 50,50 50,46' \
    -font "$FONT" -pointsize 15 -fill '#555555' -gravity south -annotate +0+8 '暂无照片' \
    "$2"
}
frame '#e07b00' frame1.gif
frame '#f5c26b' frame2.gif
convert -delay 60 -loop 0 frame1.gif frame2.gif -layers Optimize -colors 32 empty_album.gif
rm -f frame1.gif frame2.gif
