// The small rules behind what `new` and the messages tell an author: the
// natural order of file names and the order photos were taken in, the nearest allowed word to a
// misspelt one, a name's stored bytes written out and read back, and the display's size in xrandr's
// report.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "showpack/display_size.h"
#include "showpack/name_bytes.h"
#include "showpack/natural_order.h"
#include "showpack/picture_folder.h"
#include "showpack/spelling_suggestion.h"

namespace showsaver::showpack {
namespace {

TEST(AuthorWords, NamesSortAsPeopleCountAndTheOrderIsTotal) {
  std::vector<std::string> names{
      "IMG_10.jpg", "img_2.jpg", "IMG_2.jpg",  "IMG_02.jpg", "IMG_1.jpg",
      "b.png",      "A.png",     "IMG_9a.jpg", "IMG_9.jpg",  "x99999999999999999999.png",
      "x100.png"};
  std::sort(names.begin(), names.end(), naturally_before);
  const std::vector<std::string> expected{"A.png",
                                          "b.png",
                                          "IMG_1.jpg",
                                          "IMG_02.jpg",
                                          "IMG_2.jpg",
                                          "img_2.jpg",
                                          "IMG_9.jpg",
                                          "IMG_9a.jpg",
                                          "IMG_10.jpg",
                                          "x100.png",
                                          "x99999999999999999999.png"};
  EXPECT_EQ(names, expected);
}

TEST(AuthorWords, PhotosGoInTheOrderTakenAndTheUndatedLast) {
  std::vector<FoundPicture> pictures{
      {"", "IMG_10.jpg", std::nullopt},     {"", "IMG_9.jpg", "2024:07:02 08:00:00"},
      {"", "IMG_2.jpg", std::nullopt},      {"", "b.jpg", "2023:12:31 23:59:59"},
      {"", "a.jpg", "2024:07:02 08:00:00"},
  };
  order_pictures(pictures, PictureOrder::date);
  std::vector<std::string> names;
  for (const FoundPicture& picture : pictures) names.push_back(picture.name);
  // Taken at the same second: natural order between them.
  EXPECT_EQ(names,
            (std::vector<std::string>{"b.jpg", "a.jpg", "IMG_9.jpg", "IMG_2.jpg", "IMG_10.jpg"}));
}

TEST(AuthorWords, MisspellingsFindTheWordMeantAndNothingFarOff) {
  const std::string_view keys[] = {"picture", "picture_name", "sound", "display_time", "effect"};
  const struct {
    const char* typed;
    std::optional<std::string> meant;
  } cases[] = {
      {"pictur", "picture"},             // a letter left out
      {"Picture", "picture"},            // letter case
      {"dispaly_time", "display_time"},  // two letters swapped: one step
      {"picture_nmae", "picture_name"},
      {"efect", "effect"},
      {"sond", "sound"},
      {"colour", std::nullopt},  // nothing near
      {"x", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(closest_spelling(c.typed, keys), c.meant) << c.typed;
  }
  EXPECT_EQ(spelling_distance("wipe_lft", "wipe-left"), 2u);
}

TEST(AuthorWords, StoredBytesAreWrittenInHexAndReadBack) {
  const std::string bytes("\xED\x40\x87\x90\x2E", 5);
  EXPECT_EQ(name_bytes_text(bytes), "ED40 8790 2E");
  EXPECT_EQ(parse_name_bytes("ED40 8790 2E"), bytes);
  EXPECT_EQ(parse_name_bytes("ed4087902e"), bytes);
  for (const char* bad : {"", " ", "E", "ED4", "GG", "ED 4 0"}) {
    EXPECT_EQ(parse_name_bytes(bad), std::nullopt) << bad;
  }
}

TEST(AuthorWords, ThePrimaryDisplaysSizeIsReadFromXrandr) {
  const char* const two_outputs =
      "Screen 0: minimum 8 x 8, current 4480 x 1440, maximum 32767 x 32767\n"
      "HDMI-1 connected 1920x1080+2560+0 (normal left inverted right x axis y axis) 530mm x 300mm\n"
      "   1920x1080     60.00*+\n"
      "DP-1 connected primary 2560x1440+0+0 (normal left inverted right x axis y axis) 600mm x "
      "340mm\n"
      "   2560x1440     59.95*+\n"
      "DP-2 disconnected (normal left inverted right x axis y axis)\n";
  EXPECT_EQ(primary_display_size(two_outputs), (Size{2560, 1440}));
  // Without a primary, the first connected output; none when nothing is on.
  EXPECT_EQ(primary_display_size("VGA-1 disconnected\nLVDS-1 connected 1366x768+0+0 (normal)\n"),
            (Size{1366, 768}));
  EXPECT_EQ(primary_display_size("LVDS-1 connected (normal left)\n"), std::nullopt);
}

}  // namespace
}  // namespace showsaver::showpack
