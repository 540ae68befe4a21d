// The show window's set-up, its error handler and its teardown.
#include <new>

#include "common/runtime_failure.h"
#include "player/form1.h"
#include "startup/extraction.h"

namespace showsaver {

inline constexpr const char* kUnknownError = "不明のエラーが発生しました。";
inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kOutOfMemoryDescription = "メモリが不足しています。";
inline constexpr const char* kInvalidPropertyValue = "プロパティの値が不正です。";

Form1::Form1(Platform& platform, const RunState& state, ShowObserver* observer)
    : platform_(platform),
      state_(state),
      observer_(observer),
      Picture1(platform.gdi, platform.files, &platform.desktop),
      NowPicture(platform.gdi, platform.files),
      NextPicture(platform.gdi, platform.files),
      MemPicture(platform.gdi, platform.files),
      music_(platform.media, state) {}

void Form1::Form_Load() {
  try {
    set_up();
    play();
  } catch (const RuntimeFailure& failure) {
    report_failure(failure.description(), failure.source());
  } catch (const std::bad_alloc&) {
    report_failure(kOutOfMemoryDescription, kProjectSource);
  }
}

void Form1::set_up() {
  platform_.desktop.set_screen_saver_running(true);
  const ScreenSize screen = platform_.desktop.screen_size();
  const std::int32_t width = state_.package.PictureWidth;
  const std::int32_t height = state_.package.PictureHeight;
  if (width < 0 || height < 0) {
    throw RuntimeFailure(std::string(kInvalidPropertyValue) + " (picture area " +
                         std::to_string(width) + " x " + std::to_string(height) + ")");
  }
  // The two halves are truncated separately.
  const Rect area{screen.width / 2 - width / 2, screen.height / 2 - height / 2, width, height};
  platform_.desktop.create_show_window(area, *this);
  Picture1.set_background(state_.package.BackColor);
  Picture1.resize(width, height);
  for (PictureSurface* hidden : {&NowPicture, &NextPicture}) {
    hidden->set_background(Picture1.background());
    hidden->resize(Picture1.width(), Picture1.height());
  }
  MemPicture.set_background(Picture1.background());
  load_scene_picture(0);
  platform_.desktop.show_window();
  platform_.desktop.process_messages();
  platform_.desktop.make_topmost();
  music_.start();
}

void Form1::report_failure(const std::string& description, const std::string& source) {
  const std::string text = std::string(kUnknownError) + "\r\n" + description + "\r\n" + source;
  platform_.desktop.MessageBox(text, kErrorTitle, mb::OK_EXCLAMATION);
}

void Form1::Form_Unload() {
  FileSystem& files = platform_.files;
  const std::string& folder = state_.TempFolder;
  // Names that were refused at extraction never reached the disk and must
  // not lead a deletion outside the folder either.
  const auto delete_if_plain = [&](const std::string& name) {
    if (name.empty() || unsafe_name_reason(name)) return;
    if (files.is_plain_file(folder + name)) files.delete_file(folder + name);
  };
  const std::int32_t scene_count = state_.package.SceneCount;
  const std::size_t stored = state_.package.stored_scene_count();
  for (std::int32_t i = 0; i < scene_count && static_cast<std::size_t>(i) < stored; ++i) {
    delete_if_plain((*state_.package.Scenes)[static_cast<std::size_t>(i)].PictureFileName);
    delete_if_plain((*state_.package.Scenes)[static_cast<std::size_t>(i)].SoundFileName);
  }
  delete_if_plain(state_.package.BgmFileName);
  files.remove_folder(folder);
  platform_.desktop.destroy_show_window();
}

}  // namespace showsaver
