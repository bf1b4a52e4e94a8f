#include "tests/support/HttpTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace qwtest {

static double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

static int BindLoopback(int *port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof(address);
  if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
    close(fd);
    return -1;
  }
  *port = ntohs(address.sin_port);
  return fd;
}

HttpTestServer::HttpTestServer(double lifetime_seconds) {
  m_stop_at = SteadySeconds() + lifetime_seconds;
  m_listen_fd = BindLoopback(&m_port);
  if (m_listen_fd < 0 || listen(m_listen_fd, 16) != 0) {
    if (m_listen_fd >= 0) close(m_listen_fd);
    m_listen_fd = -1;
    m_port = 0;
    return;
  }
  m_acceptor = std::thread(&HttpTestServer::AcceptLoop, this);
}

HttpTestServer::~HttpTestServer() { Stop(); }

std::string HttpTestServer::Url(const std::string &path) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void HttpTestServer::Reply(const std::string &path, const std::string &body, int status,
                           const std::string &headers) {
  Route route;
  route.kind = REPLY;
  route.headers = headers;
  route.body = body;
  route.status = status;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::Silence(const std::string &path) {
  Route route;
  route.kind = SILENCE;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::StallAfter(const std::string &path, const std::string &body, size_t bytes) {
  Route route;
  route.kind = STALL;
  route.body = body;
  route.bytes = bytes;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::Drip(const std::string &path, const std::string &body, size_t bytes_per_step,
                          double pause_seconds) {
  Route route;
  route.kind = DRIP;
  route.body = body;
  route.bytes = bytes_per_step ? bytes_per_step : 1;
  route.pause = pause_seconds;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::CloseAfter(const std::string &path, const std::string &body, size_t bytes) {
  Route route;
  route.kind = CLOSE;
  route.body = body;
  route.bytes = bytes;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::PauseAfter(const std::string &path, const std::string &body, size_t bytes) {
  Route route;
  route.kind = PAUSE;
  route.body = body;
  route.bytes = bytes;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
  m_paused.insert(path);
}

void HttpTestServer::Chunked(const std::string &path, const std::vector<std::string> &chunks, double pause_seconds) {
  Route route;
  route.kind = CHUNKED;
  route.chunks = chunks;
  route.pause = pause_seconds;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::Handle(const std::string &path, Handler handler) {
  Route route;
  route.kind = HANDLER;
  route.handler = std::move(handler);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_routes[path] = route;
}

void HttpTestServer::HoldReplies(const std::string &path) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_held.insert(path);
}

void HttpTestServer::Release(const std::string &path) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_held.erase(path);
  m_paused.erase(path);
}

std::vector<HttpRequest> HttpTestServer::Requests() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_requests;
}

bool HttpTestServer::Stopping() const { return m_stop.load() || SteadySeconds() >= m_stop_at; }

bool HttpTestServer::Hold(double seconds) {
  double until = SteadySeconds() + seconds;
  while (SteadySeconds() < until) {
    if (Stopping()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return !Stopping();
}

bool HttpTestServer::WaitWhileIn(const std::set<std::string> &set, const std::string &path) {
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      if (!set.count(path)) return true;
    }
    if (!Hold(0.005)) return false;
  }
}

void HttpTestServer::Stop() {
  m_stop = true;
  if (m_acceptor.joinable()) m_acceptor.join();
  std::vector<std::thread> connections;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    connections.swap(m_connections);
  }
  for (std::thread &t : connections) t.join();
  if (m_listen_fd >= 0) close(m_listen_fd);
  m_listen_fd = -1;
}

void HttpTestServer::AcceptLoop() {
  while (!Stopping()) {
    pollfd p = {m_listen_fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    int fd = accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_connections.emplace_back(&HttpTestServer::Serve, this, fd);
  }
}

bool HttpTestServer::SendAll(int fd, const std::string &bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    if (Stopping()) return false;
    ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += size_t(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      pollfd p = {fd, POLLOUT, 0};
      poll(&p, 1, 20);
    } else {
      return false;
    }
  }
  return true;
}

bool HttpTestServer::ReadRequest(int fd, HttpRequest *request) {
  std::string data;
  size_t header_end = std::string::npos;
  size_t body_length = 0;
  bool have_headers = false;
  for (;;) {
    if (!have_headers) {
      header_end = data.find("\r\n\r\n");
      if (header_end != std::string::npos) {
        have_headers = true;
        std::string head = data.substr(0, header_end);
        size_t line_end = head.find("\r\n");
        std::string first = head.substr(0, line_end);
        size_t s1 = first.find(' '), s2 = first.rfind(' ');
        if (s1 == std::string::npos || s2 == s1) return false;
        request->method = first.substr(0, s1);
        request->target = first.substr(s1 + 1, s2 - s1 - 1);
        request->path = request->target.substr(0, request->target.find('?'));
        size_t pos = line_end == std::string::npos ? head.size() : line_end + 2;
        while (pos < head.size()) {
          size_t end = head.find("\r\n", pos);
          if (end == std::string::npos) end = head.size();
          std::string line = head.substr(pos, end - pos);
          size_t colon = line.find(':');
          if (colon != std::string::npos) {
            std::string name = line.substr(0, colon);
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(tolower(c)); });
            size_t value_start = line.find_first_not_of(' ', colon + 1);
            request->headers[name] = value_start == std::string::npos ? "" : line.substr(value_start);
          }
          pos = end + 2;
        }
        auto length = request->headers.find("content-length");
        if (length != request->headers.end()) body_length = size_t(strtoul(length->second.c_str(), nullptr, 10));
        auto expect = request->headers.find("expect");
        if (expect != request->headers.end() && expect->second == "100-continue")
          SendAll(fd, "HTTP/1.1 100 Continue\r\n\r\n");
      }
    }
    if (have_headers && data.size() >= header_end + 4 + body_length) {
      request->body = data.substr(header_end + 4, body_length);
      return true;
    }
    if (Stopping()) return false;
    pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    char buffer[4096];
    ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
    if (n <= 0) return false;
    data.append(buffer, size_t(n));
  }
}

