// A small HTTP/1.0 server on 127.0.0.1 for the Wine tests: serves prepared
// replies by path on a port the system picks, on a thread of its own. A
// reply can be held back until the test releases it, trickled slowly, or
// cut short; a trickle stops when the client goes.
#pragma once
// The test build includes windows.h ahead of every file, and with it the
// Winsock 1.1 header; the calls used here are all in that one.
#include <windows.h>
#ifndef _WINSOCKAPI_
#include <winsock2.h>
#endif

#include <map>
#include <string>

namespace zt::test {

struct HttpReply {
  int status = 200;
  std::string body;
  std::string contentType = "text/plain";
  HANDLE hold = nullptr;        // when set: wait for this event before answering
  unsigned chunkDelayMs = 0;    // when set: send the body in 16-byte pieces with this pause
  size_t declaredLength = std::string::npos;  // Content-Length when it should differ from the body
  bool noLength = false;        // send no Content-Length: the body ends with the connection
};

class HttpTestServer {
 public:
  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  int port() const { return port_; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // Replies for a path; other paths get a 404 page.
  void Serve(const std::string& path, const HttpReply& reply);
  int requests();

  // A port on which nothing listens (bound once, then closed).
  static int UnusedPort();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Loop();
  void Answer(SOCKET client);

  SOCKET listen_ = INVALID_SOCKET;
  int port_ = 0;
  HANDLE thread_ = nullptr;
  volatile LONG stop_ = 0;
  CRITICAL_SECTION lock_;
  std::map<std::string, HttpReply> replies_;
  int requests_ = 0;
};

}  // namespace zt::test
