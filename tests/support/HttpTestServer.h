// The tests' own HTTP/1.1 server on 127.0.0.1 (POSIX sockets), scripted per path so that a
// test gets exactly the fault it needs: a reply, silence, a stall after n bytes, a drip, an
// early close, a chunked reply, a pause after n bytes, any of them held back until the test lets
// it go. It records the requests and stops by itself after its lifetime.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace qwtest {

struct HttpRequest {
  std::string method;
  std::string target;  // path and query, as sent
  std::string path;    // without the query
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
};

class HttpTestServer {
 public:
  // The server listens at once on a free port; Port() is 0 when it could not.
  explicit HttpTestServer(double lifetime_seconds = 20.0);
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer &) = delete;
  HttpTestServer &operator=(const HttpTestServer &) = delete;

  int Port() const { return m_port; }
  // "http://127.0.0.1:<port>" followed by the path.
  std::string Url(const std::string &path) const;

  // A whole reply with Content-Length (status 200 unless given); extra header lines end in "\r\n".
  void Reply(const std::string &path, const std::string &body, int status = 200, const std::string &headers = "");
  // Reads the request and never answers.
  void Silence(const std::string &path);
  // Announces the whole body, sends its first bytes, then holds the connection open.
  void StallAfter(const std::string &path, const std::string &body, size_t bytes);
  // Announces the whole body and sends it a few bytes at a time with a pause between.
  void Drip(const std::string &path, const std::string &body, size_t bytes_per_step, double pause_seconds);
  // Announces the whole body, sends its first bytes and closes the connection.
  void CloseAfter(const std::string &path, const std::string &body, size_t bytes);
  // Announces the whole body, sends its first bytes, then the rest once Release(path) is called
  // (or nothing more when the server stops first): what a test does mid-transfer is ordered.
  void PauseAfter(const std::string &path, const std::string &body, size_t bytes);
  // Transfer-Encoding: chunked, one chunk per string, with a pause after each.
  void Chunked(const std::string &path, const std::vector<std::string> &chunks, double pause_seconds = 0.0);
  // The body of a 200 reply made by the handler from each request (on the connection's thread).
  typedef std::function<std::string(const HttpRequest &)> Handler;
  void Handle(const std::string &path, Handler handler);
  // Replies to the path, whatever their kind, wait before their first byte until Release (or the
  // server stops): what a test checks before the reply can have arrived does not race it.
  void HoldReplies(const std::string &path);
  // Lets the path's held replies start and its paused ones go on.
  void Release(const std::string &path);

  std::vector<HttpRequest> Requests();
  // Ends every connection (held ones too) and joins the server's threads.
  void Stop();

 private:
  enum Kind { REPLY, SILENCE, STALL, DRIP, CLOSE, CHUNKED, HANDLER, PAUSE };
  struct Route {
    Kind kind = REPLY;
    int status = 200;
    std::string headers;
    std::string body;
    size_t bytes = 0;
    double pause = 0.0;
    std::vector<std::string> chunks;
    Handler handler;
  };

  void AcceptLoop();
  void Serve(int fd);
  bool ReadRequest(int fd, HttpRequest *request);
  bool SendAll(int fd, const std::string &bytes);
  // Sleeps in short steps; false once the server is stopping.
  bool Hold(double seconds);
  bool Stopping() const;
  // Holds while the path is in the set; false once the server is stopping.
  bool WaitWhileIn(const std::set<std::string> &set, const std::string &path);

  int m_listen_fd = -1;
  int m_port = 0;
  double m_stop_at = 0.0;
  std::atomic<bool> m_stop{false};
  std::mutex m_mutex;
  std::map<std::string, Route> m_routes;
  std::set<std::string> m_held;
  std::set<std::string> m_paused;
  std::vector<HttpRequest> m_requests;
  std::vector<std::thread> m_connections;
  std::thread m_acceptor;
};

// A 127.0.0.1 port that refuses connections: bound, never listening, kept for the object's life.
class RefusedPort {
 public:
  RefusedPort();
  ~RefusedPort();
  RefusedPort(const RefusedPort &) = delete;
  RefusedPort &operator=(const RefusedPort &) = delete;
  int Port() const { return m_port; }
  std::string Url(const std::string &path) const;

 private:
  int m_fd = -1;
  int m_port = 0;
};

}  // namespace qwtest
