# Installs missing Debian packages; sourced by test.sh and run.sh.
# apt-get update runs at most once, and only when something is missing.

ovilan_apt_updated=0

ovilan_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

ovilan_need_packages() {
  local missing=()
  local package
  for package in "$@"; do
    ovilan_installed "$package" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "Missing packages: ${missing[*]} (install them with your system's package manager)" >&2
    return 1
  fi
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  if [ "$ovilan_apt_updated" -eq 0 ]; then
    $sudo apt-get update -qq
    ovilan_apt_updated=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A locale with a decimal comma, for the test that the engine ignores the user's locale.
ovilan_need_locale() {
  local name=$1 # e.g. de_DE
  if locale -a 2>/dev/null | grep -qi "^${name}\.utf-\?8$"; then
    return 0
  fi
  ovilan_need_packages locales
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8"
}
