// Installing: `cmake --install` into a temporary prefix puts the program, its resources, the
// menu entry and the icon in every hicolor size where the install layout says, and the
// installed program runs from the prefix (its resources found where they were put) until
// SIGTERM, then ends with exit code 0. The layouts: the one this build was configured with,
// and the others that tests/game/CMakeLists.txt builds a copy of the program for.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

// Installs the build's own layout, or with a component name that layout only.
int Install(const std::string &prefix, const std::string &output, const std::string &component) {
  pid_t pid = fork();
  if (pid == 0) {
    FILE *out = freopen(output.c_str(), "w", stdout);
    if (!out) _exit(126);
    if (component.empty())
      execl(QW_CMAKE_COMMAND, QW_CMAKE_COMMAND, "--install", qwtest::BinaryDir().c_str(), "--prefix", prefix.c_str(),
            static_cast<char *>(nullptr));
    else
      execl(QW_CMAKE_COMMAND, QW_CMAKE_COMMAND, "--install", qwtest::BinaryDir().c_str(), "--prefix", prefix.c_str(),
            "--component", component.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  int code = qwtest::WaitForExit(pid, 110.0);
  if (code == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  return code;
}

struct Layout {
  const char *name;  // "" for the build's own layout, else its component install-layout-<name>
  const char *bindir, *datadir, *datarootdir;
};

void PrintTo(const Layout &l, std::ostream *os) {
  *os << l.bindir << " " << l.datadir << " " << l.datarootdir;
}

class InstallTest : public ::testing::TestWithParam<Layout> {};

TEST_P(InstallTest, TheInstalledProgramRunsFromItsPrefix) {
  const Layout &l = GetParam();
  const std::string component = *l.name ? std::string("install-layout-") + l.name : "";
  for (const char *dir : {l.bindir, l.datadir, l.datarootdir})
    if (dir[0] == '/') GTEST_SKIP() << "configured with an absolute folder: " << dir;
  qwtest::TempDir prefix, home;
  const std::string root = prefix.File("usr");
  const std::string bin = root + "/" + l.bindir, resources = root + "/" + l.datadir + "/quarrelwick",
                    shared = root + "/" + l.datarootdir;
  ASSERT_EQ(Install(root, prefix.File("install.txt"), component), 0) << qwtest::ReadWholeFile(prefix.File("install.txt"));

  EXPECT_TRUE(fs::is_regular_file(bin + "/quarrelwick"));
  EXPECT_FALSE(fs::exists(bin + "/resources"));
  for (const char *file : {"VeraBd.ttf", "MWinDefaultFont.ttf", "CommonTexts/English.txt", "License.txt",
                           "Resolution.ui", "MenuBg.jpg", "TravCalcs0.dat", "SpriteOutlines.dat"})
    EXPECT_TRUE(fs::is_regular_file(resources + "/" + file)) << file;
  const std::string desktop = qwtest::ReadWholeFile(shared + "/applications/quarrelwick.desktop");
  EXPECT_NE(desktop.find("\nExec=quarrelwick\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("\nIcon=quarrelwick\n"), std::string::npos) << desktop;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string icon = shared + "/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                             "/apps/quarrelwick.png";
    const std::string bytes = qwtest::ReadWholeFile(icon);
    ASSERT_GE(bytes.size(), 24u) << icon;
    EXPECT_EQ(bytes.substr(1, 3), "PNG") << icon;
    // The PNG header's width and height, big-endian.
    auto word = [&bytes](size_t at) {
      return (unsigned(static_cast<unsigned char>(bytes[at])) << 24) |
             (unsigned(static_cast<unsigned char>(bytes[at + 1])) << 16) |
             (unsigned(static_cast<unsigned char>(bytes[at + 2])) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(word(16), unsigned(size)) << icon;
    EXPECT_EQ(word(20), unsigned(size)) << icon;
  }
  EXPECT_FALSE(fs::exists(resources + "/icons"));
  // Desktops look for menu entries and icons under the data root only.
  if (std::string(l.datadir) != l.datarootdir) {
    EXPECT_FALSE(fs::exists(root + "/" + l.datadir + "/applications"));
    EXPECT_FALSE(fs::exists(root + "/" + l.datadir + "/icons"));
  }

  // Started from somewhere else, as a menu entry would.
  pid_t pid = fork();
  if (pid == 0) {
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Path() + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Path() + "/.config").c_str(), 1);
    if (chdir("/") != 0) _exit(126);
    const std::string exe = bin + "/quarrelwick";
    execl(exe.c_str(), "quarrelwick", static_cast<char *>(nullptr));
    _exit(127);
  }
  ASSERT_GT(pid, 0);
  const std::string data = home.File(".local/share/Tallowmere/Quarrelwick");
  const std::string log_path = data + "/LogFile.txt";
  // The settings are written once start-up has loaded what it needs.
  int early = -1;
  const bool started = qwtest::WaitUntil([&] {
    return (early = qwtest::WaitForExit(pid, 0.01)) != -1 || qwtest::FileExists(data + "/Resolution.dat");
  });
  if (early == -1) early = qwtest::WaitForExit(pid, 2.0);
  if (early != -1) FAIL() << "ended on its own with " << early << "\n" << qwtest::ReadWholeFile(log_path);
  if (!started) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    FAIL() << "no settings written after " << qwtest::kHangSeconds << " s\n" << qwtest::ReadWholeFile(log_path);
  }
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  const int code = qwtest::WaitForExit(pid, 2 * qwtest::kHangSeconds);
  if (code == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  EXPECT_EQ(code, 0) << qwtest::ReadWholeFile(log_path);

  const std::string log = qwtest::ReadWholeFile(log_path);
  EXPECT_NE(log.find("Exited program."), std::string::npos) << log;
  for (const char *bad : {"Could not load", "Could not create", "chdir to", "Could not get resources path"})
    EXPECT_EQ(log.find(bad), std::string::npos) << bad << "\n" << log;
  // Nothing is written into the prefix by running.
  EXPECT_FALSE(fs::exists(resources + "/LogFile.txt"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, InstallTest,
                         ::testing::Values(Layout{"", QW_INSTALL_BINDIR, QW_INSTALL_DATADIR, QW_INSTALL_DATAROOTDIR},
                                           Layout{"games", "games", "share/games", "share"},
                                           Layout{"own-folder", "quarrelwick/bin", "quarrelwick/data", "share"}),
                         [](const ::testing::TestParamInfo<Layout> &info) {
                           std::string n = *info.param.name ? info.param.name : "configured";
                           for (char &ch : n)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

}  // namespace
