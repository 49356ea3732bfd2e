// The file reading stand-ins: open a file by name in the working directory, read, close.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/regular_file.h"
#include "platform/windows.h"

HFILE OpenFile(LPCSTR fileName, OFSTRUCT* info, UINT style) {
    if (info) std::memset(info, 0, sizeof(*info));
    if (!fileName || fileName[0] == '\0' || (style & 0x3) != OF_READ) return HFILE_ERROR;
    const int fd = platform::OpenRegularFile(fileName);
    if (fd < 0) {
        if (info) info->nErrCode = 2;  // file not found, as the platform reports it
        return HFILE_ERROR;
    }
    if (info) {
        info->cBytes = static_cast<BYTE>(sizeof(*info));
        info->fFixedDisk = 1;
        std::strncpy(info->szPathName, fileName, sizeof(info->szPathName) - 1);
    }
    return fd;
}

UINT _lread(HFILE file, LPVOID buffer, UINT count) {
    if (file < 0 || (!buffer && count > 0)) return static_cast<UINT>(-1);
    UINT total = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (total < count) {
        const ssize_t got = ::read(file, bytes + total, count - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return total > 0 ? total : static_cast<UINT>(-1);
        }
        if (got == 0) break;
        total += static_cast<UINT>(got);
    }
    return total;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    char path[4096];
    if (!::getcwd(path, sizeof(path))) return 0;
    const std::size_t length = std::strlen(path);
    if (!buffer || size <= length) return static_cast<DWORD>(length + 1);
    std::memcpy(buffer, path, length + 1);
    return static_cast<DWORD>(length);
}

HFILE _lclose(HFILE file) {
    if (file < 0) return HFILE_ERROR;
    return ::close(file) == 0 ? 0 : HFILE_ERROR;
}
