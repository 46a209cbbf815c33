# Sourced by the benchmark scripts: installs the comparison tools that are
# missing, by Debian package (never by the build):
#   install_missing_tools <command>:<package> ...
install_missing_tools() {
  local need=() pair
  for pair in "$@"; do
    command -v "${pair%%:*}" >/dev/null || need+=("${pair#*:}")
  done
  [ ${#need[@]} -eq 0 ] && return 0
  echo "Installing for the benchmark: ${need[*]}"
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${need[@]}" >/dev/null
}

# "median min max" of the numbers on standard input (one a line), to two
# decimals; "- - -" when there are none. The benchmarks report this, never the best.
summarize() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "- - -"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.2f %.2f %.2f\n", m, v[1], v[NR] }'
}

# Milliseconds since the epoch.
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Downloads (never installs) the Debian packages that entries of the form
# "<package> <path inside it> <label>" name, and unpacks them below <folder>/x:
#   unpack_debian_packages <folder> <entry> ...
unpack_debian_packages() {
  local folder=$1; shift
  (cd "$folder"
   for package in $(printf '%s\n' "$@" | cut -d' ' -f1 | sort -u); do
     apt-get download "$package" >/dev/null 2>&1 || echo "not downloaded: $package" >&2
   done
   for deb in *.deb; do [ -f "$deb" ] && dpkg -x "$deb" x; done)
}
