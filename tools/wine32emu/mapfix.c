/* Preloaded into the 32-bit Wine processes that run under user-mode emulation.
 *
 * The emulator takes MAP_FIXED_NOREPLACE as a plain hint: asked for a taken address it
 * maps elsewhere and reports success. Wine then believes it holds a range it does not
 * and probes its whole address space page range by page range, which costs about a
 * minute per process. Here the flag gets its kernel meaning back: the mapping lands
 * exactly at the address asked for, or the call fails with EEXIST.
 *
 * Built with -nostdlib from no headers (no 32-bit C library headers are needed); the C
 * library functions used are bound when the library is loaded. Built with
 * ZD_MAPFIX_EMPTY it is the empty 64-bit library of the same name, which keeps the
 * dynamic loader of the native processes quiet. */

#ifndef ZD_MAPFIX_EMPTY

typedef unsigned int size_t;
typedef long off_t;
typedef long long off64_t;

#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define MAP_FAILED ((void*)-1)
#define RTLD_NEXT ((void*)-1)

void* dlsym(void* handle, const char* symbol);
int* __errno_location(void);

typedef void* (*mmap64_fn)(void*, size_t, int, int, int, off64_t);
typedef int (*munmap_fn)(void*, size_t);

static mmap64_fn realMmap64;
static munmap_fn realMunmap;

static void* placed(void* wanted, void* got, size_t length) {
  if (got == MAP_FAILED || got == wanted) return got;
  if (!realMunmap) realMunmap = (munmap_fn)dlsym(RTLD_NEXT, "munmap");
  realMunmap(got, length);
  *__errno_location() = EEXIST;
  return MAP_FAILED;
}

void* mmap64(void* addr, size_t length, int prot, int flags, int fd, off64_t offset) {
  if (!realMmap64) realMmap64 = (mmap64_fn)dlsym(RTLD_NEXT, "mmap64");
  if (!(flags & MAP_FIXED_NOREPLACE) || !addr)
    return realMmap64(addr, length, prot, flags, fd, offset);
  return placed(addr, realMmap64(addr, length, prot, flags & ~MAP_FIXED_NOREPLACE, fd, offset),
                length);
}

/* The same call with a 32-bit offset, which the C library reads as unsigned. */
void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) {
  return mmap64(addr, length, prot, flags, fd, (off64_t)(unsigned long)offset);
}
#endif
