// Opening a game file for reading. A named pipe or a device put in place of a game file
// would hold start-up until something wrote to it, so files are opened without waiting,
// and anything but a regular file is refused.
#pragma once

#include <cstdio>

namespace platform {

// A descriptor for reading the regular file at `path`, or -1 (with errno set; EINVAL for
// something that is not a regular file) when it cannot be opened or is not one.
int OpenRegularFile(const char* path);
// The same as a stream opened "rb"; null when OpenRegularFile would give -1.
std::FILE* OpenRegularFileStream(const char* path);

}  // namespace platform
