#!/bin/bash
# Thumbnails beside vipsthumbnail and ImageMagick's `convert -thumbnail`,
# like for like: every tool reads the same generated 4000x3000 JPEG or PNG,
# makes a size x size thumbnail and writes it as a JPEG file, timed as a
# whole process with its peak memory. Each round runs the three once, in an
# order that turns with the round; the ratios are taken per round (ours over
# the other tool of the same round) and every figure is the median of the
# rounds with its minimum and maximum. Ours also prints its in-process time
# (the program under Wine starts in about 0.1 s, which a native tool does
# not pay).
#   imaging_thumbnail_compare.sh <build folder> [size] [rounds]
build=$1
size=${2:-300}
rounds=${3:-7}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/bench_tools.sh"
install_missing_tools vipsthumbnail:libvips-tools convert:imagemagick

# One whole run: appends "seconds kilobytes" to $work/<name>.txt.
whole() {
  local name=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" > "$work/out.txt" 2>/dev/null || { echo "failed: $*" >&2; exit 1; }
  cat "$work/time.txt" >> "$work/$name.txt"
}

convert -size 4000x3000 plasma:fractal -blur 0x1 "$work/big.ppm"
convert "$work/big.ppm" -quality 90 "$work/big.jpg"
convert "$work/big.ppm" "$work/big.png"
printf '%-5s %-22s | %-20s %-20s | %-17s %-17s\n' type tool "wall_s med min max" "peak_MB med min max" \
  "time_x med min max" "vs_magick_x"
for type in jpg png; do
  rm -f "$work"/ours.txt "$work"/inside.txt "$work"/vips.txt "$work"/magick.txt
  for round in $(seq "$rounds"); do
    for step in 0 1 2; do
      case $(( (step + round) % 3 )) in
        0) whole ours "$build/wine-run.sh" "$build/bench/imaging_thumbnail_bench.exe" "$work/big.$type" "$size" 1 \
             "$work/ours.jpg"
           awk '/^total/ { print $2 / 1000 }' "$work/out.txt" >> "$work/inside.txt" ;;
        1) whole vips vipsthumbnail "$work/big.$type" -s "$size" -o "$work/vips.jpg[Q=85]" ;;
        2) whole magick convert "$work/big.$type" -thumbnail "${size}x${size}" -quality 85 "$work/im.jpg" ;;
      esac
    done
  done
  for tool in ours vips magick; do
    case $tool in ours) label="ours (whole process)" ;; vips) label=vipsthumbnail ;; magick) label="convert -thumbnail" ;; esac
    ratio="" vsmagick=""
    if [ $tool = ours ]; then
      ratio=$(paste -d' ' "$work/ours.txt" "$work/vips.txt" | awk '{ print $1 / $3 }' | summarize)
      vsmagick=$(paste -d' ' "$work/ours.txt" "$work/magick.txt" | awk '{ print $1 / $3 }' | summarize)
    fi
    printf '%-5s %-22s | %-20s %-20s | %-17s %-17s\n' "$type" "$label" "$(awk '{ print $1 }' "$work/$tool.txt" | summarize)" \
      "$(awk '{ print $2 / 1024 }' "$work/$tool.txt" | summarize)" "$ratio" "$vsmagick"
  done
  printf '%-5s %-22s | %-20s\n' "$type" "ours (in process)" "$(summarize < "$work/inside.txt")"
done
echo "(medians of $rounds interleaved rounds with min and max; time_x is ours over vipsthumbnail per round)"
