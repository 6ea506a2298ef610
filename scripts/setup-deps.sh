#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, and only
# those that are missing, so a second run costs nothing.
set -euo pipefail

packages=(
  cmake g++ pkg-config ninja-build
  libgtest-dev libgmock-dev
  libsqlite3-dev libsimpleini-dev libcurl4-openssl-dev libssl-dev libwxgtk3.2-dev
  python3 python3-pyftpdlib openssl curl
  xvfb xauth imagemagick
  clang clang-tidy libclang-rt-14-dev strace
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
