#include "platform/soft/stretch_blt.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/soft/blit_axis.h"
#include "platform/soft/stretch_columns.h"
#include "platform/soft/stretch_halving.h"

namespace showsaver::soft {
namespace {

AxisRequest horizontal(const BlitRequest& request) {
  const BlitGeometry& g = request.geometry;
  return {g.destination.left,
          g.destination.width,
          g.source.left,
          g.source.width,
          request.destination->width,
          request.source != nullptr ? request.source->width : 0};
}

AxisRequest vertical(const BlitRequest& request) {
  const BlitGeometry& g = request.geometry;
  return {g.destination.top,
          g.destination.height,
          g.source.top,
          g.source.height,
          request.destination->height,
          request.source != nullptr ? request.source->height : 0};
}

// Builds the scaled rows one destination row at a time.
class RowScaler {
 public:
  RowScaler(const PixelBitmap& source, const PixelConversion& convert, const AxisMap& columns)
      : source_(source), convert_(convert), columns_(columns) {
    span_first_ = *std::min_element(columns.source_first.begin(), columns.source_first.end());
    int span_last = 0;
    for (int i = 0; i < columns.size(); ++i) {
      span_last = std::max(span_last, columns.source_first[i] + columns.source_count[i]);
    }
    combined_.resize(static_cast<std::size_t>(span_last - span_first_));
    at_most_two_columns_ = true;
    last_.resize(columns.source_first.size());
    for (int i = 0; i < columns.size(); ++i) {
      last_[i] = columns.source_first[i] + columns.source_count[i] - 1;
      at_most_two_columns_ = at_most_two_columns_ && columns.source_count[i] <= 2;
      min_count_ = std::min(min_count_, columns.source_count[i]);
      max_count_ = std::max(max_count_, columns.source_count[i]);
      halving_ = halving_ && columns.source_count[i] == 2 &&
                 columns.source_first[i] == columns.source_first[0] + 2 * i;
      same_columns_ = same_columns_ && columns.source_count[i] == 1 &&
                      columns.source_first[i] == columns.source_first[0] + i;
    }
    halving_path_ = &halving_path_for(columns.size());
    if (at_most_two_columns_ && !same_columns_ && !columns.one_to_one && !halving_) {
      pairs_.emplace(columns.source_first.data(), last_.data(), columns.size(), span_first_,
                     span_last);
    }
    if (min_count_ >= 2 && max_count_ - min_count_ <= 1) {
      windows_.resize(combined_.size());
      // The second window of each pixel ends at its last column.
      int h = 2;
      while (2 * h <= min_count_) h *= 2;
      window_last_.resize(last_.size());
      for (std::size_t i = 0; i < last_.size(); ++i) window_last_[i] = last_[i] - (h - 1);
      // Pieces of the line, in the order its columns come.
      const int n = columns.size();
      const bool backwards = n > 1 && columns.source_first[0] > columns.source_first[n - 1];
      for (int begin = 0; begin < n; begin += kWindowPiece) {
        const int end = std::min(n, begin + kWindowPiece);
        const int low = std::min(columns.source_first[begin], columns.source_first[end - 1]);
        const int high = std::max(last_[begin], last_[end - 1]);
        pieces_.push_back({begin, end, low, high + 1});
      }
      if (backwards) std::reverse(pieces_.begin(), pieces_.end());
    }
  }

  // Lets the rows that scale() writes go past the cache where it can;
  // finish_streaming() must follow.
  void set_streaming(bool stream) { stream_ = stream; }

  // True when scale_two serves rows of up to two source rows each.
  bool halves_columns() const {
    return halving_ && convert_.kind() == PixelConversion::Kind::kNone;
  }

  // Two destination rows of a halving, from source rows [row[r], row[r] +
  // count[r]) with count[r] of 1 or 2: the same pixels as scale() gives.
  void scale_two(const int (&row)[2], const int (&count)[2], std::uint32_t* const (&out)[2],
                 bool stream) const {
    const int offset = columns_.source_first[0];
    HalvingRows rows{};
    for (int r = 0; r < 2; ++r) {
      rows.top[r] = source_.row(row[r]) + offset;
      rows.bottom[r] = source_.row(row[r] + count[r] - 1) + offset;
      rows.out[r] = out[r];
    }
    halving_path_->halve(rows, columns_.size(), stream);
  }

  // out[i] = AND of the converted source pixels of rows [row, row + count)
  // that feed destination column i.
  void scale(int row, int count, std::uint32_t* out) {
    if (count <= 2 && at_most_two_columns_ && convert_.kind() == PixelConversion::Kind::kNone) {
      return scale_pairs(source_.row(row), source_.row(row + count - 1), out);
    }
    int base = 0;
    const std::uint32_t* line = combine_rows(row, count, base);
    const int n = columns_.size();
    const int* first = columns_.source_first.data();
    if (same_columns_) {
      std::memcpy(out, line + (first[0] - base), static_cast<std::size_t>(n) * sizeof(*out));
      return;
    }
    if (columns_.one_to_one) {
      for (int i = 0; i < n; ++i) out[i] = line[first[i] - base];
      return;
    }
    const int* counts = columns_.source_count.data();
    if (max_count_ - min_count_ <= 1) {
      return min_count_ >= 2 ? combine_windows(line, base, out)
                             : combine_one_or_two(line, base, out);
    }
    for (int i = 0; i < n; ++i) {
      std::uint32_t value = 0xFFFFFFFFu;
      const std::uint32_t* pixels = line + (first[i] - base);
      for (int c = 0; c < counts[i]; ++c) value &= pixels[c];
      out[i] = value;
    }
  }

