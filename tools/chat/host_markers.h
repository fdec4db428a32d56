// The host's reading of the markers in the plugin's replies: the terminal host shows "[name]" as
// the sender's display name and "[enter]" as a line break.
#pragma once

#include <string>
#include <string_view>

namespace vexlo::chat {

// Returns `reply` (GBK) with every "[name]" replaced by `name` (GBK) and every "[enter]" by CR LF,
// in one pass, so a name that itself holds a marker is left as it is. A double-byte character is
// never taken apart: a GBK trail byte equal to "[" does not start a marker.
std::string replaceHostMarkers(std::string_view reply, std::string_view name);

}  // namespace vexlo::chat
