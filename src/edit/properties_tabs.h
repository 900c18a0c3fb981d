#pragma once

#include <array>
#include <string_view>

namespace kestrova {

// The tabs of the "Properties" dialog, in page order.
enum class PropertiesTab { Hut, Cliff, Cave, Alarm, Bridge, Rocket, LogCrossing, Road, Fortress, Wipe };

inline constexpr std::array<std::string_view, 10> kPropertiesTabCaptions = {
    "Hut", "Cliff", "Cave", "Alarm", "Bridge", "Rocket", "Log Crossing", "Road", "Fortress", "Wipe"};

constexpr std::string_view CaptionOf(PropertiesTab tab) {
  return kPropertiesTabCaptions[static_cast<std::size_t>(tab)];
}

}  // namespace kestrova
