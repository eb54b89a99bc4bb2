#include "platform/testsupport/httptestserver.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

constexpr std::string_view kAnyPath = "/.*";

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int HexDigit(char c) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string Decode(std::string_view text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string MediaTypeOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".html" || extension == ".htm") {
        return "text/html";
    }
    if (extension == ".txt" || extension == ".onto" || extension == ".menu") {
        return "text/plain";
    }
    if (extension == ".xml") {
        return "text/xml";
    }
    return "application/octet-stream";
}

}  // namespace

std::string SRecordedRequest::Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (EqualsNoCase(key, name)) {
            return value;
        }
    }
    return {};
}

std::string SRecordedRequest::QueryValue(std::string_view key) const {
    std::string_view rest = query;
    while (!rest.empty()) {
        size_t end = std::min(rest.find('&'), rest.size());
        std::string_view pair = rest.substr(0, end);
        size_t equals = std::min(pair.find('='), pair.size());
        if (Decode(pair.substr(0, equals)) == key) {
            return equals < pair.size() ? Decode(pair.substr(equals + 1)) : std::string();
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return {};
}

CHttpTestServer::CHttpTestServer() : m_pServer(std::make_unique<httplib::Server>()) {
    auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Handle(request, response);
    };
    std::string pattern(kAnyPath);
    m_pServer->Get(pattern, handler);
    m_pServer->Post(pattern, handler);
    m_pServer->Put(pattern, handler);
    m_pServer->Delete(pattern, handler);
    m_pServer->Options(pattern, handler);
    // One request per connection: no idle connection keeps a worker busy when the server stops.
    m_pServer->set_keep_alive_max_count(1);
}

CHttpTestServer::~CHttpTestServer() {
    Stop();
}

void CHttpTestServer::ServeFolder(std::string folder) {
    std::lock_guard lock(m_mutex);
    m_strFolder = std::move(folder);
}

void CHttpTestServer::AddRoute(std::string path, STestRoute route) {
    std::lock_guard lock(m_mutex);
    m_routes[std::move(path)] = std::move(route);
}

void CHttpTestServer::AddRedirect(std::string path, std::string location, int status) {
    STestRoute route;
    route.status = status;
    route.contentType = "text/plain";
    route.location = std::move(location);
    AddRoute(std::move(path), std::move(route));
}

bool CHttpTestServer::Start() {
    if (m_bStarted) {
        return false;
    }
    m_bStarted = true;
    m_nPort = m_pServer->bind_to_any_port("127.0.0.1");
    if (m_nPort <= 0) {
        m_nPort = -1;
        return false;
    }
    m_listener = std::thread([this] { m_pServer->listen_after_bind(); });
    // Stop can only end a server that has begun to listen: wait for that here.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!m_pServer->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return m_pServer->is_running();
}

void CHttpTestServer::Stop() {
    if (!m_listener.joinable()) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_changed.notify_all();
    m_pServer->stop();
    m_listener.join();
}

bool CHttpTestServer::IsRunning() const {
    return m_pServer->is_running();
}

std::string CHttpTestServer::GetBaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(m_nPort);
}

std::string CHttpTestServer::GetUrl(std::string_view path) const {
    return GetBaseUrl() + std::string(path);
}

std::vector<SRecordedRequest> CHttpTestServer::GetRequests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

size_t CHttpTestServer::GetRequestCount() const {
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

bool CHttpTestServer::WaitForRequests(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_requests.size() >= count; });
}

void CHttpTestServer::ClearRequests() {
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

void CHttpTestServer::Record(const httplib::Request& request) {
    SRecordedRequest record;
    record.method = request.method;
    record.target = request.target;
    record.path = request.path;
    if (size_t question = request.target.find('?'); question != std::string::npos) {
        record.query = request.target.substr(question + 1);
    }
    for (const auto& [name, value] : request.headers) {
        record.headers.emplace_back(name, value);
    }
    record.body = request.body;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(record));
    }
    m_changed.notify_all();
}

void CHttpTestServer::Handle(const httplib::Request& request, httplib::Response& response) {
    Record(request);
    std::optional<STestRoute> route;
    std::string folder;
    {
        std::lock_guard lock(m_mutex);
        if (auto found = m_routes.find(request.path); found != m_routes.end()) {
            route = found->second;
        }
        folder = m_strFolder;
    }
    if (route) {
        Respond(*route, response);
        return;
    }
    if (!folder.empty() && ServeFile(folder + request.path, response)) {
        return;
    }
    response.status = 404;
    response.set_content("Not found: " + request.path, "text/plain");
}

void CHttpTestServer::Respond(const STestRoute& route, httplib::Response& response) {
    if (!Delay(route.delay)) {
        response.status = 503;
        response.set_content("The server is stopping", "text/plain");
        return;
    }
    response.status = route.status;
    if (!route.location.empty()) {
        response.set_header("Location", route.location);
    }
    // The library would add a type of its own to an answer without one: an empty header stands
    // for none.
    response.set_content(route.body, route.contentType);
}

bool CHttpTestServer::ServeFile(const std::string& path, httplib::Response& response) {
    std::filesystem::path file(path);
    for (const auto& segment : file) {
        if (segment == "..") {
            return false;
        }
    }
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        file /= "index.html";
    }
    if (!std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    response.status = 200;
    response.set_content(body, MediaTypeOf(file));
    return true;
}

bool CHttpTestServer::Delay(std::chrono::milliseconds delay) {
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, std::min(delay, kMaxDelay), [this] { return m_bStopping; });
}
