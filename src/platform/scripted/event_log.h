// The scripted platform's record of everything the show did, in order, with
// the virtual time of each event.  Written out as one JSON object per line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace showsaver {

// A field value already formatted as JSON.
struct JsonField {
  std::string name;
  std::string json;
};

JsonField json_string(std::string name, const std::string& value);
JsonField json_number(std::string name, long long value);
JsonField json_bool(std::string name, bool value);
JsonField json_null(std::string name);
std::string json_escape(const std::string& text);

struct LoggedEvent {
  std::int32_t tick = 0;
  std::int64_t elapsed_ms = 0;
  std::string kind;
  std::vector<JsonField> fields;

  std::string to_json() const;
};

class EventLog {
 public:
  void add(std::int32_t tick, std::int64_t elapsed_ms, std::string kind,
           std::vector<JsonField> fields = {});
  const std::vector<LoggedEvent>& events() const { return events_; }
  // Forgets what was logged (long runs keep their memory flat with it).
  void clear() { std::vector<LoggedEvent>().swap(events_); }
  std::vector<LoggedEvent> of_kind(const std::string& kind) const;
  std::string to_jsonl() const;

 private:
  std::vector<LoggedEvent> events_;
};

}  // namespace showsaver
