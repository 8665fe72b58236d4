// SPDX-License-Identifier: MIT
// A library loaded with LD_PRELOAD that makes chosen system calls fail, so
// the tests can see what the program does when a disk fails under it.
// Configured by environment variables, read once at load:
//
//   VANTRELO_FAULT_CALL   the calls to fail, comma-separated:
//                           write          write, writev
//                           fsync          fsync, fdatasync of a file
//                           folder-fsync   fsync, fdatasync of a folder
//                           rename         rename, renameat, renameat2
//                           read           read, fread (and their _chk forms)
//                           pread          pread, pread64 (and their _chk forms)
//   VANTRELO_FAULT_NAME   optional shell pattern (fnmatch); only calls on a
//                         file whose path or base name matches count. For a
//                         rename either name may match.
//   VANTRELO_FAULT_AT     the first counted call that fails, from 1 (default 1)
//   VANTRELO_FAULT_TIMES  how many counted calls fail from there on
//                         (default 1; 0 = every one)
//   VANTRELO_FAULT_ERRNO  the error: EIO (default), ENOSPC, EDQUOT, EROFS,
//                         EACCES, EPERM or a number
//   VANTRELO_FAULT_LOG    optional file to which each failure made is
//                         appended as "CALL PATH", so a test can tell that
//                         its fault was reached
//
// Only calls made through the dynamic linker are seen: a library's calls to
// its own internal functions are not (glibc's fwrite, for one).

#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

enum Kind { kWrite = 1, kFsync = 2, kFolderFsync = 4, kRename = 8, kRead = 16, kPread = 32 };

static unsigned g_kinds;
static const char* g_pattern;
static long g_at = 1;
static long g_times = 1;
static int g_errno = EIO;
static const char* g_log;
static long g_counted;

static int parseErrno(const char* text) {
  static const struct {
    const char* name;
    int value;
  } names[] = {{"EIO", EIO},     {"ENOSPC", ENOSPC}, {"EDQUOT", EDQUOT},
               {"EROFS", EROFS}, {"EACCES", EACCES}, {"EPERM", EPERM}};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
    if (strcmp(text, names[i].name) == 0) return names[i].value;
  }
  const int value = atoi(text);
  return value > 0 ? value : EIO;
}

static unsigned parseKinds(const char* text) {
  static const struct {
    const char* name;
    unsigned kind;
  } names[] = {{"write", kWrite},   {"fsync", kFsync}, {"folder-fsync", kFolderFsync},
               {"rename", kRename}, {"read", kRead},   {"pread", kPread}};
  unsigned kinds = 0;
  char buffer[256];
  snprintf(buffer, sizeof buffer, "%s", text);
  char* save = NULL;
  for (char* word = strtok_r(buffer, ",", &save); word; word = strtok_r(NULL, ",", &save)) {
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
      if (strcmp(word, names[i].name) == 0) kinds |= names[i].kind;
    }
  }
  return kinds;
}

__attribute__((constructor)) static void configure(void) {
  const char* calls = getenv("VANTRELO_FAULT_CALL");
  if (calls == NULL) return;
  g_kinds = parseKinds(calls);
  g_pattern = getenv("VANTRELO_FAULT_NAME");
  if (g_pattern != NULL && *g_pattern == '\0') g_pattern = NULL;
  const char* at = getenv("VANTRELO_FAULT_AT");
  if (at != NULL && atol(at) > 0) g_at = atol(at);
  const char* times = getenv("VANTRELO_FAULT_TIMES");
  if (times != NULL) g_times = atol(times);
  const char* error = getenv("VANTRELO_FAULT_ERRNO");
  if (error != NULL) g_errno = parseErrno(error);
  g_log = getenv("VANTRELO_FAULT_LOG");
}

static int nameMatches(const char* path) {
  if (g_pattern == NULL) return 1;
  if (path == NULL) return 0;
  const char* slash = strrchr(path, '/');
  return fnmatch(g_pattern, path, 0) == 0 || (slash && fnmatch(g_pattern, slash + 1, 0) == 0);
}

static void fdPath(int fd, char* path, size_t size) {
  char link[64];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, path, size - 1);
  path[length > 0 ? length : 0] = '\0';
}

