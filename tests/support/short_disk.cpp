// A disk that fills up, for tests: preloaded into a program (LD_PRELOAD), it lets the program's
// temporary files (".pedivo-…") grow to PEDIVO_TEST_DISK_BYTES bytes and then fails every further
// write with ENOSPC, as a full file system does. PEDIVO_TEST_FAIL=fsync or =close fails that call
// instead, as a file system does that reports a lost write only at the flush or the close. Without
// these variables every call goes through unchanged.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isTemporary(int fd) {
  char link[64], name[PATH_MAX];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, name, sizeof name - 1);
  if (n <= 0) return false;
  name[n] = '\0';
  const char* base = strrchr(name, '/');
  return base != nullptr && std::strncmp(base + 1, ".pedivo-", 8) == 0;
}

// Bytes the file at `fd` may still take, or -1 for no limit.
long long room(int fd, long long position) {
  const char* limit = getenv("PEDIVO_TEST_DISK_BYTES");
  if (limit == nullptr || !isTemporary(fd)) return -1;
  const long long left = std::atoll(limit) - position;
  return left > 0 ? left : 0;
}

bool failing(const char* call, int fd) {
  const char* fail = getenv("PEDIVO_TEST_FAIL");
  return fail != nullptr && std::strcmp(fail, call) == 0 && isTemporary(fd);
}

template <class F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t count) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  const long long left = room(fd, static_cast<long long>(lseek(fd, 0, SEEK_CUR)));
  if (left >= 0 && static_cast<long long>(count) > left) {
    if (left == 0) {
      errno = ENOSPC;
      return -1;
    }
    count = static_cast<size_t>(left);
  }
  return real(fd, data, count);
}

size_t fwrite(const void* data, size_t size, size_t count, FILE* stream) {
  static const auto real = next<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite");
  const long long left = size == 0 ? -1 : room(fileno(stream), static_cast<long long>(ftello(stream)));
  if (left >= 0 && static_cast<long long>(size * count) > left) {
    const size_t fits = static_cast<size_t>(left) / size;
    const size_t written = fits > 0 ? real(data, size, fits, stream) : 0;
    errno = ENOSPC;
    return written;
  }
  return real(data, size, count, stream);
}

int fsync(int fd) {
  static const auto real = next<int (*)(int)>("fsync");
  if (failing("fsync", fd)) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}

int close(int fd) {
  static const auto real = next<int (*)(int)>("close");
  const int fail = failing("close", fd);
  const int closed = real(fd);
  if (fail) {
    errno = ENOSPC;
    return -1;
  }
  return closed;
}

}  // extern "C"
