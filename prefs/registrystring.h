// The one value the system reads from the registry: where it is installed.
#pragma once

#include <string>

// The named string value of HKEY_LOCAL_MACHINE\SOFTWARE\Brennick\Orv\Lirset Browser, or
// "C:\Lirset\" when it is missing, empty, not a string or longer than 1023 characters.
std::string GetRegistryString(const char* valueName);
