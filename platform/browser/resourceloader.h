// The resource loader: what the browser reads for an address, as data.
//
// Addresses: http: and https: URLs (fetched with libcurl, redirects followed), file: URLs, paths
// of this machine, Windows drive paths (winpath.h), and about:blank. The loader never throws: a
// load that fails gives a response whose error says what went wrong. An HTTP error status (404,
// 500) is not a failure: the response carries it with the body the server sent, as a browser
// shows the server's error page.
//
// Proxies named in the environment are not used: every server this system talks to here is on
// the loopback interface.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "platform/browser/contenttype.h"

enum class EResourceError {
    None,
    InvalidAddress,     // the address does not parse, or names nothing that can be loaded
    UnsupportedScheme,  // a scheme other than http, https, file and about:blank
    NotFound,           // no such file (or it is a folder)
    AccessDenied,       // the file exists but cannot be read
    HostNotFound,
    ConnectFailed,  // refused or unreachable
    Timeout,        // the connect or total time limit ran out
    TooManyRedirects,
    TooLarge,  // the body passed the size limit
    TransferFailed,
};

// The name of the error kind, "Timeout", for messages and test output.
const char* ResourceErrorName(EResourceError kind);

struct SResourceError {
    EResourceError kind = EResourceError::None;
    std::string message;  // what went wrong, for a person; empty on success
};

struct SResourceResponse {
    // The address loaded, after redirects, with the fragment of the address asked for. Files are
    // reported as file: URLs, drive paths in their Windows form ("file:///C:/Lirset/x.html").
    std::string url;
    long status = 0;  // the HTTP status; 200 for a file or about:blank that was read; 0 on failure
    SContentType contentType;
    std::string body;
    SResourceError error;

    bool Succeeded() const { return error.kind == EResourceError::None; }
};

// Limits of HTTP loads (a time of zero is no limit) and of the size of any body.
struct SLoadOptions {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds totalTimeout{30'000};  // the whole transfer, redirects included
    long maxRedirects = 20;
    size_t maxBodyBytes = 64u << 20;
    std::string userAgent = "Mozilla/4.0 (compatible; Lirset headless browser)";
};

// Loads hold no state between them: one loader may serve several threads at once.
class CResourceLoader {
public:
    CResourceLoader() = default;
    explicit CResourceLoader(SLoadOptions options) : m_options(std::move(options)) {}

    const SLoadOptions& GetOptions() const { return m_options; }
    void SetOptions(SLoadOptions options) { m_options = std::move(options); }

    // Loads the address, given as UTF-8 text. Leading and trailing white space is ignored.
    SResourceResponse Load(std::string_view address) const;
    // The same for an address in UTF-16, as a document or the browser interface gives it.
    SResourceResponse Load(std::u16string_view address) const;

private:
    SResourceResponse LoadFile(const std::string& localPath, std::string url) const;

    SLoadOptions m_options;
};
