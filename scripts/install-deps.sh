#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those not yet installed.
# Usage: scripts/install-deps.sh GROUP...   (groups: build, test, bench)
set -euo pipefail

packages=()
for group in "$@"; do
  case "$group" in
    build) packages+=(cmake g++ make) ;;
    test) packages+=(cmake g++ make libgtest-dev gcc) ;;
    bench) packages+=(xxd time) ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages ${missing[*]}; run as root or install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
