// Loading a picture file into a picture surface: through the file-system
// seam, decoded in the core, drawn by the GDI.
#include "player/picture_surface.h"

#include <gtest/gtest.h>

#include "common/runtime_failure.h"
#include "platform/soft/soft_gdi.h"
#include "support/bitmap_files.h"
#include "support/counting_file_system.h"
#include "support/temp_dir.h"

namespace showsaver {
namespace {

std::string load_failure(PictureSurface& surface, const std::string& path) {
  try {
    surface.load_picture(path);
  } catch (const RuntimeFailure& failure) {
    return failure.description();
  }
  return "loaded";
}

TEST(PictureSurfaceTest, LoadPictureGivesThePictureOrTheRuntimesDescription) {
  const test::TempDir temp;
  const PixelImage picture = test::make_test_picture(5, 3);
  test::write_file(temp.file("good.bmp"), test::make_bmp_24(picture));
  test::write_file(temp.file("bad.bmp"), {'B', 'M', 0, 0});

  SoftGdi gdi;
  test::CountingFileSystem files;
  PictureSurface surface(gdi, files);
  surface.load_picture(temp.file("good.bmp"));
  EXPECT_EQ(files.reads, std::vector<std::string>{temp.file("good.bmp")});
  EXPECT_EQ(surface.width(), 5);
  EXPECT_EQ(surface.height(), 3);
  EXPECT_EQ(*gdi.ReadImage(surface.dc()), picture);

  EXPECT_EQ(load_failure(surface, temp.file("bad.bmp")), "ピクチャが無効です。");
  EXPECT_EQ(load_failure(surface, temp.file("missing.bmp")), "ファイルが見つかりません。");
  // A failed load keeps the picture that was there.
  EXPECT_EQ(*gdi.ReadImage(surface.dc()), picture);
}

}  // namespace
}  // namespace showsaver
