#include "settings/ShiftJis.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "base/Exception.h"

namespace pixkura {
namespace {

// One iconv descriptor per direction and thread; code page 932 is stateless,
// so a descriptor can be reused after a reset.
class TConverter {
 public:
  TConverter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw EOutOfResources(std::string("no character conversion from ") + from + " to " + to);
    }
  }
  ~TConverter() { ::iconv_close(cd_); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // Converts input; at every byte that cannot be converted, appends
  // replacement and skips skipLength(remaining input) bytes.
  template <typename SkipLength>
  std::string Convert(std::string_view input, std::string_view replacement, SkipLength skipLength) {
    ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(input.size() + input.size() / 2);
    std::array<char, 4096> buffer{};
    // iconv's interface takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      char* o = buffer.data();
      size_t oLeft = buffer.size();
      const size_t rc = ::iconv(cd_, &in, &inLeft, &o, &oLeft);
      const int err = errno;
      out.append(buffer.data(), buffer.size() - oLeft);
      if (rc != static_cast<size_t>(-1) || err == E2BIG) continue;
      // EILSEQ or EINVAL (a character cut off at the end): replace and go on.
      out.append(replacement);
      const size_t skip = std::min(inLeft, std::max<size_t>(1, skipLength(std::string_view(in, inLeft))));
      in += skip;
      inLeft -= skip;
      ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// Bytes to skip for the bad UTF-8 sequence that starts text: its lead byte
// with the continuation bytes that follow it (a cut-off character is one
// loss), or the single stray byte.
size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<uint8_t>(text[0]);
  size_t n = 1;
  if (lead >= 0xC2 && lead <= 0xDF) n = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) n = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) n = 4;
  size_t length = 1;
  while (length < n && length < text.size() && (static_cast<uint8_t>(text[length]) & 0xC0) == 0x80) ++length;
  return length;
}

}  // namespace

std::string ShiftJisToUtf8(std::string_view bytes) {
  thread_local TConverter decoder("UTF-8", "CP932");
  return decoder.Convert(bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToShiftJis(std::string_view text) {
  thread_local TConverter encoder("CP932", "UTF-8");
  return encoder.Convert(text, "?", Utf8SequenceLength);
}

}  // namespace pixkura
