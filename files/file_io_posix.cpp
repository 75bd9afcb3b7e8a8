// Whole files on POSIX systems: a temporary file made beside the target with mkstemp, written,
// fsync'ed and renamed over the target, which rename(2) does in one step.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/file_io.h"

namespace {

std::string Reason(int error) {
  switch (error) {
    case ENOENT: return "no such file or folder";
    case EISDIR: return "it is a folder";
    case ENOTDIR: return "a part of the path is not a folder";
    case EACCES:
    case EPERM: return "permission denied";
    case ENOSPC: return "the disk is full";
    case EROFS: return "the disk is read-only";
    default: return std::strerror(error);
  }
}

bool WriteAll(int fd, std::string_view content, const WriteFault* fault) {
  std::size_t done = 0;
  while (done < content.size()) {
    std::size_t chunk = content.size() - done;
    if (fault) {
      if (done >= fault->failAfter) {
        errno = ENOSPC;
        return false;
      }
      if (chunk > fault->failAfter - done) chunk = fault->failAfter - done;
    }
    const ssize_t written = write(fd, content.data() + done, chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error,
                         const WriteFault* fault) {
  struct stat target;
  if (stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
    error = Reason(EISDIR);
    return false;
  }
  // Beside the target, so that the rename never crosses file systems.
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string temporary = folder + ".oddsmith-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = Reason(errno);
    return false;
  }
  // mkstemp makes the file readable by its owner alone; a saved line reads as any new file.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  bool ok = WriteAll(fd, content, fault) && fsync(fd) == 0;
  int failure = ok ? 0 : errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    failure = errno;
  }
  if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    failure = errno;
  }
  if (!ok) {
    unlink(temporary.c_str());
    error = Reason(failure);
    return false;
  }
  // The rename itself reaches the disk with the folder's entry.
  const int folderFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folderFd >= 0) {
    fsync(folderFd);
    close(folderFd);
  }
  return true;
}

bool ReadFileLimited(const std::string& path, std::size_t limit, std::string& content,
                     std::string& error, bool& tooLarge) {
  tooLarge = false;
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    error = Reason(errno);
    return false;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    error = Reason(S_ISDIR(info.st_mode) ? EISDIR : errno);
    close(fd);
    return false;
  }
  if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > limit) {
    tooLarge = true;
    error = "the file is larger than a line file can be";
    close(fd);
    return false;
  }
  // One byte past what is expected, to see a file that grows or reports no size.
  const std::size_t expected =
      S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : limit;
  content.assign(expected + 1, '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t got = read(fd, content.data() + done, content.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = Reason(errno);
      close(fd);
      return false;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
    if (done == content.size() && done <= limit) content.resize(limit + 1);
  }
  close(fd);
  content.resize(done);
  if (done > limit) {
    tooLarge = true;
    error = "the file is larger than a line file can be";
    return false;
  }
  return true;
}
