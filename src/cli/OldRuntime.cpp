// Windows 98's C runtime (msvcrt.dll 6.0) has no _fstat64, which the standard library's console
// streams import (nvkctl never reaches the call). A program importing it would not start there at
// all, so the library is given this one instead, over _fstati64, which every runtime has.
#include <sys/stat.h>

#if defined(__MINGW32__) && !defined(_WIN64)

namespace {

int __cdecl Fstat64(int fd, struct _stat64* out) {
  struct _stati64 st;
  const int result = _fstati64(fd, &st);
  if (result != 0) return result;
  out->st_dev = st.st_dev;
  out->st_ino = st.st_ino;
  out->st_mode = st.st_mode;
  out->st_nlink = st.st_nlink;
  out->st_uid = st.st_uid;
  out->st_gid = st.st_gid;
  out->st_rdev = st.st_rdev;
  out->st_size = st.st_size;
  out->st_atime = st.st_atime;
  out->st_mtime = st.st_mtime;
  out->st_ctime = st.st_ctime;
  return 0;
}

}  // namespace

// The name the library's import reference resolves to: defined here, no import is made.
extern "C" {
int(__cdecl* _imp___fstat64)(int, struct _stat64*) = Fstat64;
}

#endif
