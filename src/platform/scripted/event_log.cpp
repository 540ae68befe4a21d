#include "platform/scripted/event_log.h"

#include <cstdio>

namespace showsaver {

std::string json_escape(const std::string& text) {
  std::string escaped = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        escaped += "\\\"";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char code[8];
          std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
          escaped += code;
        } else {
          escaped += c;
        }
    }
  }
  return escaped + "\"";
}

JsonField json_string(std::string name, const std::string& value) {
  return {std::move(name), json_escape(value)};
}
JsonField json_number(std::string name, long long value) {
  return {std::move(name), std::to_string(value)};
}
JsonField json_bool(std::string name, bool value) {
  return {std::move(name), value ? "true" : "false"};
}
JsonField json_null(std::string name) {
  return {std::move(name), "null"};
}

std::string LoggedEvent::to_json() const {
  std::string line = "{\"t\":" + std::to_string(tick) + ",\"ms\":" + std::to_string(elapsed_ms) +
                     ",\"event\":" + json_escape(kind);
  for (const JsonField& field : fields) line += "," + json_escape(field.name) + ":" + field.json;
  return line + "}";
}

void EventLog::add(std::int32_t tick, std::int64_t elapsed_ms, std::string kind,
                   std::vector<JsonField> fields) {
  events_.push_back({tick, elapsed_ms, std::move(kind), std::move(fields)});
}

std::vector<LoggedEvent> EventLog::of_kind(const std::string& kind) const {
  std::vector<LoggedEvent> matching;
  for (const LoggedEvent& event : events_) {
    if (event.kind == kind) matching.push_back(event);
  }
  return matching;
}

std::string EventLog::to_jsonl() const {
  std::string text;
  for (const LoggedEvent& event : events_) text += event.to_json() + "\n";
  return text;
}

}  // namespace showsaver
