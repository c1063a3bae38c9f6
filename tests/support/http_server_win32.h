// A tiny HTTP server on 127.0.0.1 for tests of downloads: one thread accepts
// connections one at a time, keeps each request's head, and answers from the
// pages the test set (404 for any other path). Under wine only.
#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tovan::test {

class HttpServer {
public:
    HttpServer();  // listening on a free port once constructed
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Set before the request comes.
    void Page(const std::string& path, const std::string& body);

    std::string Url(const std::string& path) const;  // "http://127.0.0.1:<port><path>"
    int Connections() const { return m_Connections; }
    std::vector<std::string> Requests() const;  // heads up to and with the blank line

private:
    void Serve();
    void Answer(uintptr_t client);

    uintptr_t m_Listener;
    int m_Port = 0;
    std::atomic<int> m_Connections{0};
    mutable std::mutex m_Lock;
    std::map<std::string, std::string> m_Pages;
    std::vector<std::string> m_Requests;
    std::thread m_Thread;
};

}  // namespace tovan::test
