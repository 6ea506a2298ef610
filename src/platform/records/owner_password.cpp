#include "platform/records/owner_password.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <random>

namespace vl::records {
namespace {

constexpr int kIterations = 20000;
constexpr std::size_t kSaltSize = 16;
constexpr std::size_t kHashSize = 32;

std::vector<unsigned char> derive(const std::string& password, const std::vector<unsigned char>& salt) {
  std::vector<unsigned char> out(kHashSize);
  if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(),
                        static_cast<int>(salt.size()), kIterations, EVP_sha256(),
                        static_cast<int>(out.size()), out.data()) != 1) {
    out.clear();  // the caller sees an unusable check and refuses it
  }
  return out;
}

}  // namespace

PasswordCheck makePasswordCheck(const std::string& password) {
  PasswordCheck check;
  if (password.empty()) return check;
  check.salt.resize(kSaltSize);
  if (RAND_bytes(check.salt.data(), static_cast<int>(check.salt.size())) != 1) {
    std::random_device device;  // the system's entropy source all the same
    for (auto& byte : check.salt) byte = static_cast<unsigned char>(device());
  }
  check.hash = derive(password, check.salt);
  return check;
}

bool passwordMatches(const PasswordCheck& check, const std::string& password) {
  if (check.salt.empty() && check.hash.empty()) return true;
  if (check.salt.empty() || check.hash.size() != kHashSize) return false;
  const auto candidate = derive(password, check.salt);
  return CRYPTO_memcmp(candidate.data(), check.hash.data(), kHashSize) == 0;
}

}  // namespace vl::records
