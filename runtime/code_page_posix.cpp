// Conversions between GBK and UTF-8 through glibc's iconv. "CP936" is code page 936 as Windows has
// it (0x80 is the euro sign); a conversion that would lose or invent a character fails instead.
#include "runtime/code_page.h"

#include <iconv.h>

#include <cerrno>

namespace vexlo {

namespace {

// Returns `text` converted from `from` to `to`, or nothing when a sequence is invalid or has no
// form in the target. An iconv descriptor is opened per call: descriptors are not thread-safe.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text) {
  if (text.empty()) return std::string();
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 2 + 8, '\0');
  std::string in(text);
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  std::size_t done = 0;
  bool ok = true;
  for (;;) {
    char* outPtr = out.data() + done;
    std::size_t outLeft = out.size() - done;
    const std::size_t r = inLeft > 0 ? iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft)
                                     : iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    done = out.size() - outLeft;
    if (r != static_cast<std::size_t>(-1)) {
      if (inLeft == 0) {
        // Flush any shift state, then stop.
        outPtr = out.data() + done;
        outLeft = out.size() - done;
        if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
          ok = false;
        }
        done = out.size() - outLeft;
        break;
      }
      continue;
    }
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    ok = false;  // EILSEQ, EINVAL (incomplete sequence at the end)
    break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(done);
  return out;
}

}  // namespace

std::optional<std::string> gbkToUtf8(std::string_view gbk) { return convert("UTF-8", "CP936", gbk); }

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
  return convert("CP936", "UTF-8", utf8);
}

}  // namespace vexlo
