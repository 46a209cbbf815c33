#!/bin/sh
# Side by side: our thumbnail path against ImageMagick's `convert -thumbnail`
# on a generated 4000x3000 JPEG.
#   imaging_thumbnail_compare.sh <build folder> [size]
build=$1
size=${2:-300}
work=$(mktemp -d)
convert -size 4000x3000 plasma:fractal -blur 0x1 -quality 90 "$work/big.jpg"
echo "== ours (in-process figures, best of 5)"
"$build/wine-run.sh" "$build/bench/imaging_thumbnail_bench.exe" "$work/big.jpg" "$size" 5
echo "== ours, whole process including Wine start-up"
/usr/bin/time -f "wall %e s, max RSS %M KB" "$build/wine-run.sh" "$build/bench/imaging_thumbnail_bench.exe" \
  "$work/big.jpg" "$size" 1 > /dev/null
echo "== ImageMagick convert -thumbnail ${size}x${size}"
for i in 1 2 3; do
  /usr/bin/time -f "wall %e s, max RSS %M KB" convert "$work/big.jpg" -thumbnail "${size}x${size}" "$work/im.jpg"
done
echo "== ImageMagick with -define jpeg:size (reduced-scale decode)"
/usr/bin/time -f "wall %e s, max RSS %M KB" convert -define jpeg:size=$((size * 2))x$((size * 2)) "$work/big.jpg" \
  -thumbnail "${size}x${size}" "$work/im.jpg"
rm -rf "$work"
