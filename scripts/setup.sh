#!/bin/bash
# Installs the Debian packages that building, testing and the examples need,
# and makes 32-bit x86 programs (and so wine32) run on this 64-bit machine.
# Quick when everything is already there: apt-get runs only for what is
# missing, and the binfmt_misc registration is made only when none exists.
#
# What it changes on the machine beyond installing packages (undo: see
# docs/WINDOWS.md, "What the setup changes"):
#   - adds the i386 architecture to dpkg (for wine32:i386);
#   - adds the bookworm-backports suite in
#     /etc/apt/sources.list.d/gannet-bookworm-backports.sources; its packages
#     are installed only when asked for by name (qemu-user-static);
#   - mounts binfmt_misc at /proc/sys/fs/binfmt_misc when it is not mounted and
#     registers qemu-i386 for 32-bit x86 ELF programs, unless something is
#     registered for them already. Neither survives a reboot.
set -euo pipefail

PACKAGES=(
  build-essential cmake git
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libstb-dev libgif-dev
  imagemagick assimp-utils locales
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
  # The console program and the two emulators its tests run in.
  gcc-mipsel-linux-gnu g++-mipsel-linux-gnu
  retroarch libretro-beetle-psx pcsxr xvfb
)
# wine32 needs the qemu-user of bookworm-backports: the one of bookworm
# cannot reserve the address range wine asks for.
BACKPORTS_PACKAGES=(qemu-user-static)
I386_PACKAGES=(wine32:i386)
backports_list=/etc/apt/sources.list.d/gannet-bookworm-backports.sources
binfmt=/proc/sys/fs/binfmt_misc
qemu_i386=/usr/bin/qemu-i386-static

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Echoes the packages of the arguments that are not installed.
missing_of() {
  local package
  for package in "$@"; do
    installed "$package" || echo "$package"
  done
}

need_root() {
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: $1 and not root: run as root, or do it yourself." >&2
    exit 1
  fi
}

apt_updated=
apt_update() {
  if [[ -z $apt_updated ]]; then
    apt-get update -qq
    apt_updated=1
  fi
}

export DEBIAN_FRONTEND=noninteractive

mapfile -t missing < <(missing_of "${PACKAGES[@]}")
if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  need_root "Missing packages"
  apt_update
  apt-get install -y -qq "${missing[@]}"
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_root "The i386 architecture is missing"
  echo "Adding the i386 architecture"
  dpkg --add-architecture i386
  apt_updated=
fi
if [[ ! -e $backports_list ]] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d/; then
  need_root "The bookworm-backports suite is missing"
  echo "Adding the bookworm-backports suite"
  cat >"$backports_list" <<'SOURCES'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt_updated=
fi
mapfile -t missing < <(missing_of "${BACKPORTS_PACKAGES[@]}")
if ((${#missing[@]} > 0)); then
  echo "Installing from bookworm-backports: ${missing[*]}"
  need_root "Missing packages"
  apt_update
  apt-get install -y -qq -t bookworm-backports "${missing[@]}"
fi

# True when a registration of binfmt_misc takes 32-bit x86 ELF programs:
# its magic begins with the ELF class 1 header and names machine 3 (i386).
i386_registered() {
  local entry
  for entry in "$binfmt"/*; do
    [[ -f $entry && $(basename "$entry") != register && $(basename "$entry") != status ]] || continue
    grep -qx enabled "$entry" || continue
    if grep -Eq '^magic 7f454c460101.{24}0300' "$entry"; then
      return 0
    fi
  done
  return 1
}

# Makes the kernel run 32-bit x86 programs through qemu-i386. A refusal is
# reported in one line; the 32-bit stage of the tests then fails on it, the
# rest of the setup and the other stages stay usable.
register_qemu_i386() {
  if [[ ! -e $binfmt/register ]]; then
    need_root "binfmt_misc is not mounted"
    if ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
      echo "setup: 32-bit x86 programs cannot run here: the kernel refused to mount binfmt_misc at $binfmt" >&2
      return
    fi
  fi
  if ! i386_registered; then
    need_root "No binfmt_misc registration for 32-bit x86 programs"
    echo "Registering $qemu_i386 for 32-bit x86 programs"
    # F: the kernel opens the emulator now, so it is found in every mount
    # namespace and chroot later on.
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s' ":gannet-qemu-i386:M::$magic:$mask:$qemu_i386:F" >"$binfmt/register" 2>/dev/null ||
      echo "setup: 32-bit x86 programs cannot run here: the kernel refused the binfmt_misc registration of $qemu_i386" >&2
  fi
}
# Before wine32 is installed: its packages' install scripts run 32-bit
# programs.
register_qemu_i386
mapfile -t missing < <(missing_of "${I386_PACKAGES[@]}")
if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  need_root "Missing packages"
  apt_update
  apt-get install -y -qq "${missing[@]}"
fi
