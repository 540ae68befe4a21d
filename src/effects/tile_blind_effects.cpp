// Effects that uncover the incoming picture in place, piece by piece: random
// and spiral tiles on a 5 x 5 grid, and the blinds.
#include <array>
#include <cmath>

#include "common/show_math.h"
#include "effects/effect_operations.h"
#include "effects/transition.h"

namespace showsaver::transitions {
namespace {

constexpr std::int32_t kTileFramePeriod = 40;
constexpr std::int32_t kGridSize = 5;
constexpr std::int32_t kTileFrames = kGridSize * kGridSize;
constexpr std::int32_t kBlindsFramePeriod = 40;
constexpr std::int32_t kBlindBands = 5;

// 16-bit booleans, -1 for a tile already copied; indexed [column][row].
using RevealedTiles = std::array<std::array<std::int16_t, kGridSize>, kGridSize>;

// The grid a fifth plus one pixel per tile, so that it covers the whole
// picture; the last column and row reach past the edges and are clipped.
class TileGrid {
 public:
  explicit TileGrid(Transition& transition)
      : transition_(transition),
        tile_width_(round_half_even(transition.W() / 5.0 + 1.0)),
        tile_height_(round_half_even(transition.H() / 5.0 + 1.0)) {}

  bool revealed(std::int32_t column, std::int32_t row) const {
    return revealed_.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row)) != 0;
  }

  // Marks the tile and copies it from the incoming picture.
  void reveal(std::int32_t column, std::int32_t row) {
    revealed_.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row)) = -1;
    const std::int32_t x = checked_mul(column, tile_width_);
    const std::int32_t y = checked_mul(row, tile_height_);
    transition_.copy(transition_.incoming(), x, y, tile_width_, tile_height_, x, y);
  }

 private:
  Transition& transition_;
  std::int32_t tile_width_;
  std::int32_t tile_height_;
  RevealedTiles revealed_{};
};

// A grid index from a value in [0, 1): here the conversion floors.
std::int32_t random_index(EffectRandom& random) {
  return static_cast<std::int32_t>(std::floor(static_cast<double>(random.next()) * kGridSize));
}

enum class Direction { kRight, kDown, kLeft, kUp };

// The spiral walk: keeps its direction until the edge or a revealed tile is
// ahead, then turns clockwise.
class SpiralWalk {
 public:
  explicit SpiralWalk(const TileGrid& grid) : grid_(grid) {}

  void step() {
    // Four turns bring the walk back to where it started; one of them always
    // finds a free tile while the grid has one.
    for (int turn = 0; turn < 4; ++turn) {
      if (try_current_direction()) return;
      direction_ = static_cast<Direction>((static_cast<int>(direction_) + 1) % 4);
    }
  }

  std::int32_t column() const { return column_; }
  std::int32_t row() const { return row_; }

 private:
  bool try_current_direction() {
    constexpr std::int32_t kLast = kGridSize - 1;
    switch (direction_) {
      case Direction::kRight:
        return try_move(column_ != kLast, column_ + 1, row_);
      case Direction::kDown:
        return try_move(row_ != kLast, column_, row_ + 1);
      case Direction::kLeft:
        return try_move(column_ != 0, column_ - 1, row_);
      case Direction::kUp:
        return try_move(row_ != 0, column_, row_ - 1);
    }
    return false;
  }

  bool try_move(bool inside, std::int32_t column, std::int32_t row) {
    if (!inside || grid_.revealed(column, row)) return false;
    column_ = column;
    row_ = row;
    return true;
  }

  const TileGrid& grid_;
  std::int32_t column_ = -1;
  std::int32_t row_ = 0;
  Direction direction_ = Direction::kRight;
};

}  // namespace

void RandomTiles(Transition& transition) {
  TileGrid grid(transition);
  transition.counted_loop(kTileFramePeriod, kTileFrames, [&](std::int32_t) {
    // Ends: each frame reveals one tile and there are as many frames as tiles.
    for (;;) {
      const std::int32_t column = random_index(transition.random());
      const std::int32_t row = random_index(transition.random());
      if (!grid.revealed(column, row)) {
        grid.reveal(column, row);
        return;
      }
    }
  });
}

void SpiralTiles(Transition& transition) {
  TileGrid grid(transition);
  SpiralWalk walk(grid);
  transition.counted_loop(kTileFramePeriod, kTileFrames, [&](std::int32_t) {
    walk.step();
    grid.reveal(walk.column(), walk.row());
  });
}

void BlindsDown(Transition& transition) {
  const std::int32_t band_height = round_half_even(transition.H() / 5.0);
  // One less than the unrounded strip height, so consecutive strips touch.
  const FloatingLoop loop = loop_bounds(band_height, band_height / 20.0 - 1.0);
  const std::int32_t strip_height = round_half_even(band_height / 20.0);
  const std::int32_t width = transition.whole_width();
  transition.floating_loop(kBlindsFramePeriod, loop, [&](double i) {
    for (std::int32_t band = 0; band < kBlindBands; ++band) {
      const std::int32_t y = round_half_even(i + checked_mul(band, band_height));
      transition.copy(transition.incoming(), 0, y, width, strip_height, 0, y);
    }
  });
}

}  // namespace showsaver::transitions
