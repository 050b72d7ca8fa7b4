#pragma once

#include <sys/types.h>

namespace kit {

// While it lives, the standard error passes through a small process of its
// own that leaves out the lines image libraries print there by themselves,
// past any message handler (libpng prints "libpng error: ..." for a broken
// PNG). Everything else reaches the original standard error unchanged, a
// crash's last words included: the filter outlives this process and passes
// on what is left when it dies. When the filter ends, the standard error is
// the original again and everything written before has reached it. Create it
// while the program has one thread; when no process can be started, the
// standard error stays as it was.
class StandardErrorFilter
{
public:
    StandardErrorFilter();
    ~StandardErrorFilter();
    StandardErrorFilter(const StandardErrorFilter&) = delete;
    StandardErrorFilter& operator=(const StandardErrorFilter&) = delete;

private:
    int m_original = -1;
    pid_t m_process = -1;
};

} // namespace kit
