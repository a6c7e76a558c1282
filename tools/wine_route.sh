#!/usr/bin/env bash
# Prints how this machine runs the Windows programs under Wine:
#   native  32-bit Wine runs: the i686 programs run as they are;
#   emu     no 32-bit code runs, but qemu's user-mode emulator is installed and a user
#           namespace may mount its own binfmt_misc: 64-bit Wine runs natively and its
#           32-bit half, which runs the i686 programs, is emulated (tools/wine32emu);
#   wine64  neither: only the x86_64 build of the programs can run, under 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo native
elif [ -x /usr/lib/wine/wine64 ] && [ -x /usr/bin/qemu-i386-static ] &&
  unshare --user --map-root-user --mount --propagation private -- \
    sh -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc' >/dev/null 2>&1; then
  echo emu
else
  echo wine64
fi
