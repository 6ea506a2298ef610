#pragma once
// One JSON object written as one line of the transcript. Texts are escaped
// (quotes, backslashes, control characters); valid UTF-8 passes through, and a
// byte that is not valid UTF-8 (a Windows-1252 letter, say) is written as the
// \u00XX of the same Latin-1 code, so every line stays valid JSON.
#include <string>
#include <string_view>

namespace vl::ui {

std::string jsonString(std::string_view text);  // with the quotes

class JsonLine {
 public:
  JsonLine& add(std::string_view key, std::string_view text);
  JsonLine& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
  JsonLine& add(std::string_view key, long long number);
  JsonLine& add(std::string_view key, int number) { return add(key, static_cast<long long>(number)); }
  JsonLine& add(std::string_view key, bool flag);
  JsonLine& addRaw(std::string_view key, std::string_view json);  // an array or object made elsewhere
  std::string str() const { return body_ + "}"; }

 private:
  void key(std::string_view key);
  std::string body_ = "{";
};

}  // namespace vl::ui
