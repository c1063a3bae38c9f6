#include "tests/support/http_server_win32.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <stdexcept>

namespace tovan::test {

HttpServer::HttpServer() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        throw std::runtime_error("WSAStartup failed");
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof(address);
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener, 4) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("the test server cannot listen");
    m_Listener = listener;
    m_Port = ntohs(address.sin_port);
    m_Thread = std::thread([this] { Serve(); });
}

HttpServer::~HttpServer() {
    closesocket(SOCKET(m_Listener));  // the pending accept fails and the thread ends
    m_Thread.join();
    WSACleanup();
}

void HttpServer::Page(const std::string& path, const std::string& body) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_Pages[path] = body;
}

std::string HttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_Port) + path;
}

std::vector<std::string> HttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Requests;
}

void HttpServer::Serve() {
    for (;;) {
        SOCKET client = accept(SOCKET(m_Listener), nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        ++m_Connections;
        Answer(client);
        closesocket(client);
    }
}

void HttpServer::Answer(uintptr_t client) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const int got = recv(SOCKET(client), buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        head.append(buffer, size_t(got));
    }
    std::string path = head.substr(0, head.find("\r\n"));  // GET <path> HTTP/1.1
    const size_t start = path.find(' ') + 1;
    path = path.substr(start, path.rfind(' ') - start);
    std::string answer;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Requests.push_back(head);
        auto page = m_Pages.find(path);
        const bool found = page != m_Pages.end();
        const std::string body = found ? page->second : "<html>Not Found</html>";
        answer = std::string(found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                 "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(body.size()) +
                 "\r\nConnection: close\r\n\r\n" + body;
    }
    for (size_t sent = 0; sent < answer.size();) {
        const int put = send(SOCKET(client), answer.data() + sent, int(answer.size() - sent), 0);
        if (put <= 0)
            return;
        sent += size_t(put);
    }
    shutdown(SOCKET(client), SD_SEND);
}

}  // namespace tovan::test
