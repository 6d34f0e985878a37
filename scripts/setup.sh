#!/bin/bash
# Installs the Debian packages that building, testing and the examples need.
# Quick when everything is already there: apt-get runs only for what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake git
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libstb-dev
  imagemagick assimp-utils locales
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages and not root: run as root, or install them yourself." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
