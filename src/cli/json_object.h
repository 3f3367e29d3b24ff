// Writes JSON objects member by member into a string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessivo::cli {

// Appends the members of one object; the caller writes its braces.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) {}

  JsonObject& Text(const char* name, std::string_view value) {
    Name(name);
    AppendString(value, out_);
    return *this;
  }
  JsonObject& Unsigned(const char* name, uint64_t value) {
    Name(name);
    out_ += std::to_string(value);
    return *this;
  }
  JsonObject& Signed(const char* name, int64_t value) {
    Name(name);
    out_ += std::to_string(value);
    return *this;
  }
  JsonObject& Real(const char* name, double value) {
    Name(name);
    AppendReal(value, out_);
    return *this;
  }
  JsonObject& Boolean(const char* name, bool value) {
    Name(name);
    out_ += value ? "true" : "false";
    return *this;
  }
  // An index, or null where it is none.
  JsonObject& Index(const char* name, uint32_t value, uint32_t none) {
    Name(name);
    out_ += value == none ? std::string("null") : std::to_string(value);
    return *this;
  }
  // Opens a member whose value the caller writes.
  void Name(const char* name) {
    if (!first_) out_ += ',';
    first_ = false;
    AppendString(name, out_);
    out_ += ':';
  }

  static void AppendString(std::string_view text, std::string& out);
  // The shortest text that reads back as the same double; JSON has no NaN or infinity.
  static void AppendReal(double value, std::string& out);

 private:
  std::string& out_;
  bool first_ = true;
};

}  // namespace tessivo::cli
