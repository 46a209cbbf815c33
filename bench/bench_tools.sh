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
