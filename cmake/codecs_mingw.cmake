# Win32 tree: the codec libraries cross-built from Debian's source packages.
# (Filled in by the cross-build.)
