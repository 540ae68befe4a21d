// What the computer's power does to the show: its sound stops while nobody
// can see the show, so that an audio stream in use never keeps the computer
// awake.
#pragma once

namespace showsaver {

// Where the power events are reported.
class PowerSink {
 public:
  virtual ~PowerSink() = default;
  // The display has turned off, or the computer is about to sleep.
  virtual void fall_silent() = 0;
  // The display is on again.
  virtual void sound_again() = 0;
};

class PowerEvents {
 public:
  virtual ~PowerEvents() = default;
  // The show window's power events go to `sink` from now on, until the
  // window is destroyed.
  virtual void watch_power(PowerSink& sink) = 0;
};

// For a desktop that learns of no power events.
class NoPowerEvents final : public PowerEvents {
 public:
  void watch_power(PowerSink&) override {}
};

}  // namespace showsaver
