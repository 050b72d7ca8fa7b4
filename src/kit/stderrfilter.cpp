#include "stderrfilter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kit {

namespace {

// What libraries start their own lines with.
constexpr const char* kLibraryPrefixes[] = { "libpng error: ", "libpng warning: " };

void writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        size -= size_t(n);
    }
}

bool isLibraryLine(const char* line, size_t size)
{
    for (const char* prefix : kLibraryPrefixes) {
        const size_t length = std::strlen(prefix);
        if (size >= length && std::memcmp(line, prefix, length) == 0)
            return true;
    }
    return false;
}

// The filter process: copies `in` to `out` line by line, library lines left
// out, until every writer has closed `in`. Only calls that are safe after a
// fork; a line longer than the buffer passes whole.
[[noreturn]] void runFilter(int in, int out)
{
    static char buffer[8192];
    size_t used = 0;
    bool passingLongLine = false;
    for (;;) {
        const ssize_t n = read(in, buffer + used, sizeof buffer - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        used += size_t(n);
        size_t start = 0;
        while (const void* found = std::memchr(buffer + start, '\n', used - start)) {
            const size_t end = size_t(static_cast<const char*>(found) - buffer) + 1;
            if (passingLongLine || !isLibraryLine(buffer + start, end - start))
                writeAll(out, buffer + start, end - start);
            passingLongLine = false;
            start = end;
        }
        std::memmove(buffer, buffer + start, used - start);
        used -= start;
        if (used == sizeof buffer) {
            writeAll(out, buffer, used);
            used = 0;
            passingLongLine = true;
        }
    }
    if (used > 0 && (passingLongLine || !isLibraryLine(buffer, used)))
        writeAll(out, buffer, used);
    _exit(0);
}

} // namespace

StandardErrorFilter::StandardErrorFilter()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    const int original = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const pid_t process = original >= 0 ? fork() : -1;
    if (process == 0) {
        // The filter holds nothing else open: a reader of the standard
        // output sees its end when this process ends.
        dup2(ends[0], STDIN_FILENO);
        dup2(original, STDOUT_FILENO);
        close_range(STDERR_FILENO, ~0U, 0);
        runFilter(STDIN_FILENO, STDOUT_FILENO);
    }
    close(ends[0]);
    std::fflush(stderr);
    if (process < 0 || dup2(ends[1], STDERR_FILENO) < 0) {
        close(ends[1]);
        if (original >= 0)
            close(original);
        if (process > 0)
            waitpid(process, nullptr, 0);
        return;
    }
    close(ends[1]);
    m_original = original;
    m_process = process;
}

StandardErrorFilter::~StandardErrorFilter()
{
    if (m_process < 0)
        return;
    // The filter ends when the last writer closes the pipe: this one.
    std::fflush(stderr);
    dup2(m_original, STDERR_FILENO);
    close(m_original);
    while (waitpid(m_process, nullptr, 0) < 0 && errno == EINTR) { }
}

} // namespace kit
