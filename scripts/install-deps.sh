#!/usr/bin/env bash
# Installs the Debian packages the code needs. Does nothing when all of them
# are present; runs apt-get update only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev openssl
  libxml2-dev libxml2-utils xmlsec1
  zlib1g-dev
  libcurl4-openssl-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  locales tzdata
  curl tinyproxy
  softhsm2 opensc p11-kit libp11-kit-dev libp11-dev libengine-pkcs11-openssl
  zbar-tools
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