// Counts the call when it is one of those chosen; true when it must fail.
static int shouldFail(unsigned kind, const char* name, const char* path, const char* other) {
  if ((g_kinds & kind) == 0) return 0;
  if (!nameMatches(path) && !nameMatches(other)) return 0;
  const long count = __atomic_add_fetch(&g_counted, 1, __ATOMIC_SEQ_CST);
  if (count < g_at || (g_times > 0 && count >= g_at + g_times)) return 0;
  if (g_log != NULL) {
    const int fd = open(g_log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
      dprintf(fd, "%s %s\n", name, path ? path : "");
      close(fd);
    }
  }
  errno = g_errno;
  return 1;
}

static int fdShouldFail(unsigned kind, const char* name, int fd) {
  if ((g_kinds & kind) == 0) return 0;
  char path[4096];
  fdPath(fd, path, sizeof path);
  return shouldFail(kind, name, path, NULL);
}

static unsigned syncKind(int fd) {
  struct stat status;
  return fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) ? kFolderFsync : kFsync;
}

#define NEXT(name) ((__typeof__(&(name)))dlsym(RTLD_NEXT, #name))

ssize_t write(int fd, const void* buffer, size_t count) {
  if (fdShouldFail(kWrite, "write", fd)) return -1;
  return NEXT(write)(fd, buffer, count);
}

ssize_t writev(int fd, const struct iovec* vector, int count) {
  if (fdShouldFail(kWrite, "writev", fd)) return -1;
  return NEXT(writev)(fd, vector, count);
}

int fsync(int fd) {
  if (fdShouldFail(syncKind(fd), "fsync", fd)) return -1;
  return NEXT(fsync)(fd);
}

int fdatasync(int fd) {
  if (fdShouldFail(syncKind(fd), "fdatasync", fd)) return -1;
  return NEXT(fdatasync)(fd);
}

int rename(const char* from, const char* to) {
  if (shouldFail(kRename, "rename", to, from)) return -1;
  return NEXT(rename)(from, to);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  if (shouldFail(kRename, "renameat", to, from)) return -1;
  return NEXT(renameat)(fromFolder, from, toFolder, to);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
  if (shouldFail(kRename, "renameat2", to, from)) return -1;
  return NEXT(renameat2)(fromFolder, from, toFolder, to, flags);
}

ssize_t read(int fd, void* buffer, size_t count) {
  if (fdShouldFail(kRead, "read", fd)) return -1;
  return NEXT(read)(fd, buffer, count);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
  if (fdShouldFail(kPread, "pread", fd)) return -1;
  return NEXT(pread)(fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off64_t offset) {
  if (fdShouldFail(kPread, "pread64", fd)) return -1;
  return NEXT(pread64)(fd, buffer, count, offset);
}

// stdio reads through glibc's internal read, out of reach; so fread itself
// fails, with the stream's error flag set as a failed read would set it.
static int streamShouldFail(FILE* stream) {
  if (!fdShouldFail(kRead, "fread", fileno(stream))) return 0;
  stream->_flags |= _IO_ERR_SEEN;
  return 1;
}

size_t fread(void* buffer, size_t size, size_t count, FILE* stream) {
  if (streamShouldFail(stream)) return 0;
  return NEXT(fread)(buffer, size, count, stream);
}

// The checked forms that _FORTIFY_SOURCE builds call instead.
ssize_t __read_chk(int fd, void* buffer, size_t count, size_t bufferSize);
ssize_t __read_chk(int fd, void* buffer, size_t count, size_t bufferSize) {
  if (fdShouldFail(kRead, "read", fd)) return -1;
  return NEXT(__read_chk)(fd, buffer, count, bufferSize);
}

ssize_t __pread_chk(int fd, void* buffer, size_t count, off_t offset, size_t bufferSize);
ssize_t __pread_chk(int fd, void* buffer, size_t count, off_t offset, size_t bufferSize) {
  if (fdShouldFail(kPread, "pread", fd)) return -1;
  return NEXT(__pread_chk)(fd, buffer, count, offset, bufferSize);
}

ssize_t __pread64_chk(int fd, void* buffer, size_t count, off64_t offset, size_t bufferSize);
ssize_t __pread64_chk(int fd, void* buffer, size_t count, off64_t offset, size_t bufferSize) {
  if (fdShouldFail(kPread, "pread64", fd)) return -1;
  return NEXT(__pread64_chk)(fd, buffer, count, offset, bufferSize);
}

size_t __fread_chk(void* buffer, size_t bufferSize, size_t size, size_t count, FILE* stream);
size_t __fread_chk(void* buffer, size_t bufferSize, size_t size, size_t count, FILE* stream) {
  if (streamShouldFail(stream)) return 0;
  return NEXT(__fread_chk)(buffer, bufferSize, size, count, stream);
}
