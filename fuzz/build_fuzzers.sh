#!/bin/sh
# Builds one libFuzzer binary per decoder with clang, ASan and UBSan:
#   build_fuzzers.sh <source root> <output folder>
set -e
root=$1
out=$2
mkdir -p "$out/obj"
flags="-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-exceptions -I$root"
objs=""
for src in image_pixels byte_stream image_ops codec_detect codec_dispatch codec_bmp codec_gif codec_ico \
           codec_tga codec_pcx codec_wbmp codec_wmf_header codec_jpeg codec_png codec_tiff; do
  clang++ $flags -c "$root/imaging/$src.cpp" -o "$out/obj/$src.o" &
  objs="$objs $out/obj/$src.o"
done
wait
for target in dib:0 bmp:1 gif:2 jpg:3 png:4 ico:5 tif:6 tga:7 pcx:8 wbmp:9 wmf:10; do
  name=${target%%:*}
  code=${target##*:}
  clang++ $flags -fsanitize=fuzzer -DFUZZ_FORMAT=$code "$root/fuzz/fuzz_decoder.cpp" $objs \
    -ljpeg -lpng -ltiff -o "$out/fuzz_$name" &
done
wait
