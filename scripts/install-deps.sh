#!/usr/bin/env bash
# Installs the Debian packages the station needs. This list is the only place they are
# named: make run, make test and CI all call this script.
#
#   install-deps.sh run           what building and running the station needs
#   install-deps.sh test          the run set plus the test, benchmark and fuzz tools
#                                 (also the default without an argument)
#   install-deps.sh --check SET   installs nothing; exit status 0 when the whole set is
#                                 installed, 1 when something is missing
set -euo pipefail

RUN_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev
  fonts-liberation
  file
)
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth imagemagick dbus
  libjpeg-turbo-progs
  cups printer-driver-cups-pdf poppler-utils
  locales
  xdotool desktop-file-utils
)
# Operators run the station on Polish desktops: the number tests run once more under this
# locale, which the test set makes when the machine does not have it yet.
TEST_LOCALE=pl_PL.UTF-8

usage() {
  echo "usage: $0 [--check] [run|test]" >&2
  exit 2
}

check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
set_name="${1:-test}"
[ $# -le 1 ] || usage
case "$set_name" in
  run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
  test) PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  *) usage ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# locale -a spells UTF-8 as utf8.
have_locale() { locale -a 2>/dev/null | grep -qix "${TEST_LOCALE/UTF-8/utf8}"; }
need_locale=0
if [ "$set_name" = test ] && ! have_locale; then need_locale=1; fi
if [ "$check" -eq 1 ]; then
  [ ${#missing[@]} -eq 0 ] && [ "$need_locale" -eq 0 ]
  exit
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ "$need_locale" -eq 1 ] && ! have_locale; then
  echo "Generating the locale $TEST_LOCALE"
  $SUDO sed -i "s/^# *\($TEST_LOCALE UTF-8\)/\1/" /etc/locale.gen
  grep -q "^$TEST_LOCALE UTF-8" /etc/locale.gen ||
    echo "$TEST_LOCALE UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
