#!/bin/sh
# The image list of a folder of 1,000 pictures (JPEG and PNG, sizes from
# 640x480 to 3000x2000), side by side with ImageMagick making the same files:
# a screen-size JPEG (quality 85) of every picture and a 300x300 JPEG icon
# (quality 90) of that copy, with `mogrify -thumbnail` (one process for all
# pictures, as ours is one). Ours runs cold (no list cache, no thumbnails)
# and warm (both there). Ratios are ours / ImageMagick.
#   image_list_compare.sh <build folder> [count]
build=$1
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/images" "$work/temp" "$work/im_thumb" "$work/im_icon"

# A few distinct pictures, copied under many names.
i=0
for size in 640x480 1024x768 1600x1200 3000x2000; do
  for kind in jpg png; do
    convert -size "$size" plasma:fractal -blur 0x1 -quality 90 "$work/seed_$i.$kind"
    i=$((i + 1))
  done
done
seeds=$i
n=0
while [ $n -lt "$count" ]; do
  for seed in "$work"/seed_*; do
    [ $n -lt "$count" ] || break
    ext=${seed##*.}
    cp "$seed" "$work/images/$(printf 'pic%04d_2011_0523%04d' $n $n).$ext"
    n=$((n + 1))
  done
done

ours() {
  "$build/wine-run.sh" "$build/bench/image_list_bench.exe" "$work/images" "$work/temp" "$work/tavik_images.cache" \
    1280 1024 > "$work/ours.txt" || { echo "image_list_bench failed" >&2; exit 1; }
  awk '/^total_ms/ { print $2 / 1000 }' "$work/ours.txt"
}
cold=$(ours)
made=$(awk '/^made/ { print $2 }' "$work/ours.txt")
warm=$(ours)
reused=$(awk '/^origin/ { print $2 }' "$work/ours.txt")

start=$(date +%s.%N)
mogrify -path "$work/im_thumb" -thumbnail 1280x1024 -quality 85 -format jpg "$work/images/"*
mogrify -path "$work/im_icon" -thumbnail 300x300 -quality 90 -format jpg "$work/im_thumb/"*
end=$(date +%s.%N)
magick=$(echo "$start $end" | awk '{ print $2 - $1 }')

echo "$count pictures ($seeds distinct), screen copy 1280x1024 and 300x300 icon each"
printf '%-36s %9s | %8s\n' run seconds ratio
echo "$cold $made" | awk -v m="$magick" '{ printf "%-36s %9.2f | %8.2f\n", "ours cold (scan, " $2 " made)", $1, $1 / m }'
echo "$warm $reused" | awk -v m="$magick" '{ printf "%-36s %9.2f | %8.2f\n", "ours warm (list from " $2 ")", $1, $1 / m }'
printf '%-36s %9.2f |\n' "mogrify -thumbnail" "$magick"
