#!/usr/bin/env bash
# enter.sh COMMAND [ARGS...]: runs COMMAND where this machine's kernel, which executes no
# 32-bit program itself, hands every i386 ELF program to qemu's user-mode emulator.
#
# The hand-over is registered in a binfmt_misc instance of a new user and mount
# namespace, so it holds only for COMMAND and what it starts; nothing changes on the
# host. Inside, every program preloads libzdmapfix.so from ZD_EMU_LIB_DIR/$LIB (the 32-bit
# one mends the emulator's mmap, the 64-bit one is empty), and ZD_EMU_INSIDE=1 says the
# route is in place, so that a nested call runs COMMAND as it is.
set -euo pipefail
if [ "${ZD_EMU_INSIDE:-}" = 1 ]; then
  exec "$@"
fi
: "${ZD_EMU_LIB_DIR:?the folder of the built libzdmapfix.so (lib/<triplet>/...)}"
qemu=${ZD_EMU_QEMU:-/usr/bin/qemu-i386-static}
[ -x "$qemu" ] || { echo "enter.sh: $qemu is missing (package qemu-user-static)" >&2; exit 127; }
for lib in i386-linux-gnu x86_64-linux-gnu; do
  [ -f "$ZD_EMU_LIB_DIR/lib/$lib/libzdmapfix.so" ] ||
    { echo "enter.sh: $ZD_EMU_LIB_DIR/lib/$lib/libzdmapfix.so is missing (build first)" >&2; exit 127; }
done
export ZD_EMU_QEMU=$qemu
exec unshare --user --map-root-user --mount --propagation private -- bash -c '
  set -e
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  # i386 ELF executables and shared objects; F: the emulator is opened now, P: argv[0]
  # is kept as the program gave it.
  printf "%s" ":zd-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$ZD_EMU_QEMU:FP" \
    > /proc/sys/fs/binfmt_misc/register
  export ZD_EMU_INSIDE=1
  export LD_PRELOAD="$ZD_EMU_LIB_DIR/\$LIB/libzdmapfix.so${LD_PRELOAD:+ $LD_PRELOAD}"
  exec "$@"' enter.sh "$@"
