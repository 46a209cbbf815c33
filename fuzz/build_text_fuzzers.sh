#!/bin/sh
# Builds the fuzzers of the text readers (PDF, HTML) with clang, ASan and UBSan:
#   build_text_fuzzers.sh <source root> <output folder>
set -e
root=$1
out=$2
mkdir -p "$out/obj_text"
flags="-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-exceptions -I$root"
objs=""
for src in $(cd "$root" && ls search/pdf/pdf_*.cpp search/capture/*.cpp | grep -v -e pdf_text_cache -e web_capture -e page_decode); do
  obj="$out/obj_text/$(basename "$src" .cpp).o"
  clang++ $flags -c "$root/$src" -o "$obj" &
  objs="$objs $obj"
done
wait
clang++ $flags -fsanitize=fuzzer "$root/fuzz/fuzz_pdf.cpp" $objs -lz -o "$out/fuzz_pdf" &
clang++ $flags -fsanitize=fuzzer "$root/fuzz/fuzz_html.cpp" $objs -lz -o "$out/fuzz_html" &
wait
