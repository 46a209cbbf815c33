#!/bin/sh
# Builds one libFuzzer binary per decoder and one for the thumbnail and icon
# files, and one per text reader (data file, mark-up, lists, search query, the
# sync folders' files, the merge, the change log, side files, the paste's
# decisions, the editor's rich-text stream, the image caches), with clang,
# ASan and UBSan:
#   build_fuzzers.sh <source root> <output folder>
set -e
root=$1
out=$2
mkdir -p "$out/obj"
# Every compile and link runs in the background; each one's status counts.
pids=""
started() { pids="$pids $!"; }
wait_all() {
  failed=0
  for pid in $pids; do wait "$pid" || failed=1; done
  pids=""
  [ "$failed" = 0 ] || { echo "building the fuzzers failed" >&2; exit 1; }
}
flags="-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-exceptions -I$root"
objs=""
for src in image_pixels byte_stream image_ops codec_detect codec_size codec_dispatch codec_bmp codec_gif codec_ico \
           codec_tga codec_pcx codec_wbmp codec_wmf_header codec_jpeg codec_png codec_tiff; do
  clang++ $flags -c "$root/imaging/$src.cpp" -o "$out/obj/$src.o" & started
  objs="$objs $out/obj/$src.o"
done

# The text code is Win32 code: it compiles against Wine's headers as wineg++
# would (16-bit wchar_t, the Microsoft calling convention) and links with
# fuzz/text_host.cpp in place of the system libraries.
wine_include=/usr/include/wine/wine/windows
[ -d "$wine_include" ] || wine_include=/usr/include/wine/windows
text_flags="$flags -fshort-wchar -DWINE_UNICODE_NATIVE -DWIN64 -D_WIN64 -D__WIN64 -D__WIN64__ -DWIN32 -D_WIN32 \
  -D__WIN32 -D__WIN32__ -D__WINNT -D__WINNT__ -D__stdcall=__attribute__((ms_abi)) -D__cdecl=__stdcall \
  -D__fastcall=__stdcall -D_stdcall=__stdcall -D_cdecl=__cdecl -D_fastcall=__fastcall \
  -D__declspec(x)=__declspec_##x -D__declspec_align(x)=__attribute__((aligned(x))) \
  -D__declspec_allocate(x)=__attribute__((section(x))) -D__declspec_deprecated=__attribute__((deprecated)) \
  -D__declspec_dllimport= -D__declspec_dllexport= -D__declspec_naked=__attribute__((naked)) \
  -D__declspec_noinline=__attribute__((noinline)) -D__declspec_noreturn=__attribute__((noreturn)) \
  -D__declspec_nothrow=__attribute__((nothrow)) -D__declspec_novtable=__attribute__(()) \
  -D__declspec_selectany=__attribute__((weak)) -D__declspec_thread=__thread -D__int8=char -D__int16=short \
  -D__int32=int -D__int64=long -D__WINE__ -isystem $wine_include -idirafter $(dirname $wine_include)"
text_objs=""
for src in foundation/ai_string foundation/ai_string_list foundation/ai_string_table foundation/text_markup \
           foundation/trace foundation/process_end notestore/datafile_format notestore/sync/sync_table notestore/sync/copy_text \
           notestore/sync/edit_markers notestore/note_merge search/query_parser search/search_tables dialogs/images/image_list_rules \
           notestore/change_log_format notestore/side_file_text editor/clipboard/clipboard_rules editor/links/link_describe \
           ui/layout_rtf \
           fuzz/text_host; do
  name=$(basename $src)
  clang++ $text_flags -c "$root/$src.cpp" -o "$out/obj/text_$name.o" & started
  text_objs="$text_objs $out/obj/text_$name.o"
done
wait_all

for target in dib:0 bmp:1 gif:2 jpg:3 png:4 ico:5 tif:6 tga:7 pcx:8 wbmp:9 wmf:10; do
  name=${target%%:*}
  code=${target##*:}
  clang++ $flags -fsanitize=fuzzer -DFUZZ_FORMAT=$code "$root/fuzz/fuzz_decoder.cpp" $objs \
    -ljpeg -lpng -ltiff -o "$out/fuzz_$name" & started
done
clang++ $flags -fsanitize=fuzzer "$root/fuzz/fuzz_thumb.cpp" $objs -ljpeg -lpng -ltiff -o "$out/fuzz_thumb" & started
for name in datafile markup list query sync image_cache merge change_log side_file paste rtf thumb_cache; do
  clang++ $text_flags -fsanitize=fuzzer "$root/fuzz/fuzz_$name.cpp" $text_objs -o "$out/fuzz_$name" & started
done
wait_all
