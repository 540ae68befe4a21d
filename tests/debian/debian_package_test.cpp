// The Debian package as a user gets it: made by CPack from this build,
// installed with dpkg into a scratch root, used from there (showpack builds a
// show, the player plays it on a private X server, the shell completes
// showpack's commands, showpack opens the studio, the show goes into
// xscreensaver's list and out), and removed without a trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/x_session.h"
#include "support/bitmap_files.h"
#include "support/temp_dir.h"

namespace showsaver::test {
namespace {

namespace fs = std::filesystem;

struct Ran {
  std::optional<int> status;
  std::string out;
  std::string err;
};

// Runs `command` to its end, its output kept in `logs`.
Ran run(const TempDir& logs, const std::vector<std::string>& command,
        const std::vector<std::string>& environment = {}) {
  static int count = 0;
  Child child(command, environment, logs.file("command-" + std::to_string(++count)));
  const auto status = child.wait_exit(120s);
  return {status, child.out(), child.err()};
}

std::string described(const Ran& ran) {
  return "stdout:\n" + ran.out + "\nstderr:\n" + ran.err;
}

// Every path under `root` but dpkg's own database and log.
std::set<std::string> paths_in(const std::string& root) {
  std::set<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string path = entry.path().string().substr(root.size());
    if (!path.starts_with("var/lib/dpkg/") && path != "dpkg.log") paths.insert(path);
  }
  return paths;
}

// The Windows players of the build trees this build knows, by the name the
// package gives each: the trees are named after their architecture.
std::map<std::string, std::string> built_windows_players() {
  std::map<std::string, std::string> players;
  std::stringstream dirs(SHOWSAVER_WINDOWS_BUILD_DIRS);
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string player = dir + "/showsaver.scr";
    if (!fs::exists(player)) continue;
    const std::string architecture = dir.substr(dir.rfind('-') + 1);
    players["usr/share/showsaver/players/showsaver-" + architecture + ".scr"] = player;
  }
  return players;
}

// dpkg on the scratch root: its own database there, no root needed where the
// test does not run as root, and the dependencies taken as met, since the
// root holds nothing but this package (they are checked against the system).
std::vector<std::string> dpkg(const std::string& root, std::vector<std::string> arguments) {
  std::vector<std::string> command{"dpkg", "--root=" + root, "--log=" + root + "dpkg.log",
                                   "--force-depends"};
  if (::geteuid() != 0) command.push_back("--force-not-root");
  command.insert(command.end(), arguments.begin(), arguments.end());
  return command;
}

// `text` as UTF-16LE, as a Windows version resource stores its strings.
std::string utf16_text(const std::string& text) {
  std::string wide;
  for (const char c : text) wide += std::string{c, '\0'};
  return wide;
}

// The installed `showpack studio` opens the installed studio with xdg-open:
// a stand-in first on PATH records the file it was given and ends with the
// status it is told; its failure, and its absence, are said, the file named
// either way.
void check_studio_command(const TempDir& work, const TempDir& logs, const std::string& root) {
  const std::string studio = root + "usr/share/showsaver/studio/showsaver-studio.html";
  fs::create_directories(work.file("bin"));
  const std::string stand_in = work.file("bin/xdg-open");
  write_text_file(stand_in, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.given\"\nexit $OPEN_STATUS\n");
  fs::permissions(stand_in, fs::perms::owner_all);
  struct Case {
    std::string path;
    const char* status;
    std::optional<int> expected;
    const char* said;
  };
  for (const Case& c : {Case{work.file("bin") + ":/usr/bin:/bin", "0", 0, ""},
                        Case{work.file("bin") + ":/usr/bin:/bin", "4", 1,
                             "could not open it in a browser (xdg-open ended with status 4)"},
                        Case{work.file("empty"), "0", 1,
                             "could not open it in a browser (xdg-open was not found)"}}) {
    fs::remove(stand_in + ".given");
    const Ran opened = run(logs, {root + "usr/bin/showpack", "studio"},
                           {"PATH=" + c.path, std::string("OPEN_STATUS=") + c.status});
    EXPECT_EQ(opened.status, c.expected) << c.path << '\n' << described(opened);
    EXPECT_EQ(opened.out, "The studio: " + studio + "\n") << described(opened);
    EXPECT_NE(opened.err.find(c.said), std::string::npos) << described(opened);
    if (c.path != work.file("empty")) {
      EXPECT_EQ(read_text_file(stand_in + ".given"), studio);
    }
  }
}

