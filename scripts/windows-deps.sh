#!/bin/bash
# Builds the libraries the native Windows program needs (libjpeg-turbo, libpng,
# libtiff, libcurl with Schannel, WordNet, GoogleTest) from Debian's source
# packages for one MinGW-w64 target, into <build-dir>/deps. zlib comes from
# libz-mingw-w64-dev. The prefix is kept while the source versions stay the same.
# Usage: scripts/windows-deps.sh <build-dir> <i686|x86_64>
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "$1" && cd "$1" && pwd)
arch=$2
case "$arch" in
  i686) triple=i686-w64-mingw32; winver=0x0501 ;;
  x86_64) triple=x86_64-w64-mingw32; winver=0x0502 ;;
  *) echo "unknown target $arch" >&2; exit 2 ;;
esac
toolchain="$here/cmake/mingw-$arch.cmake"
prefix="$build/deps"
work="$build/deps-work"
jobs=${TAVIK_JOBS:-3}
sources=(libjpeg-turbo libpng1.6 tiff curl wordnet)

# What the prefix was built from: every source version on offer, the GoogleTest
# package, and this script with its toolchain.
wanted() {
  for p in "${sources[@]}"; do
    echo "$p $(apt-cache showsrc "$p" 2>/dev/null | awk '/^Version:/{print $2}' | sort -V | tr '\n' ' ')"
  done
  echo "googletest $(dpkg-query -W -f='${Version}' libgtest-dev)"
  cat "$0" "$toolchain" "$here/cmake/mingw-common.cmake" | sha1sum
}
stamp="$prefix/versions.txt"
if [ -f "$stamp" ] && [ "$(wanted)" == "$(cat "$stamp")" ]; then
  echo "windows-deps: $prefix is up to date"
  exit 0
fi
rm -rf "$prefix" "$work"
mkdir -p "$prefix/include" "$prefix/lib" "$prefix/bin" "$work/src"

# apt-get source of the newest version; where the security suite lacks a file,
# ask for each version the index offers by number, newest first.
fetch() {
  local p=$1 d="$work/src/$1"
  mkdir -p "$d"
  if ! (cd "$d" && apt-get source -qq "$p" >/dev/null 2>&1); then
    local ok=0
    for v in $(apt-cache showsrc "$p" | awk '/^Version:/{print $2}' | sort -Vr); do
      rm -rf "${d:?}"/*
      if (cd "$d" && apt-get source -qq "$p=$v" >/dev/null 2>&1); then ok=1; break; fi
    done
    [ $ok -eq 1 ] || { echo "windows-deps: cannot fetch the source of $p" >&2; exit 1; }
  fi
  find "$d" -mindepth 1 -maxdepth 1 -type d | head -1
}

configure() {  # configure <source> <build> [cmake options...]
  local s=$1 b=$2; shift 2
  cmake -S "$s" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTAVIK_WINDOWS_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_C_FLAGS="-D_WIN32_WINNT=$winver" -DCMAKE_CXX_FLAGS="-D_WIN32_WINNT=$winver" \
    "$@" >"$b.log" 2>&1 || { tail -30 "$b.log"; exit 1; }
}
make_install() {
  cmake --build "$1" -j"$jobs" --target "${2:-install}" >>"$1.log" 2>&1 || { tail -30 "$1.log"; exit 1; }
}

t0=$(date +%s)
src=$(fetch libjpeg-turbo)
configure "$src" "$work/jpeg" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
make_install "$work/jpeg" jpeg-static
cp "$work/jpeg/libjpeg.a" "$prefix/lib/"
cp "$src"/jpeglib.h "$src"/jmorecfg.h "$src"/jerror.h "$work/jpeg/jconfig.h" "$prefix/include/"
echo "windows-deps: libjpeg-turbo $(( $(date +%s) - t0 )) s"

t0=$(date +%s)
src=$(fetch libpng1.6)
configure "$src" "$work/png" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
make_install "$work/png"
echo "windows-deps: libpng $(( $(date +%s) - t0 )) s"

t0=$(date +%s)
src=$(fetch tiff)
configure "$src" "$work/tiff" -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
  -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF -Djpeg=ON -Dzlib=ON -Dold-jpeg=OFF -Djbig=OFF \
  -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dpixarlog=OFF
make_install "$work/tiff"
echo "windows-deps: libtiff $(( $(date +%s) - t0 )) s"

# libcurl as a DLL beside the program, opened at the first download; TLS through Schannel.
t0=$(date +%s)
src=$(fetch curl)
configure "$src" "$work/curl" -DBUILD_SHARED_LIBS=ON -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF \
  -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_USE_LIBSSH2=OFF -DUSE_LIBIDN2=OFF \
  -DUSE_NGHTTP2=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DCURL_ZLIB=ON -DHTTP_ONLY=ON \
  -DCURL_DISABLE_LDAP=ON -DENABLE_MANUAL=OFF -DCURL_TARGET_WINDOWS_VERSION=$winver \
  -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc -static"
make_install "$work/curl"
echo "windows-deps: libcurl $(( $(date +%s) - t0 )) s"

# WordNet: the library part only, as plain C (the program names the dictionary folder).
t0=$(date +%s)
src=$(fetch wordnet)
mkdir -p "$work/wordnet"
for c in "$src"/lib/*.c; do
  "$triple-gcc-posix" -O2 -w -I"$src/include" -c "$c" -o "$work/wordnet/$(basename "$c" .c).o"
done
"$triple-ar" rcs "$prefix/lib/libwordnet.a" "$work/wordnet"/*.o
cp "$src/include/wn.h" "$prefix/include/"
echo "windows-deps: wordnet $(( $(date +%s) - t0 )) s"

t0=$(date +%s)
configure /usr/src/googletest "$work/gtest" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
make_install "$work/gtest"
echo "windows-deps: googletest $(( $(date +%s) - t0 )) s"

wanted >"$stamp"
