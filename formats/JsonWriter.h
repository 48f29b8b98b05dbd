// Writing JSON text for programs of other makers to read: objects and arrays
// opened and closed in order, one member or element a line, strings escaped
// so that any byte string comes out as valid UTF-8 JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pixkura {

class TJsonWriter {
 public:
  // Containers: Key names the member a value inside an object belongs to;
  // inside an array values follow one another. Compact puts a container's
  // members on the line it opens on ({ "x": 0, "y": 0 }).
  void BeginObject(bool compact = false);
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(std::string_view name);
  void String(std::string_view text);
  void Number(int64_t value);
  void Bool(bool value);

  // The text written so far, complete once every container is closed.
  const std::string& Text() const { return text_; }

 private:
  struct TLevel {
    bool Compact = false;
    bool Empty = true;
  };
  void BeforeValue();
  void Close(char bracket);
  void NewLine();

  std::string text_;
  std::vector<TLevel> levels_;
  bool afterKey_ = false;
};

// text as a quoted JSON string. Bytes that are no UTF-8 are taken as
// Latin-1 letters (names of files from systems of other encodings), since
// JSON text must be UTF-8.
std::string JsonQuoted(std::string_view text);

}  // namespace pixkura
