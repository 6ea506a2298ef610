// libcurl results as the Windows Internet error numbers the program reports.
#include <cerrno>

#include "platform/inet/curl_transfer.h"

namespace vl::net::detail {
namespace {

// OpenSSL's verification results that concern the certificate's dates.
constexpr long kCertNotYetValid = 9;
constexpr long kCertHasExpired = 10;
// libcurl checks the name itself and then reports "unspecified" (1).
constexpr long kUnspecified = 1;
constexpr long kHostnameMismatch = 62;
constexpr long kIpAddressMismatch = 64;

std::uint32_t certificateError(CURL* easy) {
  long verify = 0;
  curl_easy_getinfo(easy, CURLINFO_SSL_VERIFYRESULT, &verify);
  if (verify == kCertNotYetValid || verify == kCertHasExpired) return kErrorInternetSecCertDateInvalid;
  if (verify == 0 || verify == kUnspecified || verify == kHostnameMismatch || verify == kIpAddressMismatch)
    return kErrorInternetSecCertCnInvalid;
  return kErrorInternetInvalidCa;
}

std::uint32_t socketError(CURL* easy, std::uint32_t otherwise) {
  long err = 0;
  curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &err);
  if (err == ECONNRESET) return kErrorInternetConnectionReset;
  if (err == ENETDOWN || err == ENETUNREACH) return kErrorInternetDisconnected;
  return otherwise;
}

}  // namespace

std::uint32_t inetErrorFor(CURLcode code, CURL* easy) {
  switch (code) {
    case CURLE_OK:
      return 0;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return kErrorInternetNameNotResolved;
    case CURLE_COULDNT_CONNECT:
    case CURLE_FTP_ACCEPT_FAILED:
      return socketError(easy, kErrorInternetCannotConnect);
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_ACCEPT_TIMEOUT:
      return kErrorInternetTimeout;
    case CURLE_LOGIN_DENIED:
      return kErrorInternetIncorrectPassword;
    // The FTP server answered with an error; its reply is the last response.
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_QUOTE_ERROR:
    case CURLE_UPLOAD_FAILED:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_FTP_COULDNT_USE_REST:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_REMOTE_FILE_EXISTS:
      return kErrorInternetExtendedError;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_GOT_NOTHING:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_HTTP2:
      return kErrorHttpInvalidServerResponse;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
      return socketError(easy, kErrorInternetConnectionAborted);
    case CURLE_PEER_FAILED_VERIFICATION:
      return certificateError(easy);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_USE_SSL_FAILED:
      return kErrorInternetSecurityChannelError;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return kErrorInternetInvalidUrl;
    default:
      return kErrorInternetInternalError;
  }
}

}  // namespace vl::net::detail