 private:
  // The common cases, up to 2 x 2 source pixels per destination pixel, read
  // the source rows directly: ANDing a pixel with itself changes nothing, so
  // one expression serves one and two pixels alike.
  void scale_pairs(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t* out) {
    const int n = columns_.size();
    const int* first = columns_.source_first.data();
    if (same_columns_) {
      // Column i is source column first + i: whole rows, which vectorise.
      const std::uint32_t* t = top + first[0];
      const std::uint32_t* u = bottom + first[0];
      if (top == bottom) {
        std::memcpy(out, t, static_cast<std::size_t>(n) * sizeof(*out));
      } else {
        for (int i = 0; i < n; ++i) out[i] = t[i] & u[i];
      }
      return;
    }
    if (columns_.one_to_one) {
      if (top == bottom) {
        for (int i = 0; i < n; ++i) out[i] = top[first[i]];
      } else {
        for (int i = 0; i < n; ++i) out[i] = top[first[i]] & bottom[first[i]];
      }
      return;
    }
    if (halving_) {
      // Exactly two columns per pixel, side by side: contiguous loads.
      const std::uint32_t* t = top + first[0];
      const std::uint32_t* u = bottom + first[0];
      for (int i = 0; i < n; ++i) out[i] = t[2 * i] & t[2 * i + 1] & u[2 * i] & u[2 * i + 1];
      return;
    }
    if (top == bottom) return and_pairs(top, 0, out);
    // Two rows: AND them along the line first (it vectorises), then the columns.
    std::uint32_t* combined = combined_.data();
    const std::size_t width = combined_.size();
    const std::uint32_t* t = top + span_first_;
    const std::uint32_t* u = bottom + span_first_;
    for (std::size_t i = 0; i < width; ++i) combined[i] = t[i] & u[i];
    and_pairs(combined, span_first_, out);
  }

  // out[i] = line[first[i] - base] & line[last[i] - base].
  void and_pairs(const std::uint32_t* line, int base, std::uint32_t* out) const {
    if (pairs_) return pairs_->apply(line, base, out, stream_);
    and_column_pairs(line, base, columns_.source_first.data(), last_.data(), columns_.size(), out);
  }

  // A shrink of k or k + 1 columns a pixel, k >= 2.  From eight columns on,
  // with AVX2, each pixel's columns are ANDed straight from the line.  Else
  // the line's windows of h columns, h the largest power of two up to k, are
  // ANDed in log2(h) whole-line passes that vectorise; then two overlapping
  // windows, the one starting at the pixel's first column and the one ending
  // at its last, cover its columns exactly (k + 1 <= 2h), so each pixel takes
  // two loads.
  void combine_windows(const std::uint32_t* line, int base, std::uint32_t* out) {
    const int* first = columns_.source_first.data();
    if (and_column_runs(line, base, first, last_.data(), columns_.size(), min_count_, out)) return;
    // A piece of the line at a time, so that the gathers of one piece
    // overlap the reads of the next.
    for (const Piece& piece : pieces_) {
      and_windows(line + (piece.low - base), piece.high - piece.low, min_count_, windows_.data());
      and_column_pairs(windows_.data(), piece.low, first + piece.begin,
                       window_last_.data() + piece.begin, piece.end - piece.begin,
                       out + piece.begin);
    }
  }

  // A shrink of one or two columns a pixel: the first and the last, the
  // same pixel twice where there is one (ANDing it with itself changes
  // nothing), so the loop has no branch on the count.
  void combine_one_or_two(const std::uint32_t* line, int base, std::uint32_t* out) const {
    and_pairs(line, base, out);
  }

  // The combined pixels of source columns [base, ...).
  const std::uint32_t* combine_rows(int row, int count, int& base) {
    const auto width = combined_.size();
    if (count == 1 && convert_.kind() == PixelConversion::Kind::kNone) {
      base = 0;
      return source_.row(row);
    }
    base = span_first_;
    std::uint32_t* combined = combined_.data();
    convert_.convert_row(source_.row(row) + span_first_, combined, width);
    for (int r = row + 1; r < row + count; ++r) {
      const std::uint32_t* next = source_.row(r) + span_first_;
      if (convert_.kind() == PixelConversion::Kind::kNone) {
        for (std::size_t i = 0; i < width; ++i) combined[i] &= next[i];
      } else {
        for (std::size_t i = 0; i < width; ++i) combined[i] &= convert_(next[i]);
      }
    }
    return combined;
  }

