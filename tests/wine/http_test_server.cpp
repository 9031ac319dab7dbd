// The Wine tests' HTTP server (Winsock, one connection at a time).
#include "http_test_server.h"

#include <stdexcept>

namespace zt::test {
namespace {

constexpr int kShutdownSend = 1;  // SD_SEND
constexpr long kPollMicroseconds = 50 * 1000;
constexpr DWORD kHoldLimitMs = 60 * 1000;
// A client that stops reading (one that refused a download too large, and
// whose connection the system keeps) holds a send at most this long, so
// that the next connection and the server's end are not held up for ever.
constexpr DWORD kSendLimitMs = 10000;

class WinsockUser {
 public:
  WinsockUser() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
  }
  ~WinsockUser() { WSACleanup(); }
};

SOCKET BoundSocket(int* port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) throw std::runtime_error("socket failed");
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  int len = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    closesocket(s);
    throw std::runtime_error("bind failed");
  }
  *port = ntohs(addr.sin_port);
  return s;
}

// False once the client has gone.
bool SendAll(SOCKET s, const char* data, size_t n) {
  while (n > 0) {
    int sent = send(s, data, static_cast<int>(n), 0);
    if (sent <= 0) return false;
    data += sent;
    n -= static_cast<size_t>(sent);
  }
  return true;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

HttpTestServer::HttpTestServer() {
  static WinsockUser winsock;
  InitializeCriticalSection(&lock_);
  listen_ = BoundSocket(&port_);
  if (listen(listen_, 8) != 0) throw std::runtime_error("listen failed");
  thread_ = CreateThread(nullptr, 0, &HttpTestServer::ThreadMain, this, 0, nullptr);
  if (!thread_) throw std::runtime_error("CreateThread failed");
}

HttpTestServer::~HttpTestServer() {
  InterlockedExchange(&stop_, 1);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  closesocket(listen_);
  DeleteCriticalSection(&lock_);
}

void HttpTestServer::Serve(const std::string& path, const HttpReply& reply) {
  EnterCriticalSection(&lock_);
  replies_[path] = reply;
  LeaveCriticalSection(&lock_);
}

int HttpTestServer::requests() {
  EnterCriticalSection(&lock_);
  int n = requests_;
  LeaveCriticalSection(&lock_);
  return n;
}

int HttpTestServer::UnusedPort() {
  static WinsockUser winsock;
  int port = 0;
  closesocket(BoundSocket(&port));
  return port;
}

DWORD WINAPI HttpTestServer::ThreadMain(void* self) {
  static_cast<HttpTestServer*>(self)->Loop();
  return 0;
}

void HttpTestServer::Loop() {
  // select with a short time-out, so that the destructor's stop flag is seen.
  while (!stop_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listen_, &ready);
    timeval wait = {0, kPollMicroseconds};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listen_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    DWORD limit = kSendLimitMs;
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
    Answer(client);
    shutdown(client, kShutdownSend);
    closesocket(client);
  }
}

void HttpTestServer::Answer(SOCKET client) {
  std::string request;
  char buf[1024];
  while (request.find("\r\n\r\n") == std::string::npos) {
    int got = recv(client, buf, sizeof buf, 0);
    if (got <= 0) return;
    request.append(buf, static_cast<size_t>(got));
  }
  // "GET /path HTTP/1.1"
  size_t start = request.find(' ') + 1;
  std::string path = request.substr(start, request.find(' ', start) - start);

  HttpReply reply;
  EnterCriticalSection(&lock_);
  ++requests_;
  auto it = replies_.find(path);
  bool found = it != replies_.end();
  if (found) reply = it->second;
  LeaveCriticalSection(&lock_);
  if (!found) {
    reply.status = 404;
    reply.contentType = "text/html";
    reply.body = "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>\n";
  }
  if (reply.hold) WaitForSingleObject(reply.hold, kHoldLimitMs);

  size_t length = reply.declaredLength == std::string::npos ? reply.body.size() : reply.declaredLength;
  std::string head = "HTTP/1.0 " + std::to_string(reply.status) + " " + Reason(reply.status) +
                     "\r\nContent-Type: " + reply.contentType;
  if (!reply.noLength) head += "\r\nContent-Length: " + std::to_string(length);
  head += "\r\nConnection: close\r\n\r\n";
  SendAll(client, head.data(), head.size());
  if (reply.chunkDelayMs == 0) {
    SendAll(client, reply.body.data(), reply.body.size());
    return;
  }
  for (size_t at = 0; at < reply.body.size(); at += 16) {
    Sleep(reply.chunkDelayMs);
    if (!SendAll(client, reply.body.data() + at, std::min<size_t>(16, reply.body.size() - at))) return;
  }
}

}  // namespace zt::test
