// Linked into every test executable (not through the archive, which would leave it out): CTest
// runs the tests of a build folder side by side, each in a process of its own started in that
// folder, so whatever one of them writes there by a fixed name, the debug log's "ErrorLog.txt"
// above all, another one removes or writes over at the same time. Each test starts instead in a
// scratch folder of its own as its working folder, with the log named in it: a test that puts
// the log's default name back (DebugResetForTests) still writes the file there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

#include "Engine/EngDebug.h"
#include "tests/support/TestSupport.h"

namespace qwtest {
namespace {

// Never destroyed: a child that a test forks and that ends with exit() runs the static
// destructors too, and would remove its parent's folders on the way out.
struct Folders {
  std::unique_ptr<WorkingFolder> start;
  std::unique_ptr<TempDir> program, test;
};
Folders &folders = *new Folders;

void Enter(const TempDir &folder) {
  if (chdir(folder.Path().c_str()) != 0) ADD_FAILURE() << "cannot enter " << folder.Path();
  if (!DebugSetLogFilename(folder.File("ErrorLog.txt").c_str(), 0))
    ADD_FAILURE() << "the log cannot be named in " << folder.Path();
}

class OwnFolders : public testing::EmptyTestEventListener {
 public:
  // The program's own folder holds what runs outside a test (a suite's set-up, a thread a test
  // left behind); each test gets one of its own.
  void OnTestProgramStart(const testing::UnitTest &) override {
    folders.start = std::make_unique<WorkingFolder>();
    folders.program = std::make_unique<TempDir>();
    Enter(*folders.program);
  }

  void OnTestStart(const testing::TestInfo &) override {
    folders.test = std::make_unique<TempDir>();
    Enter(*folders.test);
  }

  void OnTestEnd(const testing::TestInfo &) override {
    if (folders.program) Enter(*folders.program);
    folders.test.reset();
  }

  // The log's name is left in the removed folder: whatever the program still reports on its
  // way out goes nowhere rather than into the shared working folder.
  void OnTestProgramEnd(const testing::UnitTest &) override {
    folders.start.reset();
    folders.program.reset();
  }
};

// Before main: gtest_main's main runs the tests without a hook of its own.
[[maybe_unused]] const bool kOwnFoldersAdded = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new OwnFolders);
  return true;
}();

}  // namespace
}  // namespace qwtest
