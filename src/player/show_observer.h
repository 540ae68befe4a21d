// Watches a show's progress: the headless renderer counts transitions with it.
#pragma once

#include <cstdint>

namespace showsaver {

class ShowObserver {
 public:
  virtual ~ShowObserver() = default;
  virtual void transition_starting(std::int32_t outgoing_scene, std::int32_t incoming_scene,
                                   std::int32_t effect_code) = 0;
  virtual void transition_finished() = 0;
};

}  // namespace showsaver
