// One HTTP or HTTPS GET through libcurl, for the resource loader.
#pragma once

#include <string>

#include "platform/browser/resourceloader.h"

// Fetches the URL (already fit for a request line and without a fragment), following redirects.
SResourceResponse TransferHttp(const std::string& url, const SLoadOptions& options);
