// file: URLs and the paths they name.
//
// A file: URL names a path of this machine ("file:///tmp/page.html") or a Windows drive path
// ("file:///C:/Lirset/news.onto", also written "file:///C|/..." or "file://C:/..."), with the
// host empty or "localhost". Paths travel percent-encoded in the URL. Drive paths keep their
// Windows form in the URL and become paths of this machine through MapWindowsPath (winpath.h)
// only when the file is opened, so that a page's address reads as the system wrote it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The path that the file: URL names, decoded: "/tmp/a b.html" or "C:/Lirset/x.onto". The query
// and fragment are not part of it. Fails for another scheme, a host other than "localhost" (a
// share on another machine), a relative path, and an escape that decodes to a NUL byte.
std::optional<std::string> FileUrlToPath(std::string_view url);

// The path of this machine that the file: URL names: FileUrlToPath, with drive paths mapped.
std::optional<std::string> FileUrlToLocalPath(std::string_view url);

// The file: URL of a path: an absolute path of this machine, a Windows drive path (backslashes
// become slashes, doubled separators count once), or a relative path taken from the current
// folder. Characters that cannot stand in a URL path are percent-encoded.
std::string PathToFileUrl(std::string_view path);
