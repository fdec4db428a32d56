// The terminal host's markers "[name]" and "[enter]".
#include "tools/chat/host_markers.h"

namespace vexlo::chat {

std::string replaceHostMarkers(std::string_view reply, std::string_view name) {
  constexpr std::string_view nameMarker = "[name]";
  constexpr std::string_view enterMarker = "[enter]";
  std::string out;
  out.reserve(reply.size());
  std::size_t i = 0;
  while (i < reply.size()) {
    const auto byte = static_cast<unsigned char>(reply[i]);
    if (byte >= 0x80 && i + 1 < reply.size() && reply[i + 1] != '\0') {
      out.append(reply.substr(i, 2));
      i += 2;
    } else if (reply.substr(i).starts_with(nameMarker)) {
      out.append(name);
      i += nameMarker.size();
    } else if (reply.substr(i).starts_with(enterMarker)) {
      out.append("\r\n");
      i += enterMarker.size();
    } else {
      out.push_back(reply[i]);
      ++i;
    }
  }
  return out;
}

}  // namespace vexlo::chat
