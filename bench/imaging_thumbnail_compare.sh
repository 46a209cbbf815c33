#!/bin/sh
# Side by side, like with like: our thumbnail path against vipsthumbnail and
# ImageMagick's `convert -thumbnail`, on a generated 4000x3000 JPEG and PNG.
# Every tool reads the file, makes a size x size thumbnail and writes it as a
# JPEG file; each is timed as a whole process (best of 3) with its peak
# memory. Ours also prints its in-process time (the program under Wine starts
# in about 0.1 s, which a native tool does not pay). Ratios are ours / vips.
#   imaging_thumbnail_compare.sh <build folder> [size]
build=$1
size=${2:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The comparison's tools come from the distribution, installed here when missing.
command -v vipsthumbnail >/dev/null 2>&1 || apt-get install -y libvips-tools >/dev/null 2>&1 ||
  { echo "vipsthumbnail missing" >&2; exit 1; }

# best of 3: "seconds kilobytes" of a whole run
whole() {
  best=""
  for i in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" > "$work/out.txt" 2>/dev/null || { echo "failed: $*" >&2; exit 1; }
    run=$(cat "$work/time.txt")
    if [ -z "$best" ] || [ "$(echo "$run $best" | awk '{ print ($1 < $3) }')" = 1 ]; then best=$run; fi
  done
  echo "$best"
}

convert -size 4000x3000 plasma:fractal -blur 0x1 "$work/big.ppm"
convert "$work/big.ppm" -quality 90 "$work/big.jpg"
convert "$work/big.ppm" "$work/big.png"
printf '%-5s %-28s %8s %8s | %7s %7s\n' type tool wall_s peak_MB time_x peak_x
for type in jpg png; do
  ours=$(whole "$build/wine-run.sh" "$build/bench/imaging_thumbnail_bench.exe" "$work/big.$type" "$size" 1 \
    "$work/ours.jpg")
  inside=$(awk '/^total/ { print $2 }' "$work/out.txt")
  vips=$(whole vipsthumbnail "$work/big.$type" -s "$size" -o "$work/vips.jpg[Q=85]")
  magick=$(whole convert "$work/big.$type" -thumbnail "${size}x${size}" -quality 85 "$work/im.jpg")
  echo "$ours" "$vips" "$inside" | awk -v t="$type" '{
    printf "%-5s %-28s %8.3f %8.1f | %7.2f %7.2f\n", t, "ours (whole process)", $1, $2 / 1024, $1 / $3, $2 / $4
    printf "%-5s %-28s %8.3f %8s | %7.2f\n", t, "ours (in process)", $5 / 1000, "", ($5 / 1000) / $3 }'
  echo "$vips" | awk -v t="$type" '{ printf "%-5s %-28s %8.3f %8.1f |\n", t, "vipsthumbnail", $1, $2 / 1024 }'
  echo "$magick" | awk -v t="$type" '{ printf "%-5s %-28s %8.3f %8.1f |\n", t, "convert -thumbnail", $1, $2 / 1024 }'
done
