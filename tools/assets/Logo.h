// The intro and game logo: a spiked emblem over the game's title.
#pragma once

#include "tools/assets/Canvas.h"

#include <optional>
#include <string>

constexpr int kLogoWidth = 640;
constexpr int kLogoHeight = 360;

// `fontPath` is a bold sans-serif face for the title.
std::optional<Canvas> PaintLogo(const std::string& fontPath, const std::string& title);
