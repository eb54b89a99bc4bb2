// The templates of the module's dialogs, by dialog id.
#pragma once

#include <span>

#include "platform/win/moduleresources.h"

std::span<const SDialogResource> GetLirsetDialogs();
