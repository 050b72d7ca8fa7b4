#pragma once

// The three layout modes of a collage; the values are the modes' indexes,
// which the window's command tags and stored documents use.

#include <array>

enum class Mode { Template = 0, FreeLayout = 1, Serial = 2 };
inline constexpr std::array<Mode, 3> kModes { Mode::Template, Mode::FreeLayout, Mode::Serial };
