// Helpers shared by the test suites: a scratch folder that is removed afterwards, and
// whole-file reads and writes for checking what the code under test wrote.
#pragma once

#include <functional>
#include <string>

#include <sys/types.h>

namespace qwtest {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &Path() const { return m_path; }
  std::string File(const std::string &name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

std::string ReadWholeFile(const std::string &path);
void WriteWholeFile(const std::string &path, const std::string &bytes);
bool FileExists(const std::string &path);
// The source tree, for reading fixtures that are checked in.
std::string SourceDir();
// The build tree, for the programs and resources it made (read each call: a test may point it
// at a copy).
std::string BinaryDir();
// The resources the build made, without a trailing slash.
std::string BuiltResources();

// Sets (or with null, unsets) an environment variable for a scope and puts it back after.
class ScopedEnvVar {
 public:
  ScopedEnvVar(const char *name, const char *value);
  ~ScopedEnvVar();
  ScopedEnvVar(const ScopedEnvVar &) = delete;
  ScopedEnvVar &operator=(const ScopedEnvVar &) = delete;

 private:
  std::string m_name, m_old;
  bool m_had = false;
};

// How long a test waits for what it checks before it calls the code hung and fails. It bounds
// only a hang: a slow or busy machine must never come near it.
constexpr double kHangSeconds = 60.0;
// Polls the condition every 10 ms until it holds (true) or `seconds` pass (false).
bool WaitUntil(const std::function<bool()> &condition, double seconds = kHangSeconds);

// Waits up to `seconds` for a child process to end: its exit code, 1000 plus the signal that
// ended it, or -1 while it still runs.
int WaitForExit(pid_t pid, double seconds);

// A player's data folder of the test's own: XDG_DATA_HOME names it while it lives.
class PlayerDataFolder : public TempDir {
 public:
  PlayerDataFolder() : m_xdg("XDG_DATA_HOME", Path().c_str()) {}
  // The log written to "Log.txt" in it and the program's folders made under it, both modules
  // afresh; false when the folders cannot be made.
  bool Start();

 private:
  ScopedEnvVar m_xdg;
};

// The debug log afresh (DebugResetForTests) with its file named by its whole path in the working
// folder, each test's own: its default name would follow the test into a shared folder it moves
// to, such as the built resources.
void ResetLogInWorkingFolder();

// Remembers the working folder when made and puts it back when it goes, so a test that moves
// into a resource folder leaves the next test where it started.
class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder &) = delete;
  WorkingFolder &operator=(const WorkingFolder &) = delete;
  // Moves into the folder; false when that fails.
  bool Enter(const std::string &path);
  // Back to the remembered folder now; false when that fails.
  bool Restore();
  const std::string &Saved() const { return m_saved; }

 private:
  std::string m_saved;
};

// What a hostile data folder may hold where a file is read: none of these is a regular file.
// Where a file is written, a link to a file outside the data folder joins them: a save must not
// write through it (the file it names is OutsideFile(), holding kOutsideBytes).
enum class NotAFile { kFifo, kFolder, kSocket, kLinkToFifo, kLinkToOutsideFile };
constexpr NotAFile kNotAFileKinds[] = {NotAFile::kFifo, NotAFile::kFolder, NotAFile::kSocket, NotAFile::kLinkToFifo};
constexpr NotAFile kNotAFileKindsForWriting[] = {NotAFile::kFifo, NotAFile::kFolder, NotAFile::kSocket,
                                                 NotAFile::kLinkToFifo, NotAFile::kLinkToOutsideFile};
constexpr const char kOutsideBytes[] = "outside the data folder";
const char *NotAFileName(NotAFile kind);
// Replaces whatever is at the path (a file, or an earlier one of these) with one of the kind.
void MakeNotAFile(NotAFile kind, const std::string &path);
// The file a kLinkToOutsideFile names, in a folder of the process's own, removed at exit.
const std::string &OutsideFile();

// How many lines of a log hold the text, reported under the signature's short name (any, when
// the signature is empty).
int CountLogLines(const std::string &log, const std::string &signature, const std::string &text);

// Runs the body; false when it was left waiting on a pipe (or a link to one) at the path, to read
// or to write. Nothing opens the pipe's other end before the body returns unless kHangSeconds
// pass first, so a body that did not wait is told apart by order, not by how fast it ran; one
// that waited is let go then, with a line on standard error, so the test fails instead of hanging.
bool RunsWithoutWaitingOnPipe(const std::string &path, const std::function<void()> &body);

}  // namespace qwtest
