// Checked GDI handles: a handle is a number that names one live object of one
// kind.  Numbers are never reused, so a stale handle finds nothing, and the
// kinds draw from one counter, so a handle of another kind finds nothing too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace showsaver::soft {

class HandleCounter {
 public:
  std::uintptr_t next() { return ++last_; }

 private:
  std::uintptr_t last_ = 0;
};

template <typename Object>
class HandleTable {
 public:
  explicit HandleTable(HandleCounter& counter) : counter_(counter) {}

  std::uintptr_t add(Object object) {
    const std::uintptr_t handle = counter_.next();
    objects_.emplace(handle, std::move(object));
    return handle;
  }

  // The object, or null for the null handle, a stale one or one of another kind.
  // Pointers stay valid until the object is removed.
  Object* find(std::uintptr_t handle) {
    auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : &it->second;
  }
  const Object* find(std::uintptr_t handle) const {
    auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : &it->second;
  }

  bool remove(std::uintptr_t handle) { return objects_.erase(handle) != 0; }
  std::size_t size() const { return objects_.size(); }

 private:
  HandleCounter& counter_;
  std::unordered_map<std::uintptr_t, Object> objects_;
};

}  // namespace showsaver::soft
