#pragma once
// The floor a file reader is measured against: the file's bytes read into fresh memory with one
// read call per megabyte, nothing looked at. No reader of the same file can do less.
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace formidor::bench {

inline std::unique_ptr<char[]> readBytesFloor(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    ::fstat(fd, &st);
    const size_t size = static_cast<size_t>(st.st_size);
    std::unique_ptr<char[]> bytes(new char[size]);
    for (size_t got = 0; got < size;) {
        ssize_t n = ::read(fd, bytes.get() + got, size - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    return bytes;
}

} // namespace formidor::bench
