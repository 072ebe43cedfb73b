#include "io/ansi_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "io/io_error.h"

namespace quillon {
namespace {

// The five positions Windows-1252 leaves undefined; Windows maps them to the
// control characters of the same number, and so do we, both ways.
bool IsUndefinedPosition(std::uint32_t code) {
  return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
      throw IoError(std::string("The system offers no conversion from ") + from + " to " + to +
                    ".");
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; false when it stopped at a character it
  // cannot convert (or an incomplete sequence), with in pointing at it.
  bool Run(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
    char* input = const_cast<char*>(in);
    const std::size_t result = iconv(handle_, &input, &inLeft, &out, &outLeft);
    in = input;
    return result != static_cast<std::size_t>(-1) || (errno != EILSEQ && errno != EINVAL);
  }

 private:
  iconv_t handle_;
};

// The code point of the UTF-8 sequence at text[0..left) and its length; a
// byte that starts no valid sequence gives length 1 and no code point.
struct Sequence {
  std::uint32_t code = 0;
  std::size_t length = 1;
  bool valid = false;
};

Sequence DecodeUtf8(const unsigned char* text, std::size_t left) {
  Sequence sequence;
  const unsigned char lead = text[0];
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    length = 1;
    code = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return sequence;
  }
  if (length > left) {
    return sequence;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) {
      return sequence;
    }
    code = (code << 6) | (text[i] & 0x3Fu);
  }
  sequence.code = code;
  sequence.length = length;
  sequence.valid = true;
  return sequence;
}

std::string WordAround(const std::string& text, std::size_t position) {
  std::size_t begin = text.rfind(' ', position);
  begin = begin == std::string::npos ? 0 : begin + 1;
  std::size_t end = text.find(' ', position);
  if (end == std::string::npos) {
    end = text.size();
  }
  return text.substr(begin, end - begin);
}

}  // namespace

AnsiText ToWindows1252(const std::string& utf8) {
  Converter converter("WINDOWS-1252", "UTF-8");
  AnsiText result;
  // A UTF-8 character takes at least one byte and becomes exactly one.
  std::string buffer(utf8.size(), '\0');
  const char* in = utf8.data();
  std::size_t inLeft = utf8.size();
  char* out = buffer.data();
  std::size_t outLeft = buffer.size();
  while (inLeft > 0) {
    if (converter.Run(in, inLeft, out, outLeft)) {
      break;
    }
    const Sequence sequence = DecodeUtf8(reinterpret_cast<const unsigned char*>(in), inLeft);
    if (sequence.valid && IsUndefinedPosition(sequence.code)) {
      *out = static_cast<char>(sequence.code);
    } else {
      *out = '?';
      const std::string word = WordAround(utf8, static_cast<std::size_t>(in - utf8.data()));
      if (result.lossyWords.empty() || result.lossyWords.back() != word) {
        result.lossyWords.push_back(word);
      }
    }
    ++out;
    --outLeft;
    in += sequence.length;
    inLeft -= sequence.length;
  }
  buffer.resize(static_cast<std::size_t>(out - buffer.data()));
  result.bytes = std::move(buffer);
  return result;
}

std::string FromWindows1252(const std::string& bytes) {
  Converter converter("UTF-8", "WINDOWS-1252");
  // No Windows-1252 character needs more than three UTF-8 bytes.
  std::string buffer(bytes.size() * 3, '\0');
  const char* in = bytes.data();
  std::size_t inLeft = bytes.size();
  char* out = buffer.data();
  std::size_t outLeft = buffer.size();
  while (inLeft > 0) {
    if (converter.Run(in, inLeft, out, outLeft)) {
      break;
    }
    // Only the undefined positions stop the converter; U+0080..U+009F are
    // C2 80..C2 9F in UTF-8.
    const auto byte = static_cast<unsigned char>(*in);
    if (IsUndefinedPosition(byte)) {
      out[0] = static_cast<char>(0xC2);
      out[1] = *in;
      out += 2;
      outLeft -= 2;
    } else {
      *out++ = '?';
      --outLeft;
    }
    ++in;
    --inLeft;
  }
  buffer.resize(static_cast<std::size_t>(out - buffer.data()));
  return buffer;
}

}  // namespace quillon
