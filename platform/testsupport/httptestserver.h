// An HTTP/1.1 server for tests, on 127.0.0.1 at a port chosen when it starts.
//
// A test registers what the server answers (fixed routes by path, a folder of files), starts it,
// points the system at GetUrl(...), and afterwards reads the requests the server got. The server
// runs on threads of its own; every member may be called from any thread. The destructor stops
// the server and waits for its threads, cutting short the delay of any slow route.
//
//     CHttpTestServer server;
//     server.AddRoute("/news.onto", {.contentType = "text/plain", .body = "..."});
//     ASSERT_TRUE(server.Start());
//     Fetch(server.GetUrl("/news.onto"));
//     EXPECT_EQ(server.GetRequests().at(0).path, "/news.onto");
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

// What the server answers on a path. Every member has an initialiser, so that a designated
// initialiser may leave any of them out without a warning.
struct STestRoute {
    int status = 200;
    std::string contentType = "text/html";  // the Content-Type header; empty: no type
    std::string body{};
    std::string location{};  // sent as the Location header when not empty (redirects)
    // Waited before answering; at most CHttpTestServer::kMaxDelay, and cut short by Stop.
    std::chrono::milliseconds delay{0};
};

// A request as the server received it.
struct SRecordedRequest {
    std::string method;
    std::string target;  // the request target as sent: "/open-lirset-page?url=%22x%22"
    std::string path;    // the target's path, percent-decoded
    std::string query;   // the target's query as sent, without the "?"; empty when none
    std::vector<std::pair<std::string, std::string>> headers;  // by name, letter case ignored
    std::string body;

    // The value of the header, letter case of the name ignored; empty when it was not sent.
    std::string Header(std::string_view name) const;
    // The decoded value of the query key; empty when the query does not have it.
    std::string QueryValue(std::string_view key) const;
};

class CHttpTestServer {
public:
    static constexpr std::chrono::milliseconds kMaxDelay{10'000};

    CHttpTestServer();
    ~CHttpTestServer();
    CHttpTestServer(const CHttpTestServer&) = delete;
    CHttpTestServer& operator=(const CHttpTestServer&) = delete;

    // Answers requests for paths without a route with the files under the folder. Paths with a
    // ".." segment are refused; a folder is answered with its index.html.
    void ServeFolder(std::string folder);
    // Answers the path (without query; percent-decoded) with the route, in place of any earlier.
    void AddRoute(std::string path, STestRoute route);
    // Answers the path with a redirect to the location.
    void AddRedirect(std::string path, std::string location, int status = 302);

    // Binds a free port on 127.0.0.1 and starts serving. False when it cannot, or when the server
    // was started before.
    bool Start();
    // Stops serving and waits for the server's threads. Nothing happens when it is not running.
    void Stop();
    bool IsRunning() const;

    // The port, and the addresses of the running server: "http://127.0.0.1:PORT" and the same
    // followed by the path (which may carry a query).
    int GetPort() const { return m_nPort; }
    std::string GetBaseUrl() const;
    std::string GetUrl(std::string_view path) const;

    std::vector<SRecordedRequest> GetRequests() const;
    size_t GetRequestCount() const;
    // Waits until the server has received at least count requests; false when the time runs out.
    bool WaitForRequests(size_t count, std::chrono::milliseconds timeout) const;
    void ClearRequests();

private:
    void Handle(const httplib::Request& request, httplib::Response& response);
    void Record(const httplib::Request& request);
    void Respond(const STestRoute& route, httplib::Response& response);
    bool ServeFile(const std::string& path, httplib::Response& response);
    // Waits the delay; false when the server stops first.
    bool Delay(std::chrono::milliseconds delay);

    std::unique_ptr<httplib::Server> m_pServer;
    std::thread m_listener;
    int m_nPort = -1;
    bool m_bStarted = false;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_bStopping = false;
    std::string m_strFolder;
    std::map<std::string, STestRoute> m_routes;
    std::vector<SRecordedRequest> m_requests;
};
