#include "platform/browser/httptransfer.h"

#include <curl/curl.h>

#include <memory>

#include "platform/browser/url.h"

namespace {

// libcurl's process-wide state: set up at the first transfer, torn down when the process ends.
class CCurlGlobal {
public:
    CCurlGlobal() : m_code(curl_global_init(CURL_GLOBAL_DEFAULT)) {}
    ~CCurlGlobal() {
        if (m_code == CURLE_OK) {
            curl_global_cleanup();
        }
    }
    CCurlGlobal(const CCurlGlobal&) = delete;
    CCurlGlobal& operator=(const CCurlGlobal&) = delete;

    bool IsReady() const { return m_code == CURLE_OK; }

private:
    CURLcode m_code;
};

bool CurlReady() {
    static CCurlGlobal global;
    return global.IsReady();
}

struct SCurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using CCurlHandle = std::unique_ptr<CURL, SCurlCleanup>;

struct SBodySink {
    std::string* body = nullptr;
    size_t limit = 0;
    bool overflowed = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    SBodySink* sink = static_cast<SBodySink*>(user);
    size_t bytes = size * count;
    if (sink->body->size() + bytes > sink->limit) {
        sink->overflowed = true;
        return 0;
    }
    sink->body->append(data, bytes);
    return bytes;
}

EResourceError ErrorKind(CURLcode code, bool overflowed) {
    switch (code) {
        case CURLE_UNSUPPORTED_PROTOCOL:
            return EResourceError::UnsupportedScheme;
        case CURLE_URL_MALFORMAT:
            return EResourceError::InvalidAddress;
        case CURLE_COULDNT_RESOLVE_HOST:
            return EResourceError::HostNotFound;
        case CURLE_COULDNT_CONNECT:
            return EResourceError::ConnectFailed;
        case CURLE_OPERATION_TIMEDOUT:
            return EResourceError::Timeout;
        case CURLE_TOO_MANY_REDIRECTS:
            return EResourceError::TooManyRedirects;
        case CURLE_FILESIZE_EXCEEDED:
            return EResourceError::TooLarge;
        case CURLE_WRITE_ERROR:
            return overflowed ? EResourceError::TooLarge : EResourceError::TransferFailed;
        default:
            return EResourceError::TransferFailed;
    }
}

// The type of a response that names none: by the extension of its path, else by its content.
std::string GuessMediaType(const std::string& url, const std::string& body) {
    std::optional<CUrl> parsed = CUrl::Parse(url);
    std::string mediaType = parsed ? MediaTypeForExtension(parsed->GetPath()) : std::string();
    return mediaType.empty() ? SniffTextMediaType(body) : mediaType;
}

}  // namespace

SResourceResponse TransferHttp(const std::string& url, const SLoadOptions& options) {
    SResourceResponse response;
    response.url = url;
    if (!CurlReady()) {
        response.error = {EResourceError::TransferFailed, "The HTTP library could not start"};
        return response;
    }
    CCurlHandle curl(curl_easy_init());
    if (!curl) {
        response.error = {EResourceError::TransferFailed, "The HTTP library could not start"};
        return response;
    }

    char errorText[CURL_ERROR_SIZE] = {};
    SBodySink sink{&response.body, options.maxBodyBytes};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, options.maxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(options.maxBodyBytes));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(handle, CURLOPT_USERAGENT, options.userAgent.c_str());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);

    CURLcode code = curl_easy_perform(handle);

    char* effectiveUrl = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &effectiveUrl) == CURLE_OK &&
        effectiveUrl != nullptr) {
        response.url = effectiveUrl;
    }
    if (code != CURLE_OK) {
        response.body.clear();
        response.error.kind = ErrorKind(code, sink.overflowed);
        response.error.message = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
        return response;
    }
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &response.status);
    char* contentType = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK &&
        contentType != nullptr) {
        response.contentType = ParseContentType(contentType);
    }
    if (response.contentType.mediaType.empty()) {
        response.contentType.mediaType = GuessMediaType(response.url, response.body);
    }
    return response;
}
