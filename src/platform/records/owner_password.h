#pragma once
// The owner password of a keyed file is never stored: the header keeps a
// random salt and a slow salted hash (PBKDF2-HMAC-SHA256) of it.
#include <string>
#include <vector>

namespace vl::records {

struct PasswordCheck {
  std::vector<unsigned char> salt;  // empty: the file has no owner password
  std::vector<unsigned char> hash;
};

// A hash left empty for a non-empty password means hashing failed.
PasswordCheck makePasswordCheck(const std::string& password);

// True when password opens a file with this check (a file without an owner
// password opens with any).
bool passwordMatches(const PasswordCheck& check, const std::string& password);

}  // namespace vl::records
