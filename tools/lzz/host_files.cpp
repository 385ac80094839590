#include "host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool ReadWholeFile(const std::string& path, Bytes& data, std::string& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  struct stat info {};
  bool ok = fstat(fd, &info) == 0;
  data.resize(ok ? static_cast<std::size_t>(info.st_size) : 0);
  std::size_t done = 0;
  errno = 0;
  while (ok && done < data.size()) {
    const ssize_t got = read(fd, data.data() + done, data.size() - done);
    if (got < 0 && errno == EINTR) continue;
    ok = got > 0;
    if (ok) done += static_cast<std::size_t>(got);
  }
  if (!ok) error = errno != 0 ? std::strerror(errno) : "file shrank while reading";
  close(fd);
  return ok;
}

bool ReplaceFile(const std::string& path, const std::uint8_t* data, std::size_t length,
                 std::string& error) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) {
    error = std::strerror(errno);
    return false;
  }
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  std::size_t done = 0;
  errno = 0;
  while (done < length) {
    const ssize_t put = write(fd, data + done, length - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += static_cast<std::size_t>(put);
  }
  const bool written = done == length;
  if (!written) error = errno != 0 ? std::strerror(errno) : "short write";
  if (close(fd) != 0 && written) {
    error = std::strerror(errno);
    return false;
  }
  return written;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
