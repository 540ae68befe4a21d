// A show laid out for `showpack extract` and the studio's Open: each kind of
// file in its folder, and nothing planned at all when one stored name could
// leave the folder.
#include "showpack/extracted_show.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace showsaver::showpack {
namespace {

PackageBytes bytes_of(std::string text) {
  return PackageBytes{std::vector<std::uint8_t>(text.begin(), text.end())};
}

ShowPackage show_with(const std::string& picture, const std::string& sound,
                      const std::string& music) {
  ShowPackage package;
  package.SceneCount = 1;
  package.BgmFileName = music;
  package.BgmData = bytes_of("music");
  SceneRecord& scene = package.Scenes.emplace().emplace_back();
  scene.PictureFileName = picture;
  scene.PictureData = bytes_of("picture");
  scene.SoundFileName = sound;
  scene.SoundData = bytes_of("sound");
  return package;
}

TEST(ExtractedShowTest, EachKindInItsFolderAndTheManifestNamesThem) {
  const ShowPackage package = show_with("夏.bmp", "chime.wav", "tune.mid");
  const ExtractedShow show = extracted_show(package, "/out", std::string("Title"));
  ASSERT_FALSE(show.error) << *show.error;
  std::vector<std::string> files;
  for (const ExtractedShowFile& file : show.files) {
    files.push_back(file.path.string() + "=" + std::string(file.bytes.begin(), file.bytes.end()));
  }
  EXPECT_EQ(files,
            (std::vector<std::string>{"/out/music/tune.mid=music", "/out/pictures/夏.bmp=picture",
                                      "/out/sounds/chime.wav=sound"}));
  EXPECT_EQ(show.manifest.file, "/out/show.toml");
  EXPECT_EQ(show.manifest.music->path, "/out/music/tune.mid");
  EXPECT_EQ(show.manifest.scenes.at(0).picture.path, "/out/pictures/夏.bmp");
  EXPECT_EQ(show.manifest.scenes.at(0).sound->path, "/out/sounds/chime.wav");
  EXPECT_EQ(show.manifest.title, "Title");
}

TEST(ExtractedShowTest, ANameThatCouldLeaveTheFolderPlansNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {"../up.bmp", "chime.wav", "tune.mid"},
      {"a.bmp", "sub/chime.wav", "tune.mid"},
      {"a.bmp", "chime.wav", ".."},
      {"a.bmp", "chime.wav", "C:tune.mid"},
  };
  for (const std::vector<std::string>& names : cases) {
    SCOPED_TRACE(names[0] + " " + names[1] + " " + names[2]);
    const ExtractedShow show = extracted_show(show_with(names[0], names[1], names[2]), "/out", {});
    ASSERT_TRUE(show.error);
    EXPECT_NE(show.error->find("the show holds a file named"), std::string::npos) << *show.error;
    EXPECT_TRUE(show.files.empty());
  }
}

}  // namespace
}  // namespace showsaver::showpack
