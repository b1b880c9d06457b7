#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/result.h"

// The calls on files that the program makes, each platform's in a file of
// its own behind this header. They do one thing each;
// what to make of them, such as keeping a copy of an earlier script, is
// decided above this layer.
namespace bindsmith {

// Opens `name` for writing from its start, creating it if there is none
// (readable and writable by all, less the umask), in text mode where the
// platform has one. What it holds stays until cutBack(descriptor, 0).
Result<int> openForWriting(const std::string& name);

// Opens `name` to read its very bytes, without waiting: a pipe of that name
// cannot hang the run. Fails with ENOENT when there is no such file.
Result<int> openForReading(const std::string& name);

struct FileFacts {
  bool regular = false;      // a file on a disk: no device, pipe or folder
  std::int64_t size = 0;     // in bytes
  unsigned permissions = 0;  // as createExclusively takes them
};
Result<FileFacts> factsOf(int descriptor);

// Creates `name`, which must not exist yet, to write its very bytes, with
// `permissions` (from factsOf) or fewer.
Result<int> createExclusively(const std::string& name, unsigned permissions);

// Removes the file `name`; fails with ENOENT when there is none.
Result<void> removeFile(const std::string& name);

// One read: some bytes, or none at the end of the file.
Result<std::size_t> readSome(int descriptor, std::span<char> into);

// One write: it takes the start of `text` (never empty), at least a byte.
Result<std::size_t> writeSome(int descriptor, std::string_view text);

// Returns once what was written to the file is on the disk.
Result<void> syncToDisk(int descriptor);

// Where the next write lands, in bytes on the disk; fails for a pipe.
Result<std::int64_t> writePosition(int descriptor);

// Cuts a file back to `length` bytes, and the next write lands there.
Result<void> cutBack(int descriptor, std::int64_t length);

// Makes a file readable and writable by its owner alone (mode 0600),
// whatever mode it had. On Windows the folder's permissions rule, and
// nothing changes.
Result<void> restrictToOwner(int descriptor);

Result<void> closeDescriptor(int descriptor);

}  // namespace bindsmith
