#pragma once
// Reading the files a user names (bank directory, .reg file, list of accounts) and the reasons
// of failed file operations, in German. Only regular files are read, never a device, a pipe or
// a socket: a FIFO would block forever, /dev/zero would fill the memory.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace formidor::fileio {

// The reason of a failed file operation as a German phrase without final period, e.g.
// "der Datenträger ist voll". Never an errno number or a library's English text.
std::string reason(int err);

// An open file descriptor of a regular file of at most maxBytes, or the reason why not.
struct Opened {
    int fd = -1;
    uint64_t size = 0;
    std::string reason; // empty when fd >= 0
    int err = 0;        // the system's error number, 0 when the file is there but refused
};
// Opens without blocking (a FIFO is refused, not waited on) and checks what the name refers to.
Opened openRegular(const std::filesystem::path& file, uint64_t maxBytes);

// The whole file, at most maxBytes; false with the reason when it cannot be read. A file that
// grows beyond the limit while being read is refused as well.
bool readRegular(const std::filesystem::path& file, uint64_t maxBytes, std::string& bytes,
                 std::string& why);

// Replaces `file` by `bytes` as a whole or not at all: written beside it under
// "<name>.tmp<PID>", flushed to the disk and renamed over it. Only a regular file (or none) is
// ever replaced, never a device, a pipe or a folder. False with the reason when anything fails
// (a full disk, a read-only folder); the previous file is then untouched and nothing is left
// beside it. Temporary files of an earlier process that was killed while writing the same file
// are removed first.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string& why);

// Text of the size limit for a message: "64 MB".
std::string sizeText(uint64_t bytes);

} // namespace formidor::fileio
