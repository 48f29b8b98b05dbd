#include "formats/JsonWriter.h"

#include "base/Exception.h"

namespace pixkura {

namespace {

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(0);
  size_t length = 0;
  uint32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  uint32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < min || code > 0x10FFFF || surrogate ? 0 : length;
}

void AppendLatin1(std::string& out, uint8_t byte) {
  out += static_cast<char>(0xC0 | byte >> 6);
  out += static_cast<char>(0x80 | (byte & 0x3F));
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out = "\"";
  while (!text.empty()) {
    const uint8_t c = static_cast<uint8_t>(text.front());
    size_t taken = 1;
    if (c == '"' || c == '\\') {
      out += {'\\', static_cast<char>(c)};
    } else if (c < 0x20) {
      out += {'\\', 'u', '0', '0', kDigits[c >> 4], kDigits[c & 15]};
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((taken = Utf8SequenceLength(text)) != 0) {
      out.append(text.substr(0, taken));
    } else {
      taken = 1;
      AppendLatin1(out, c);
    }
    text.remove_prefix(taken);
  }
  return out + '"';
}

void TJsonWriter::NewLine() {
  text_ += '\n';
  text_.append(2 * levels_.size(), ' ');
}

void TJsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  TLevel& level = levels_.back();
  if (!level.Empty) text_ += ',';
  level.Empty = false;
  if (level.Compact)
    text_ += ' ';
  else
    NewLine();
}

void TJsonWriter::BeginObject(bool compact) {
  BeforeValue();
  text_ += '{';
  levels_.push_back({compact || (!levels_.empty() && levels_.back().Compact), true});
}

void TJsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  levels_.push_back({false, true});
}

void TJsonWriter::Close(char bracket) {
  if (levels_.empty() || afterKey_) throw EInvalidOperation("TJsonWriter: nothing open to close");
  const TLevel level = levels_.back();
  levels_.pop_back();
  if (level.Compact)
    text_ += level.Empty ? "" : " ";
  else if (!level.Empty)
    NewLine();
  text_ += bracket;
  if (levels_.empty()) text_ += '\n';
}

void TJsonWriter::EndObject() { Close('}'); }
void TJsonWriter::EndArray() { Close(']'); }

void TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  text_ += JsonQuoted(name) + ": ";
  afterKey_ = true;
}

void TJsonWriter::String(std::string_view text) {
  BeforeValue();
  text_ += JsonQuoted(text);
}

void TJsonWriter::Number(int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void TJsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

}  // namespace pixkura
