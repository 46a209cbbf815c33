#!/bin/bash
# Draws the getting started guide's pictures that are not screenshots, and
# the backdrop of the tip of the day and the first-start screens, with
# ImageMagick. Each picture is at most 230 pixels wide to sit beside a page's
# text; JPEG where it has no transparency.
set -euo pipefail
cd "$(dirname "$0")"
sans=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
bold=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
paper='#FFFFFF'; ink='#303030'; blue='#2F5F9F'; red='#B03A2E'; note='#FFF4B0'; edge='#C8B560'
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# A note card: card NAME WIDTH HEIGHT TITLE LINE1 LINE2 (a yellow sheet, its title in bold).
card() {
  convert -size "$2x$3" xc:"$note" -stroke "$edge" -strokewidth 2 -fill none -draw "rectangle 0,0 $(($2 - 1)),$(($3 - 1))" \
    -stroke none -fill "$ink" -font "$bold" -pointsize 12 -annotate +8+18 "$4" \
    -font "$sans" -pointsize 11 -annotate +8+36 "$5" -annotate +8+51 "$6" "$tmp/$1.png"
}
# A key cap: key NAME WIDTH LABEL
key() {
  convert -size "$2x46" xc:none -fill '#8A8A8A' -draw "roundrectangle 0,3 $(($2 - 1)),45 7,7" \
    -fill '#F4F4F4' -stroke '#9A9A9A' -draw "roundrectangle 1,0 $(($2 - 2)),40 7,7" \
    -stroke none -fill "$ink" -font "$bold" -pointsize 15 -gravity center -annotate +0-3 "$3" "$tmp/$1.png"
}
shadow() { convert "$tmp/$1.png" \( +clone -background '#000000' -shadow 40x3+3+3 \) +swap -background none -layers merge +repage "$tmp/$1.png"; }

# Page 2: one data file; a title written in one note links to another.
card anna 104 60 "Anna Berg" "Phone: 555 0142" ""
card week 120 60 "A week of calls" "Call Anna Berg," "Monday."
card kitchen 118 60 "Kitchen renovation" "1. Measure the" "   room"
for c in anna week kitchen; do shadow $c; done
convert -size 230x180 xc:"$paper" \
  -fill '#E8EEF8' -stroke "$blue" -strokewidth 2 -draw "roundrectangle 2,2 227,177 10,10" \
  -stroke none -fill "$blue" -font "$bold" -pointsize 12 -annotate +12+20 "notes.tavik: one data file" \
  -stroke "$red" -strokewidth 2 -draw "line 70,96 130,66" -draw "line 70,100 110,126" \
  "$tmp/week.png" -geometry +8+70 -composite "$tmp/anna.png" -geometry +118+34 -composite \
  "$tmp/kitchen.png" -geometry +104+112 -composite -quality 85 guide_overview.jpg

# Page 9: the brain and the computer.
convert -size 230x150 xc:"$paper" \
  -fill '#F6C8CC' -stroke "$red" -strokewidth 2 -draw "ellipse 55,62 44,34 0,360" \
  -fill none -draw "arc 25,40 60,80 200,340" -draw "arc 50,35 90,75 180,320" -draw "line 55,30 55,95" \
  -draw "arc 30,60 80,95 20,160" \
  -stroke none -fill "$red" -font "$bold" -pointsize 14 -annotate +35+125 "brain" \
  -fill "$ink" -font "$bold" -pointsize 26 -annotate +104+72 "+" \
  -fill '#D8E2F0' -stroke "$blue" -strokewidth 2 -draw "roundrectangle 134,28 222,90 4,4" \
  -fill '#FFFFFF' -draw "rectangle 141,35 215,83" -fill "$blue" -draw "rectangle 170,90 186,100" \
  -draw "rectangle 156,100 200,104" \
  -stroke none -font "$sans" -pointsize 9 -fill "$blue" -annotate +146+50 "Anna Berg" -annotate +146+62 "555 0142" \
  -annotate +146+74 "12 May" -font "$bold" -pointsize 14 -annotate +146+125 "computer" -quality 85 guide_brain.jpg

# Page 11: things to remember on sticky notes (narrow: the page's list needs the room).
card s1 100 58 "Birthday" "Anna: 12 May" "(red wine)"
card s2 100 58 "Excel" "Pivot tables:" "Insert > Pivot"
card s3 100 58 "Meeting" "Tue 10:00," "room 4"
convert "$tmp/s1.png" -background none -rotate -5 "$tmp/s1.png"; convert "$tmp/s3.png" -background none -rotate 4 "$tmp/s3.png"
for c in s1 s2 s3; do shadow $c; done
convert -size 120x210 xc:"$paper" "$tmp/s1.png" -geometry +2+2 -composite "$tmp/s2.png" -geometry +10+72 -composite \
  "$tmp/s3.png" -geometry +4+138 -composite -quality 85 guide_remember.jpg