std::string make_package(const TempDir& work, const TempDir& logs) {
  const Ran cpack = run(logs, {CPACK_COMMAND, "--config", CPACK_CONFIG, "-B", work.file("deb")});
  EXPECT_EQ(cpack.status, 0) << described(cpack);
  for (const auto& entry : fs::directory_iterator(work.file("deb"))) {
    if (entry.path().extension() == ".deb") return entry.path().string();
  }
  return "";
}

TEST(DebianPackage, InstallsPlaysAndGoesWithoutATrace) {
  TempDir work;
  TempDir logs;
  const std::string deb = make_package(work, logs);
  ASSERT_FALSE(deb.empty());

  // Every library the programs link is a package this system has installed.
  const Ran depends = run(logs, {"dpkg-deb", "--field", deb, "Depends"});
  ASSERT_EQ(depends.status, 0) << described(depends);
  EXPECT_NE(depends.out.find("libsdl2-2.0-0"), std::string::npos) << depends.out;
  std::stringstream names(depends.out);
  for (std::string dependency; std::getline(names, dependency, ',');) {
    std::stringstream words(dependency);
    std::string name;
    words >> name;
    // One line per architecture where several are installed.
    const Ran query = run(logs, {"dpkg-query", "--show", "--showformat=${Status}\\n", name});
    EXPECT_NE(query.out.find("install ok installed\n"), std::string::npos) << name;
  }

  const std::string root = work.file("root/");
  for (const char* folder : {"var/lib/dpkg/info", "var/lib/dpkg/updates"}) {
    fs::create_directories(root + folder);
  }
  write_text_file(root + "var/lib/dpkg/status", "");
  const std::set<std::string> before = paths_in(root);
  const Ran install = run(logs, dpkg(root, {"--install", deb}));
  ASSERT_EQ(install.status, 0) << described(install);

  const std::set<std::string> installed = paths_in(root);
  for (const char* path :
       {"usr/bin/showsaver", "usr/bin/showpack", "usr/share/man/man1/showpack.1.gz",
        "usr/share/man/man6/showsaver.6.gz", "usr/share/bash-completion/completions/showpack",
        "usr/share/xscreensaver/config/showsaver.xml", "usr/share/doc/showsaver/README.md",
        "usr/share/doc/showsaver/copyright", "usr/share/doc/showsaver/changelog.gz",
        "usr/share/applications/org.example.showsaver.desktop",
        "usr/share/metainfo/org.example.showsaver.metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/showsaver.svg",
        "usr/share/icons/hicolor/16x16/apps/showsaver.png",
        "usr/share/icons/hicolor/256x256/apps/showsaver.png"}) {
    EXPECT_TRUE(installed.contains(path)) << path;
  }

  // Debian's policy, the menu entry and the description for software centres
  // hold: not a warning among them.
  const Ran lintian = run(logs, {"lintian", "--allow-root", "--fail-on", "error,warning", deb});
  EXPECT_EQ(lintian.status, 0) << described(lintian);
  const Ran entry = run(logs, {"desktop-file-validate",
                               root + "usr/share/applications/org.example.showsaver.desktop"});
  EXPECT_EQ(entry.status, 0) << described(entry);
  EXPECT_EQ(entry.out + entry.err, "");
  const Ran metainfo = run(logs, {"appstreamcli", "validate", "--no-net", "--pedantic",
                                  root + "usr/share/metainfo/org.example.showsaver.metainfo.xml"});
  EXPECT_EQ(metainfo.status, 0) << described(metainfo);

  // One version: the package's, the programs', the Windows players' resource
  // and the description's latest release.
  const Ran version = run(logs, {"dpkg-deb", "--field", deb, "Version"});
  EXPECT_EQ(version.out, SHOWSAVER_VERSION "\n");
  EXPECT_EQ(run(logs, {root + "usr/bin/showpack", "--version"}).out,
            "showpack " SHOWSAVER_VERSION "\n");
  EXPECT_EQ(run(logs, {root + "usr/bin/showsaver", "--version"}).out,
            "showsaver " SHOWSAVER_VERSION "\n");
  EXPECT_NE(read_text_file(root + "usr/share/metainfo/org.example.showsaver.metainfo.xml")
                .find("<release version=\"" SHOWSAVER_VERSION "\""),
            std::string::npos);
  for (const auto& [path, built] : built_windows_players()) {
    EXPECT_NE(read_text_file(built).find(utf16_text("ProductVersion") + std::string(2, '\0') +
                                         utf16_text(SHOWSAVER_VERSION)),
              std::string::npos)
        << built;
  }
  for (const auto& [path, built] : built_windows_players()) {
    ASSERT_TRUE(installed.contains(path)) << path;
    EXPECT_EQ(read_text_file(root + path), read_text_file(built)) << path;
  }

  // The installed showpack builds a show on the installed player.
  const std::string showpack = root + "usr/bin/showpack";
  write_file(work.file("red.bmp"), make_bmp_24(make_solid_picture(160, 120, 0xFF0000)));
  write_text_file(work.file("show.toml"),
                  "[show]\nwidth = 160\nheight = 120\n\n"
                  "[[scene]]\npicture = \"red.bmp\"\ndisplay_time = \"60s\"\neffect = \"cut\"\n");
  const std::string show = work.file("red show.scr");
  const Ran build = run(logs, {showpack, "build", work.file("show.toml"), "-o", show, "--player",
                               root + "usr/bin/showsaver"});
  ASSERT_EQ(build.status, 0) << described(build);

  // The installed player plays it: the picture shows in the middle of the screen.
  {
    XServer x(640, 480);
    ASSERT_TRUE(x.ok());
    Child player({show, "/s"}, session_environment(x, work), logs.file("player"));
    ASSERT_NE(x.wait_for_window("showsaver"), 0u) << player.err();
    EXPECT_TRUE(wait_until([&] {
      return x.screenshot(310, 230, 20, 20).pixels.front() == 0xFF0000;
    })) << player.err();
    player.signal(SIGTERM);
    EXPECT_EQ(player.wait_exit(), 0) << player.err();
  }

  // The shell completes showpack's commands from the installed program.
  const Ran completion = run(logs, {"bash", "-c",
                                    "source " + root +
                                        "usr/share/bash-completion/completions/showpack; "
                                        "COMP_WORDS=(" +
                                        showpack +
                                        " install-x); COMP_CWORD=1; _showpack; "
                                        "echo \"${COMPREPLY[*]}\""});
  EXPECT_EQ(completion.out, "install-xscreensaver\n") << described(completion);

  // The studio as `make studio` built it, and the installed showpack opening it.
  const std::string built_studio = SHOWSAVER_BINARY_DIR "studio/showsaver-studio.html";
  if (fs::exists(built_studio)) {
    ASSERT_TRUE(installed.contains("usr/share/showsaver/studio/showsaver-studio.html"));
    EXPECT_EQ(read_text_file(root + "usr/share/showsaver/studio/showsaver-studio.html"),
              read_text_file(built_studio));
    check_studio_command(work, logs, root);
  } else {
    std::cout << "The studio is not built (make studio): the package was made without it\n";
  }

  // The show goes into xscreensaver's list and out again, leaving the file as it was.
  const std::string home = work.file("home/");
  const std::string settings = "lock:\tFalse\nprograms:\t\t\\\n\t\tmaze --root\t\\n\n";
  write_text_file(home + ".xscreensaver", settings);
  const std::vector<std::string> environment{"HOME=" + home};
  const Ran listed = run(logs, {showpack, "install-xscreensaver", show}, environment);
  ASSERT_EQ(listed.status, 0) << described(listed);
  EXPECT_NE(read_text_file(home + ".xscreensaver").find("'" + show + "' --root"),
            std::string::npos);
  const Ran unlisted = run(logs, {showpack, "uninstall-xscreensaver", show}, environment);
  ASSERT_EQ(unlisted.status, 0) << described(unlisted);
  EXPECT_EQ(read_text_file(home + ".xscreensaver"), settings);

  const Ran remove = run(logs, dpkg(root, {"--remove", "showsaver"}));
  ASSERT_EQ(remove.status, 0) << described(remove);
  EXPECT_EQ(paths_in(root), before);
  const Ran status = run(logs, {"dpkg-query", "--root=" + root, "--show", "showsaver"});
  EXPECT_NE(status.status, 0) << described(status);
}

}  // namespace
}  // namespace showsaver::test
