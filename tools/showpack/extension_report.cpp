#include "extension_report.h"

#include <cstdio>
#include <type_traits>
#include <variant>

namespace showsaver::showpack {
namespace {

std::string rect_text(const Rect& rect) {
  return std::to_string(rect.width) + "x" + std::to_string(rect.height) + " at (" +
         std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")";
}

std::string rect_json(const Rect& rect) {
  return "{\"left\": " + std::to_string(rect.left) + ", \"top\": " + std::to_string(rect.top) +
         ", \"width\": " + std::to_string(rect.width) +
         ", \"height\": " + std::to_string(rect.height) + "}";
}

std::string order_name(ShowOrder order) {
  return order == ShowOrder::Shuffle ? "shuffle" : "as stored";
}

std::string tag_text(std::uint16_t tag) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", tag);
  return text;
}

std::string record_text(const ExtensionRecord& record) {
  return std::visit(
      [](const auto& r) -> std::string {
        using Record = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<Record, OrderRecord>) {
          return "order: " + order_name(r.order);
        } else if constexpr (std::is_same_v<Record, FadeRecord>) {
          return "scene " + std::to_string(r.scene) + ": cross-fade out over " +
                 std::to_string(r.duration_ms) + " ms";
        } else if constexpr (std::is_same_v<Record, PanZoomSeedRecord>) {
          return "scene " + std::to_string(r.scene) + ": pan and zoom, path from seed " +
                 std::to_string(r.seed);
        } else if constexpr (std::is_same_v<Record, PanZoomPathRecord>) {
          return "scene " + std::to_string(r.scene) + ": pan and zoom from " + rect_text(r.start) +
                 " to " + rect_text(r.end);
        } else {
          return "tag " + tag_text(r.tag) + ": unknown to this showpack, " +
                 std::to_string(r.payload.size()) + " bytes kept";
        }
      },
      record);
}

std::string record_json(const ExtensionRecord& record) {
  return std::visit(
      [](const auto& r) -> std::string {
        using Record = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<Record, OrderRecord>) {
          return "{\"kind\": \"order\", \"order\": \"" +
                 std::string(r.order == ShowOrder::Shuffle ? "shuffle" : "stored") + "\"}";
        } else if constexpr (std::is_same_v<Record, FadeRecord>) {
          return "{\"kind\": \"fade\", \"scene\": " + std::to_string(r.scene) +
                 ", \"duration_ms\": " + std::to_string(r.duration_ms) + "}";
        } else if constexpr (std::is_same_v<Record, PanZoomSeedRecord>) {
          return "{\"kind\": \"pan-zoom-seed\", \"scene\": " + std::to_string(r.scene) +
                 ", \"seed\": " + std::to_string(r.seed) + "}";
        } else if constexpr (std::is_same_v<Record, PanZoomPathRecord>) {
          return "{\"kind\": \"pan-zoom-path\", \"scene\": " + std::to_string(r.scene) +
                 ", \"start\": " + rect_json(r.start) + ", \"end\": " + rect_json(r.end) + "}";
        } else {
          return "{\"kind\": \"unknown\", \"tag\": " + std::to_string(r.tag) +
                 ", \"size\": " + std::to_string(r.payload.size()) + "}";
        }
      },
      record);
}

}  // namespace

std::string extension_text_report(const std::optional<ShowExtension>& extension) {
  if (!extension) return "";
  std::string out = "Extension version " + std::to_string(kExtensionVersion) + ", " +
                    std::to_string(extension->records.size()) + " records\n";
  for (const ExtensionRecord& record : extension->records) out += "  " + record_text(record) + "\n";
  return out;
}

std::string extension_json_report(const std::optional<ShowExtension>& extension) {
  if (!extension) return "null";
  std::string out = "{\"version\": " + std::to_string(kExtensionVersion) + ", \"records\": [";
  for (std::size_t i = 0; i < extension->records.size(); ++i) {
    out += (i == 0 ? "" : ", ") + record_json(extension->records[i]);
  }
  return out + "]}";
}

}  // namespace showsaver::showpack
