#!/usr/bin/env bash
# Checks the Debian package on a clean Debian 12: installs it with apt into
# a fresh minimal root (debootstrap, minbase), which must pull in every
# dependency, then runs `linewarden --headless --demo` there for 30 s and
# shows the start of `man linewarden`. Run by hand, as root:
#
#   scripts/check_package_in_clean_root.sh build/linewarden_*_amd64.deb [ROOT]
#
# ROOT (default /tmp/deb12root) is made once and reused; delete it for a
# clean start. The Debian mirror is the one this machine's apt uses.
set -euo pipefail

deb=${1:?usage: $0 PACKAGE.deb [ROOT]}
root=${2:-/tmp/deb12root}
deb=$(realpath "$deb")
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root" >&2; exit 2; }

# The Debian archive and its security archive as this machine's apt
# reaches them, from the one-line and the deb822 source lists.
apt_uris() {
  {
    grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
      | sed -E 's/\[[^]]*\]//' | awk '{print $2}'
    grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | sed -E 's/^URIs:[[:space:]]*//' | tr ' ' '\n'
  } | sed -E 's#/+$##' | grep -v '^$'
}
mirror=$(apt_uris | grep -E '/debian$' | head -n1)
security=$(apt_uris | grep -E '/debian-security$' | head -n1)
[ -n "$mirror" ] || { echo "$0: no Debian mirror in the apt sources" >&2; exit 2; }

if ! command -v debootstrap >/dev/null; then
  apt-get install -y -q --no-install-recommends debootstrap
fi

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== debootstrap --variant=minbase bookworm $root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >/tmp/debootstrap.log 2>&1 \
    || { tail -20 /tmp/debootstrap.log; exit 1; }
fi

{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  [ -n "$security" ] && echo "deb $security bookworm-security main"
} >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"

mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" || true; done
}
trap cleanup EXIT
mount_in() { mount "$@" && mounts+=("${!#}"); }
mount_in -t proc proc "$root/proc"
mount_in -t sysfs sysfs "$root/sys"
mount_in --bind /dev "$root/dev"
mount_in -t devpts devpts "$root/dev/pts"
# The browser engine shares memory through /dev/shm.
mount_in -t tmpfs tmpfs "$root/dev/shm"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
apt_opts=(-o Acquire::Check-Valid-Until=false -o Acquire::Check-Date=false -q)

# An earlier run's install goes first, so that every run pulls the same.
in_root dpkg --purge linewarden >/dev/null 2>&1 || true
in_root apt-get "${apt_opts[@]}" update >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" autoremove -y --purge >/dev/null

before=$(in_root dpkg-query -W -f='${binary:Package}\n' | wc -l)
cp "$deb" "$root/tmp/"
echo "== apt-get install --no-install-recommends ./$(basename "$deb")"
in_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" install -y --no-install-recommends \
  "/tmp/$(basename "$deb")" >/tmp/clean-root-install.log
grep -E '^[0-9]+ upgraded, [0-9]+ newly installed' /tmp/clean-root-install.log
after=$(in_root dpkg-query -W -f='${binary:Package}\n' | wc -l)
echo "packages in the root: $before before, $after after ($((after - before)) pulled in with linewarden)"
in_root dpkg-query -W -f='${Depends}\n' linewarden | tr ',' '\n' | sed 's/^ */  depends: /'

echo "== linewarden --headless --demo --sample 5 for 30 s"
status=0
in_root timeout --preserve-status -s TERM 30 \
  linewarden --headless --demo --sample 5 --data-dir /tmp/linewarden-demo >/tmp/clean-root-demo.out 2>&1 \
  || status=$?
cat /tmp/clean-root-demo.out
samples=$(grep -c ' noise margin down ' /tmp/clean-root-demo.out || true)
echo "exit status $status after SIGTERM, $samples samples"
ls "$root/tmp/linewarden-demo"

echo "== man linewarden"
in_root env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" install -y --no-install-recommends man-db \
  >/dev/null
in_root env MANWIDTH=80 man -P cat linewarden 2>&1 | head -n 12

[ "$status" -eq 0 ] && [ "$samples" -ge 3 ]