  const PixelBitmap& source_;
  const PixelConversion& convert_;
  const AxisMap& columns_;
  int span_first_ = 0;
  std::vector<std::uint32_t> combined_;
  std::vector<int> last_;  // last source column of each destination column
  bool at_most_two_columns_ = false;
  std::vector<std::uint32_t> windows_;  // combine_windows' line of window ANDs
  std::vector<int> window_last_;  // where the window ending at each pixel's last column starts
  // Destination pixels [begin, end) take source columns [low, high).
  struct Piece {
    int begin;
    int end;
    int low;
    int high;
  };
  static constexpr int kWindowPiece = 128;
  std::vector<Piece> pieces_;
  std::optional<PairColumns> pairs_;  // the prepared step of a one- or two-column shrink
  int min_count_ = 1 << 30;  // the fewest and most source columns of one destination column
  int max_count_ = 0;
  bool halving_ = true;       // column i takes source columns first + 2i and first + 2i + 1
  bool same_columns_ = true;  // column i takes source column first + i alone
  const HalvingPath* halving_path_ = nullptr;
  bool stream_ = false;
};

bool same_source_rows(const AxisMap& rows, int i) {
  return i > 0 && rows.source_first[i] == rows.source_first[i - 1] &&
         rows.source_count[i] == rows.source_count[i - 1];
}

// SRCCOPY scales straight into the destination and repeats a finished row
// where the next one comes from the same source rows; a halving takes two
// destination rows a pass.
void scale_into(RowScaler& scaler, const AxisMap& rows, PixelBitmap& destination, int column,
                std::size_t n, std::size_t streaming_bytes) {
  const bool stream = n * static_cast<std::size_t>(rows.size()) * 4 >= streaming_bytes;
  const bool pairs = scaler.halves_columns();
  const auto pairable = [&](int i) {
    return i < rows.size() && !same_source_rows(rows, i) && rows.source_count[i] <= 2;
  };
  std::uint32_t* previous = nullptr;
  scaler.set_streaming(stream);
  for (int i = 0; i < rows.size(); ++i) {
    std::uint32_t* target = destination.row(rows.first + i) + column;
    if (same_source_rows(rows, i)) {
      if (stream) finish_streaming();
      std::memcpy(target, previous, n * sizeof(std::uint32_t));
    } else if (pairs && pairable(i) && pairable(i + 1)) {
      std::uint32_t* next = destination.row(rows.first + i + 1) + column;
      scaler.scale_two({rows.source_first[i], rows.source_first[i + 1]},
                       {rows.source_count[i], rows.source_count[i + 1]}, {target, next}, stream);
      target = next;
      ++i;
    } else {
      scaler.scale(rows.source_first[i], rows.source_count[i], target);
    }
    previous = target;
  }
  if (stream) finish_streaming();
}

}  // namespace

void stretch_blt(const BlitRequest& request) {
  stretch_blt_streaming_from(request, kStreamingBytes);
}

void stretch_blt_streaming_from(const BlitRequest& request, std::size_t streaming_bytes) {
  const BlitGeometry& g = request.geometry;
  if (g.destination.width == 0 || g.destination.height == 0) return;
  const bool with_source = request.rop.uses_source;
  if (with_source && (request.source == nullptr || g.source.width == 0 || g.source.height == 0)) {
    return;
  }
  PixelBitmap& destination = *request.destination;
  const AxisMap columns = map_axis(horizontal(request), with_source);
  const AxisMap rows = map_axis(vertical(request), with_source);
  if (columns.empty() || rows.empty()) return;
  const std::uint32_t pattern = default_pattern(destination.format);
  const auto n = static_cast<std::size_t>(columns.size());
  if (!with_source) {
    for (int i = 0; i < rows.size(); ++i) {
      apply_rop_row(request.rop, pattern, nullptr, destination.row(rows.first + i) + columns.first,
                    n);
    }
    return;
  }

  // Reading from the bitmap being drawn reads it as it was before the call.
  std::optional<PixelBitmap> snapshot;
  if (request.source == &destination) snapshot = destination;
  const PixelBitmap& source = snapshot ? *snapshot : *request.source;
  const PixelConversion convert(source.format, destination.format, request.source_colors,
                                request.destination_colors);
  RowScaler scaler(source, convert, columns);

  if (request.rop.kernel == RopKernel::kCopy) {
    scale_into(scaler, rows, destination, columns.first, n, streaming_bytes);
    return;
  }
  // Other operations scale into a line first.
  std::vector<std::uint32_t> line(n);
  for (int i = 0; i < rows.size(); ++i) {
    std::uint32_t* target = destination.row(rows.first + i) + columns.first;
    const bool repeat = same_source_rows(rows, i);
    if (!repeat) scaler.scale(rows.source_first[i], rows.source_count[i], line.data());
    apply_rop_row(request.rop, pattern, line.data(), target, n);
  }
}

}  // namespace showsaver::soft
