// The module's pictures, generated as pixel data.
#pragma once

#include <span>

#include "platform/win/moduleresources.h"

std::span<const SImageResource> GetLirsetIcons();
std::span<const SImageResource> GetLirsetBitmaps();