# Page 12: a box of index cards.
convert -size 230x170 xc:"$paper" -font "$bold" -pointsize 12 \
  -fill '#FFFFFF' -stroke '#8C8C8C' -strokewidth 1 \
  -draw "rectangle 30,10 200,60" -draw "rectangle 24,30 194,80" -draw "rectangle 18,50 188,100" -draw "rectangle 12,70 182,120" \
  -stroke none -fill "$ink" -annotate +38+26 "Recipes" -annotate +32+46 "Trip planning" -annotate +26+66 "Time log" \
  -annotate +20+86 "Family tree" \
  -fill '#B98A55' -stroke '#7A5530' -strokewidth 2 -draw "polygon 4,96 226,96 212,166 18,166" \
  -stroke none -fill '#FFFFFF' -font "$bold" -pointsize 13 -annotate +70+138 "and so on ..." -quality 85 guide_cards.jpg

# Page 13: a note found with a magnifier.
card found 150 70 "Anna Berg" "Phone: 555 0142" "Birthday: 12 May"
shadow found
convert -size 230x160 xc:"$paper" "$tmp/found.png" -geometry +10+14 -composite \
  -fill '#E6F0FF80' -stroke "$blue" -strokewidth 6 -draw "circle 150,88 150,54" \
  -strokewidth 10 -stroke '#5A4632' -draw "line 174,112 212,150" \
  -stroke none -fill "$red" -font "$bold" -pointsize 15 -annotate +16+128 "found!" -quality 85 guide_found.jpg

# Page 16: the three ways to find.
finder() {
  convert -size 220x40 xc:'#F4F7FC' -stroke "$blue" -strokewidth 1 -fill none -draw "roundrectangle 0,0 219,39 6,6" \
    -strokewidth 3 -draw "circle 20,17 20,9" -draw "line 26,23 33,31" \
    -stroke none -fill "$ink" -font "$bold" -pointsize 12 -annotate +44+17 "$2" \
    -font "$sans" -pointsize 11 -fill "$blue" -annotate +44+32 "$3" "$tmp/$1.png"
}
finder f1 "QuickSearch" "a note by its title"
finder f2 "Find (incremental search)" "text in this note"
finder f3 "Full-text search" "text across all notes"
convert -size 230x150 xc:none "$tmp/f1.png" -geometry +4+2 -composite "$tmp/f2.png" -geometry +4+52 -composite \
  "$tmp/f3.png" -geometry +4+102 -composite -depth 8 -define png:exclude-chunks=date,time PNG32:guide_finding.png

# Page 27: F1 for help.
key f1 60 "F1"
convert -size 230x110 xc:none "$tmp/f1.png" -geometry +10+30 -composite \
  -fill "$blue" -draw "circle 150,55 150,20" -fill '#FFFFFF' -font "$bold" -pointsize 44 -gravity northwest \
  -annotate +137+27 "?" -depth 8 -define png:exclude-chunks=date,time PNG32:guide_help.png

# Page 29: F12, Escape and Enter (narrow: the page's lines need the room).
key k1 60 "F12"; key k2 60 "Esc"; key k3 80 "Enter"
convert -size 90x170 xc:"$paper" "$tmp/k1.png" -geometry +15+4 -composite "$tmp/k2.png" -geometry +15+62 -composite \
  "$tmp/k3.png" -geometry +5+120 -composite -type TrueColor -quality 85 guide_keys.jpg

# Page 30: the four example data files.
datafile() {
  convert -size 100x70 xc:none -fill '#FFFFFF' -stroke "$blue" -strokewidth 2 \
    -draw "polygon 2,2 80,2 97,19 97,67 2,67" -fill '#D8E2F0' -draw "polygon 80,2 80,19 97,19" \
    -stroke none -fill "$blue" -font "$bold" -pointsize 18 -gravity center -annotate +0-4 "$2" \
    -font "$sans" -pointsize 11 -annotate +0+18 "$3" "$tmp/$1.png"
}
datafile d1 1 "note"; datafile d2 10 "notes"; datafile d3 30 "notes"; datafile d4 80 "notes"
convert -size 230x160 xc:"$paper" "$tmp/d1.png" -geometry +8+4 -composite "$tmp/d2.png" -geometry +120+4 -composite \
  "$tmp/d3.png" -geometry +8+84 -composite "$tmp/d4.png" -geometry +120+84 -composite -quality 85 guide_datafiles.jpg

# Page 31: the program's icon on a soft light.
python3 -c "
import sys, make_icons
size = 96
pixels = make_icons.app_icon(size)
out = open(sys.argv[1], 'wb')
out.write(b'P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' % (size, size))
out.write(bytes(v for row in pixels for px in row for v in px))
" "$tmp/icon.pam"
convert "$tmp/icon.pam" "$tmp/icon.png"
convert -size 230x150 radial-gradient:'#FFFFFF'-'#DCE6F4' "$tmp/icon.png" -gravity center -composite \
  -quality 85 guide_thanks.jpg

# The backdrop of the tip of the day and the first-start screens: a light
# wash with two soft arcs at the bottom right, pale enough under black text.
convert -size 540x400 gradient:'#FFFFFF'-'#EEF3FA' \
  -fill none -stroke '#E0E8F4' -strokewidth 28 -draw "arc 300,260 760,720 180,270" \
  -stroke '#E8EEF7' -strokewidth 14 -draw "arc 360,300 700,640 180,270" -quality 80 screen_backdrop.jpg
identify guide_*.jpg guide_*.png screen_backdrop.jpg