static std::string HttpHead(int status, size_t content_length, const std::string &headers = "") {
  const char *reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Status";
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Length: " +
         std::to_string(content_length) + "\r\n" + headers + "Connection: close\r\n\r\n";
}

void HttpTestServer::Serve(int fd) {
  HttpRequest request;
  if (!ReadRequest(fd, &request)) {
    close(fd);
    return;
  }
  Route route;
  bool found = false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(request);
    auto it = m_routes.find(request.path);
    if (it != m_routes.end()) {
      route = it->second;
      found = true;
    }
  }
  WaitWhileIn(m_held, request.path);
  if (!found) {
    route.kind = REPLY;
    route.status = 404;
    route.body = "not found";
  }
  size_t part = std::min(route.bytes, route.body.size());
  switch (route.kind) {
    case REPLY:
      SendAll(fd, HttpHead(route.status, route.body.size(), route.headers) + route.body);
      break;
    case HANDLER: {
      const std::string body = route.handler(request);
      SendAll(fd, HttpHead(200, body.size()) + body);
      break;
    }
    case SILENCE:
      while (Hold(1.0)) {
      }
      break;
    case STALL:
      if (SendAll(fd, HttpHead(200, route.body.size()) + route.body.substr(0, part)))
        while (Hold(1.0)) {
        }
      break;
    case DRIP: {
      if (!SendAll(fd, HttpHead(200, route.body.size()))) break;
      for (size_t at = 0; at < route.body.size(); at += route.bytes) {
        if (!SendAll(fd, route.body.substr(at, route.bytes)) || !Hold(route.pause)) break;
      }
      break;
    }
    case CLOSE:
      SendAll(fd, HttpHead(200, route.body.size()) + route.body.substr(0, part));
      break;
    case PAUSE:
      if (SendAll(fd, HttpHead(200, route.body.size()) + route.body.substr(0, part)) &&
          WaitWhileIn(m_paused, request.path))
        SendAll(fd, route.body.substr(part));
      break;
    case CHUNKED: {
      if (!SendAll(fd, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n")) break;
      bool ok = true;
      for (const std::string &chunk : route.chunks) {
        char size[32];
        snprintf(size, sizeof(size), "%zx\r\n", chunk.size());
        if (!(ok = SendAll(fd, size + chunk + "\r\n")) || !(ok = Hold(route.pause))) break;
      }
      if (ok) SendAll(fd, "0\r\n\r\n");
      break;
    }
  }
  shutdown(fd, SHUT_WR);
  // Lets the client read the end before the socket goes, without waiting for it for ever.
  pollfd p = {fd, POLLIN, 0};
  for (int i = 0; i < 25 && !Stopping(); i++) {
    if (poll(&p, 1, 20) > 0) {
      char buffer[256];
      if (recv(fd, buffer, sizeof(buffer), 0) <= 0) break;
    }
  }
  close(fd);
}

RefusedPort::RefusedPort() { m_fd = BindLoopback(&m_port); }

RefusedPort::~RefusedPort() {
  if (m_fd >= 0) close(m_fd);
}

std::string RefusedPort::Url(const std::string &path) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

}  // namespace qwtest
