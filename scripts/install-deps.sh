#!/usr/bin/env bash
# Installs the Debian packages the code needs. Does nothing when all of them
# are present; runs apt-get update only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev openssl
  libxml2-dev libxml2-utils xmlsec1
  libxmlsec1-dev
  zlib1g-dev
  libcurl4-openssl-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  locales tzdata
  curl tinyproxy
  softhsm2 opensc p11-kit libp11-kit-dev libp11-dev libengine-pkcs11-openssl
  python3-aiosmtpd
  libfbclient2
  firebird-dev
  firebird3.0-server-core
  firebird3.0-utils
  firebird3.0-server
  qt6-base-dev
  libqt6test6
  libcups2-dev
  cups
  cups-client
  zbar-tools
  libqrencode-dev
  inotify-tools
  pxlib-dev
  xvfb
  imagemagick
  xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  # No package may start a system service here (the Firebird server's would
  # take port 3050): tests start their own private servers.
  policy=/usr/sbin/policy-rc.d
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | as_root tee "$policy" >/dev/null
    as_root chmod +x "$policy"
    trap 'as_root rm -f "$policy"' EXIT
  fi
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number-formatting tests also run under the Brazilian locale.
if ! locale -a 2>/dev/null | grep -qi '^pt_BR\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    as_root sed -i 's/^# *\(pt_BR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^pt_BR.UTF-8 UTF-8' /etc/locale.gen || echo 'pt_BR.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null || echo "warning: could not generate pt_BR.UTF-8; its tests will be skipped"
  fi
fi
