#pragma once

// The version the editor reports (about window, what's-new preference). Its
// major part, before the first ".", keys the what's-new choice.
inline constexpr char kTesseraVersion[] = "1.0.0";
