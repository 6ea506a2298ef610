#pragma once
// The Internet client: a synchronous session with FTP and HTTP connections, in
// the shape of the Windows Internet client the program was written against.
// Every operation blocks the calling thread; while it runs, the status callback
// registered on the session is called on that same thread with the Windows
// Internet status codes, so it may update windows and let window work run.
// A failed operation sets the Windows error number (vl::platform::lastWinError)
// to the Windows Internet error number and returns it as well.
//
// Handles are objects: each closes itself when destroyed, and close() may be
// called any number of times; only the first one does anything.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/inet/internet_codes.h"

namespace vl::net {

namespace detail {
struct SessionState;
class FtpLink;
class HttpExchange;
}  // namespace detail

// The outcome of an operation: 0 or the Windows Internet error number (also
// left as the Windows error number). Tests true on success.
struct [[nodiscard]] InetResult {
  std::uint32_t error = 0;
  explicit operator bool() const { return error == 0; }
};

// One status notification. `text` carries the host name (10) or the server's
// address (11, 20, 21); `value` the byte count (31, 41), the state (200) or 1
// (100). Codes without information leave both empty.
struct StatusEvent {
  std::uint32_t status = 0;
  std::string text;
  std::uint32_t value = 0;
};
using StatusCallback = std::function<void(const StatusEvent&)>;

// Emulated connection state: connected by LAN when a non-loopback network
// interface is up, unless platform.ini [Network] Connected= gives the flags.
// Returns whether a connection (modem, LAN or proxy) is reported.
bool getConnectedState(std::uint32_t& flags);
// Dialling is emulated: nothing is dialled; both report success.
bool autodial(std::uint32_t flags, std::uintptr_t window);
bool autodialHangup();

// The FTP server's last reply on this thread (cleared when an FTP operation
// starts). False when no reply has arrived since.
struct LastResponse {
  std::uint32_t error = 0;  // the reply code, 550 for example
  std::string text;         // the reply as sent, lines joined with CR LF
};
bool lastResponseInfo(LastResponse& response);

class Session {
 public:
  Session();
  ~Session();
  Session(Session&&) noexcept;
  Session& operator=(Session&&) noexcept;

  // Opens with the system's preconfigured proxy settings (on this platform
  // the usual proxy environment variables).
  InetResult open();
  bool isOpen() const;
  // kOptionConnectTimeout or kOptionReceiveTimeout in milliseconds; anything
  // else fails with kErrorInternetInvalidOption.
  InetResult setOption(std::uint32_t option, std::uint32_t value);
  // Registers the callback for this session and every connection and request
  // made from it; an empty callback removes it.
  InetResult setStatusCallback(StatusCallback callback);
  void close();

 private:
  friend class FtpConnection;
  friend class HttpConnection;
  std::shared_ptr<detail::SessionState> state_;
};

// A listed entry. `attributes` has kAttributeDirectory for a folder, else
// kAttributeNormal.
struct FindData {
  std::string name;
  std::uint64_t size = 0;
  std::uint32_t attributes = 0;
};

class FtpFind {
 public:
  FtpFind();
  ~FtpFind();
  FtpFind(FtpFind&&) noexcept;
  FtpFind& operator=(FtpFind&&) noexcept;

  bool isOpen() const;
  // The next entry; fails with kErrorNoMoreFiles (18) after the last one.
  InetResult next(FindData& data);
  void close();

 private:
  friend class FtpConnection;
  std::shared_ptr<detail::SessionState> session_;
  std::vector<FindData> entries_;
  std::size_t position_ = 0;
};

class FtpConnection {
 public:
  FtpConnection();
  ~FtpConnection();
  FtpConnection(FtpConnection&&) noexcept;
  FtpConnection& operator=(FtpConnection&&) noexcept;

  // Connects and logs in now; kFlagPassive in `flags` selects passive mode.
  // platform.ini [Network] ConnectTo= may send host:port elsewhere.
  InetResult connect(Session& session, std::string_view host, int port, std::string_view user,
                     std::string_view password, std::uint32_t flags);
  bool isOpen() const;

  // Lists the folder of `pattern` ("/FTP/ASP/BIN/*.*") and opens `find` on
  // the entries whose names match its last part (Windows wildcards, case
  // ignored); `first` receives the first. No match or an empty folder fails
  // with kErrorNoMoreFiles; a folder the server refuses with
  // kErrorInternetExtendedError (see lastResponseInfo).
  InetResult findFirst(std::string_view pattern, FindData& first, FtpFind& find);
  // Fetches a remote file in binary into a local Windows path. A partly
  // written local file is removed when the transfer fails.
  InetResult getFile(std::string_view remotePath, std::string_view localPath, bool failIfExists);
  // Stores a local file (Windows path) under the remote path, in binary.
  InetResult putFile(std::string_view localPath, std::string_view remotePath);
  // Deletes a remote file; give absolute remote paths.
  InetResult deleteFile(std::string_view remotePath);
  void close();

 private:
  std::unique_ptr<detail::FtpLink> link_;
};

class HttpRequest;

class HttpConnection {
 public:
  HttpConnection();
  ~HttpConnection();
  HttpConnection(HttpConnection&&) noexcept;
  HttpConnection& operator=(HttpConnection&&) noexcept;

  // Remembers the server; no network traffic until a request is sent.
  InetResult connect(Session& session, std::string_view host, int port, std::string_view user,
                     std::string_view password, std::uint32_t flags);
  bool isOpen() const;
  // Prepares a request. `version` "HTTP/1.0" or "HTTP/1.1"; kFlagSecure in
  // `flags` makes it HTTPS on the connection's port. Redirects are never
  // followed: a 3xx reply is handed back like any other.
  InetResult openRequest(HttpRequest& request, std::string_view verb, std::string_view objectName,
                         std::string_view version, std::string_view referrer,
                         const std::vector<std::string>& acceptTypes, std::uint32_t flags);
  void close();

 private:
  std::shared_ptr<detail::SessionState> session_;
  std::string host_;
  int port_ = 0;
  bool open_ = false;
};

class HttpRequest {
 public:
  HttpRequest();
  ~HttpRequest();
  HttpRequest(HttpRequest&&) noexcept;
  HttpRequest& operator=(HttpRequest&&) noexcept;

  bool isOpen() const;
  // Sends the request with extra header lines (separated by CR LF) and a
  // body, and returns when the reply's headers have arrived, whatever its
  // status code.
  InetResult send(std::string_view headers, std::string_view body);
  // Reads up to `size` bytes of the reply body; fewer only at its end, and 0
  // once it is complete. The body is pulled from the network as it is read.
  InetResult read(char* buffer, std::size_t size, std::size_t& bytesRead);
  // The reply's HTTP status code, 0 before a reply.
  int statusCode() const;
  void close();

 private:
  friend class HttpConnection;
  std::unique_ptr<detail::HttpExchange> exchange_;
};

}  // namespace vl::net
