#pragma once

// The older name of the shared log capture, for the tests that use it.

#include "support/testsupport.h"

namespace testsupport {

using LogLines = LogCapture;

} // namespace testsupport
