#include "Engine/EngFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include "Engine/EngMemory.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::FileExists;
using qwtest::ReadWholeFile;
using qwtest::ScopedEnvVar;
using qwtest::WriteWholeFile;

class EngFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string &name) const { return dir.File(name); }
  // A path no file can be created at: its folder does not exist.
  std::string Unreachable() const { return dir.File("missing-folder/file.dat"); }

  qwtest::TempDir dir;
};

std::string Bytes(size_t count) {
  std::string bytes(count, 0);
  for (size_t i = 0; i < count; i++) bytes[i] = char(i * 7 + 3);
  return bytes;
}

// ---------------------------------------------------------------------------------------------
// The file object

TEST_F(EngFileTest, ClosedObjectAndMisuseChangeNothing) {
  EngFile file;
  EXPECT_EQ(file.is_open, 0);
  EXPECT_EQ(file.is_for_reading, 0);
  EXPECT_EQ(file.is_text, 0);
  EXPECT_EQ(file.stream, nullptr);

  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, 4, 1), 0);
  EXPECT_EQ(file.FRead(buffer, 4), 0u);
  EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 0);
  EXPECT_EQ(file.Write("abcd", 4), 0);
  EXPECT_EQ(file.FWrite("abcd", 4), 0u);
  EXPECT_EQ(file.Printf("x"), 0);
  EXPECT_EQ(file.Rewind(), 0);
  EXPECT_EQ(file.MoveToPosition(1), 0);
  EXPECT_EQ(file.MoveToPositionFromCurrentPosition(1), 0);
  EXPECT_EQ(file.MoveToEnd(), 0);
  EXPECT_EQ(file.GetPosition(), 0u);
  EXPECT_EQ(file.IsAtEnd(), 0);
  EXPECT_EQ(file.GetSize(), 0u);
  EXPECT_EQ(file.Close(), 1);  // closing a closed object does nothing

  WriteWholeFile(Path("in.dat"), "abcdef");
  ASSERT_EQ(file.OpenForReading(Path("in.dat").c_str(), 0, 1), 1);
  EXPECT_EQ(file.Write("xy", 2), 0);
  EXPECT_EQ(file.FWrite("xy", 2), 0u);
  EXPECT_EQ(file.Printf("xy"), 0);
  EXPECT_EQ(file.Read(nullptr, 2, 1), 0);
  EXPECT_EQ(file.FRead(nullptr, 2), 0u);
  EXPECT_EQ(file.ReadLine(nullptr, 8), 0);
  EXPECT_EQ(file.GetPosition(), 0u);  // nothing was consumed by the refused calls
  file.Close();
  EXPECT_EQ(ReadWholeFile(Path("in.dat")), "abcdef");

  ASSERT_EQ(file.OpenForWriting(Path("out.dat").c_str(), 0), 1);
  EXPECT_EQ(file.is_for_reading, 0);
  EXPECT_EQ(file.Read(buffer, 2, 1), 0);
  EXPECT_EQ(file.FRead(buffer, 2), 0u);
  EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 0);
  EXPECT_EQ(file.Write(nullptr, 2), 0);
  EXPECT_EQ(file.FWrite(nullptr, 2), 0u);
  EXPECT_EQ(file.Write("ok", 2), 1);  // still usable
  file.Close();
  EXPECT_EQ(ReadWholeFile(Path("out.dat")), "ok");
}

TEST_F(EngFileTest, RoundTripInBinaryAndTextMode) {
  const std::string binary = std::string("\0\1\r\n\xff\x80zz\n", 9) + Bytes(5000);
  for (char text_mode : {0, 1}) {
    SCOPED_TRACE(text_mode ? "text" : "binary");
    const std::string path = Path(text_mode ? "t.txt" : "b.dat");
    {
      EngFile file;
      ASSERT_EQ(file.OpenForWriting(path.c_str(), text_mode), 1);
      EXPECT_EQ(file.is_open, 1);
      EXPECT_EQ(file.is_text, text_mode);
      EXPECT_EQ(file.Write(binary.data(), EngUInt32(binary.size())), 1);
      EXPECT_EQ(file.FWrite("tail", 4), 4u);
    }  // the destructor closes
    EXPECT_EQ(ReadWholeFile(path), binary + "tail");

    EngFile file(path.c_str(), 0, text_mode);
    ASSERT_EQ(file.is_open, 1);
    EXPECT_EQ(file.is_for_reading, 1);
    std::vector<char> back(binary.size());
    EXPECT_EQ(file.Read(back.data(), EngUInt32(back.size()), 1), 1);
    EXPECT_EQ(std::string(back.begin(), back.end()), binary);
    char tail[8] = {};
    EXPECT_EQ(file.Read(tail, 0, 1), 0);  // a request of nothing is a failure
    EXPECT_EQ(file.FRead(tail, 8), 4u);
    EXPECT_EQ(std::string(tail, 4), "tail");
    EXPECT_EQ(file.Read(tail, 1, 0), 0);  // at the end
    EXPECT_EQ(file.IsAtEnd(), 1);
  }
}

TEST_F(EngFileTest, ShortReadIsAFailure) {
  WriteWholeFile(Path("short.dat"), "abc");
  EngFile file;
  ASSERT_EQ(file.OpenForReadingIfExists(Path("short.dat").c_str(), 0), 1);
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 8, 1), 0);
  EXPECT_EQ(std::string(buffer), "abc");
}

TEST_F(EngFileTest, ConstructorOpensForReadingOrWriting) {
  {
    EngFile writer(Path("c.dat").c_str(), 1, 0);
    ASSERT_EQ(writer.is_open, 1);
    EXPECT_EQ(writer.is_for_reading, 0);
    EXPECT_EQ(writer.Printf("%d-%s", 42, "x"), 1);
  }
  EXPECT_EQ(ReadWholeFile(Path("c.dat")), "42-x");
  EngFile reader(Path("c.dat").c_str(), 0, 1);
  EXPECT_EQ(reader.is_open, 1);
  EXPECT_EQ(reader.is_text, 1);
  EngFile missing(Path("none.dat").c_str(), 0, 0);
  EXPECT_EQ(missing.is_open, 0);
  EXPECT_EQ(missing.stream, nullptr);
}

TEST_F(EngFileTest, OpenFailuresLeaveTheObjectClosed) {
  ASSERT_EQ(mkdir(Path("folder").c_str(), 0777), 0);
  const std::string missing = Path("none.dat"), unreachable = Unreachable(), folder = Path("folder");
  struct Case {
    const char *what;
    std::function<char(EngFile &)> open;
  };
  const Case cases[] = {
      {"read missing", [&](EngFile &f) { return f.OpenForReading(missing.c_str(), 0, 1); }},
      {"read missing quietly", [&](EngFile &f) { return f.OpenForReadingIfExists(missing.c_str(), 1); }},
      {"read a folder", [&](EngFile &f) { return f.OpenForReading(folder.c_str(), 0, 1); }},
      {"read null", [&](EngFile &f) { return f.OpenForReading(nullptr, 0, 1); }},
      {"read empty", [&](EngFile &f) { return f.OpenForReading("", 0, 0); }},
      {"write unreachable", [&](EngFile &f) { return f.OpenForWriting(unreachable.c_str(), 0); }},
      {"write a folder", [&](EngFile &f) { return f.OpenForWriting(folder.c_str(), 1); }},
      {"write empty", [&](EngFile &f) { return f.OpenForWriting("", 0); }},
      {"create unreachable", [&](EngFile &f) { return f.CreateForWriting(unreachable.c_str(), 0); }},
      {"create null", [&](EngFile &f) { return f.CreateForWriting(nullptr, 0); }},
      {"create new unreachable", [&](EngFile &f) { return f.CreateNewForWriting(unreachable.c_str(), 0); }},
      {"create new null", [&](EngFile &f) { return f.CreateNewForWriting(nullptr, 0); }},
      {"create new a folder", [&](EngFile &f) { return f.CreateNewForWriting(folder.c_str(), 0); }},
      {"append unreachable", [&](EngFile &f) { return f.OpenForAppending(unreachable.c_str(), 1); }},
      {"append a folder", [&](EngFile &f) { return f.OpenForAppending(folder.c_str(), 0); }},
  };
  for (const Case &c : cases) {
    EngFile file;
    EXPECT_EQ(c.open(file), 0) << c.what;
    EXPECT_EQ(file.is_open, 0) << c.what;
    EXPECT_EQ(file.stream, nullptr) << c.what;
  }
  EXPECT_FALSE(FileExists(unreachable));
}

TEST_F(EngFileTest, OpeningAnOpenObjectClosesTheOldFileFirst) {
  WriteWholeFile(Path("first.txt"), "first");
  WriteWholeFile(Path("second.txt"), "second");
  EngFile file;
  ASSERT_EQ(file.OpenForWriting(Path("out.txt").c_str(), 1), 1);
  EXPECT_EQ(file.Write("pending", 7), 1);
  ASSERT_EQ(file.OpenForReadingIfExists(Path("first.txt").c_str(), 1), 1);
  EXPECT_EQ(ReadWholeFile(Path("out.txt")), "pending");  // flushed by the close
  EXPECT_EQ(file.is_for_reading, 1);

  ASSERT_EQ(file.OpenForReading(Path("second.txt").c_str(), 0, 1), 1);
  char buffer[16] = {};
  EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "second");

  // A failing second open still closes the first file.
  EXPECT_EQ(file.OpenForReadingIfExists(Path("none.txt").c_str(), 0), 0);
  EXPECT_EQ(file.is_open, 0);
  EXPECT_EQ(file.stream, nullptr);
}

TEST_F(EngFileTest, AppendingKeepsTheContents) {
  WriteWholeFile(Path("log.txt"), "ab");
  for (const char *more : {"cd", "ef"}) {
    EngFile file;
    ASSERT_EQ(file.OpenForAppending(Path("log.txt").c_str(), 1), 1);
    EXPECT_EQ(file.is_for_reading, 0);
    EXPECT_EQ(file.Write(more, 2), 1);
  }
  EXPECT_EQ(ReadWholeFile(Path("log.txt")), "abcdef");

  EngFile file;
  ASSERT_EQ(file.CreateForWriting(Path("log.txt").c_str(), 0), 1);  // truncates
  file.Close();
  EXPECT_EQ(ReadWholeFile(Path("log.txt")), "");
}

TEST_F(EngFileTest, ReadLineStaysInsideTheBuffer) {
  WriteWholeFile(Path("lines.txt"), "hello\nworld\r\n\nlast");
  struct Case {
    EngUInt32 size;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {64, {"hello\n", "world\r\n", "\n", "last"}},
      {4, {"hel", "lo\n", "wor", "ld\r", "\n", "\n", "las", "t"}},
      {2, {"h", "e", "l", "l", "o", "\n"}},  // first lines only
  };
  for (const Case &c : cases) {
    EngFile file;
    ASSERT_EQ(file.OpenForReading(Path("lines.txt").c_str(), 1, 1), 1);
    std::vector<char> buffer(c.size + 8, 'Z');
    for (const std::string &expected : c.lines) {
      ASSERT_EQ(file.ReadLine(buffer.data(), c.size), 1) << "size " << c.size;
      EXPECT_EQ(std::string(buffer.data()), expected) << "size " << c.size;
      for (size_t i = c.size; i < buffer.size(); i++) ASSERT_EQ(buffer[i], 'Z') << "size " << c.size;
    }
    if (c.size == 64) {
      EXPECT_EQ(file.ReadLine(buffer.data(), c.size), 0);  // end of the file
      EXPECT_EQ(buffer[0], 0);
    }
  }

  // Too small to hold a character and its terminator: refused rather than looping forever.
  EngFile file;
  ASSERT_EQ(file.OpenForReading(Path("lines.txt").c_str(), 1, 1), 1);
  char one[2] = {'Z', 'Z'};
  EXPECT_EQ(file.ReadLine(one, 1), 0);
  EXPECT_EQ(one[1], 'Z');
  EXPECT_EQ(file.ReadLine(one, 0), 0);
  EXPECT_EQ(file.GetPosition(), 0u);
}

TEST_F(EngFileTest, PrintfFormatsCutsAndSkipsEmptyOutput) {
  const std::string long_text(3000, 'q');
  {
    EngFile file;
    ASSERT_EQ(file.OpenForWriting(Path("p.txt").c_str(), 1), 1);
    EXPECT_EQ(file.Printf("%s", ""), 1);
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(file.Printf("%s=%d;", "a", -5), 1);
    EXPECT_EQ(file.Printf("%s", long_text.c_str()), 1);
  }
  EXPECT_EQ(ReadWholeFile(Path("p.txt")), "a=-5;" + std::string(2057, 'q'));
}

TEST_F(EngFileTest, SeekingPositionAndSize) {
  const std::string bytes = Bytes(100);
  WriteWholeFile(Path("s.dat"), bytes);
  EngFile file;
  ASSERT_EQ(file.OpenForReading(Path("s.dat").c_str(), 0, 1), 1);
  char buffer[10];
  ASSERT_EQ(file.Read(buffer, 10, 1), 1);
  EXPECT_EQ(file.GetSize(), 100u);
  EXPECT_EQ(file.GetPosition(), 10u);  // the size leaves the position alone

  EXPECT_EQ(file.MoveToPosition(50), 1);
  ASSERT_EQ(file.Read(buffer, 1, 1), 1);
  EXPECT_EQ(buffer[0], bytes[50]);
  EXPECT_EQ(file.MoveToPositionFromCurrentPosition(-21), 1);  // backwards works
  EXPECT_EQ(file.GetPosition(), 30u);
  ASSERT_EQ(file.Read(buffer, 1, 1), 1);
  EXPECT_EQ(buffer[0], bytes[30]);
  EXPECT_EQ(file.MoveToPositionFromCurrentPosition(9), 1);
  EXPECT_EQ(file.GetPosition(), 40u);
  EXPECT_EQ(file.MoveToPositionFromCurrentPosition(-41), 0);  // before the start
  EXPECT_EQ(file.GetPosition(), 40u);

  EXPECT_EQ(file.MoveToEnd(), 1);
  EXPECT_EQ(file.GetPosition(), 100u);
  EXPECT_EQ(file.IsAtEnd(), 0);  // only a read past the end sets it
  EXPECT_EQ(file.Read(buffer, 1, 0), 0);
  EXPECT_EQ(file.IsAtEnd(), 1);
  EXPECT_EQ(file.GetSize(), 100u);
  EXPECT_EQ(file.Rewind(), 1);
  EXPECT_EQ(file.GetPosition(), 0u);
  EXPECT_EQ(file.IsAtEnd(), 0);

  // The size of a file being written counts what is still buffered.
  EngFile writer;
  ASSERT_EQ(writer.OpenForWriting(Path("w.dat").c_str(), 0), 1);
  EXPECT_EQ(writer.Write(bytes.data(), 33), 1);
  EXPECT_EQ(writer.GetSize(), 33u);
  EXPECT_EQ(writer.GetPosition(), 33u);
}

TEST_F(EngFileTest, ShortWriteFailsInBothModes) {
  // A file size limit makes the system take only part of a write.
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN);
  const std::string bytes = Bytes(100);
  for (char text_mode : {0, 1}) {
    EngFile file;
    const std::string path = Path(text_mode ? "short.txt" : "short.dat");
    ASSERT_EQ(file.OpenForWriting(path.c_str(), text_mode), 1);
    setvbuf(file.stream, nullptr, _IONBF, 0);
    struct rlimit limit = old_limit;
    limit.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    char result = file.Write(bytes.data(), EngUInt32(bytes.size()));
    setrlimit(RLIMIT_FSIZE, &old_limit);
    EXPECT_EQ(result, 0) << (text_mode ? "text" : "binary");
    file.Close();
    EXPECT_EQ(ReadWholeFile(path).size(), 10u);
  }
  signal(SIGXFSZ, old_handler);
}

TEST_F(EngFileTest, WriteOfNothingAndLostBufferedDataAreFailures) {
  EngFile file;
  ASSERT_EQ(file.OpenForWriting(Path("n.dat").c_str(), 0), 1);
  EXPECT_EQ(file.Write("x", 0), 0);
  EXPECT_EQ(file.FWrite("x", 0), 0u);
  file.Close();

  if (!FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_EQ(file.OpenForWriting("/dev/full", 0), 1);
  EXPECT_EQ(file.Write("buffered", 8), 1);  // still in the stream's buffer
  EXPECT_EQ(file.Close(), 0);               // the flush on closing fails
  EXPECT_EQ(file.is_open, 0);
}

// ---------------------------------------------------------------------------------------------
// Whole files

TEST_F(EngFileTest, OpenReadAndCloseNeedsTheExactSize) {
  WriteWholeFile(Path("r99.dat"), Bytes(99));
  char buffer[100];
  memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(EngFileOpenReadAndClose(Path("r99.dat").c_str(), 0, buffer, 100), 0);
  EXPECT_EQ(EngFileOpenReadAndClose(Path("r99.dat").c_str(), 0, buffer, 98), 0);
  EXPECT_EQ(EngFileOpenReadAndCloseIfExists(Path("r99.dat").c_str(), 0, buffer, 100), 0);
  for (char c : buffer) ASSERT_EQ(c, 'Z');  // nothing read

  EXPECT_EQ(EngFileOpenReadAndClose(Path("r99.dat").c_str(), 0, buffer, 99), 1);
  EXPECT_EQ(std::string(buffer, 99), Bytes(99));
  EXPECT_EQ(buffer[99], 'Z');
  memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(EngFileOpenReadAndCloseIfExists(Path("r99.dat").c_str(), 1, buffer, 99), 1);
  EXPECT_EQ(std::string(buffer, 99), Bytes(99));

  EXPECT_EQ(EngFileOpenReadAndClose(Path("none.dat").c_str(), 0, buffer, 99), 0);
  EXPECT_EQ(EngFileOpenReadAndCloseIfExists(Path("none.dat").c_str(), 0, buffer, 99), 0);
  EXPECT_EQ(EngFileOpenReadAndClose("", 0, buffer, 99), 0);
  EXPECT_EQ(EngFileOpenReadAndCloseIfExists(nullptr, 0, buffer, 99), 0);
}

TEST_F(EngFileTest, WholeFileSavesReplaceTheFileAtomically) {
  const std::string path = Path("record.dat");
  const std::string bytes = Bytes(300);
  struct Save {
    const char *what;
    char (*save)(const char *, char, const void *, euint);
  };
  const Save saves[] = {{"OpenWriteAndClose", EngFileOpenWriteAndClose},
                        {"WriteMemoryContentsToFile", EngFileWriteMemoryContentsToFile}};
  for (const Save &s : saves) {
    SCOPED_TRACE(s.what);
    WriteWholeFile(path, "old contents");
    EXPECT_EQ(s.save(path.c_str(), 0, bytes.data(), euint(bytes.size())), 1);
    EXPECT_EQ(ReadWholeFile(path), bytes);
    EXPECT_FALSE(FileExists(path + ".tmp"));
    EXPECT_EQ(s.save(path.c_str(), 1, "text\n", 5), 1);
    EXPECT_EQ(ReadWholeFile(path), "text\n");

    // The temporary file cannot be made: the old file stays whole.
    ASSERT_EQ(mkdir((path + ".tmp").c_str(), 0777), 0);
    EXPECT_EQ(s.save(path.c_str(), 0, bytes.data(), euint(bytes.size())), 0);
    EXPECT_EQ(ReadWholeFile(path), "text\n");
    ASSERT_EQ(rmdir((path + ".tmp").c_str()), 0);

    // The rename cannot replace a folder: the temporary file is cleaned up.
    const std::string folder = Path("folder");
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
    WriteWholeFile(folder + "/inside", "x");
    EXPECT_EQ(s.save(folder.c_str(), 0, bytes.data(), euint(bytes.size())), 0);
    EXPECT_FALSE(FileExists(folder + ".tmp"));
    EXPECT_EQ(ReadWholeFile(folder + "/inside"), "x");
    unlink((folder + "/inside").c_str());
    rmdir(folder.c_str());

    EXPECT_EQ(s.save(Unreachable().c_str(), 0, bytes.data(), 10), 0);
    EXPECT_EQ(s.save("", 0, bytes.data(), 10), 0);
    EXPECT_EQ(s.save(nullptr, 0, bytes.data(), 10), 0);
    EXPECT_EQ(s.save(path.c_str(), 0, bytes.data(), 0), 0);  // nothing to write
    EXPECT_EQ(ReadWholeFile(path), "text\n");
  }
  EXPECT_EQ(EngFileWriteMemoryContentsToFile(path.c_str(), 0, nullptr, 10), 0);
  EXPECT_EQ(ReadWholeFile(path), "text\n");
}

// What stands at a save's temporary name is taken away and the name made afresh, at once,
// never written through; a folder there is left and the save refused, the old file kept.
TEST_F(EngFileTest, WhatStandsAtTheTemporaryNameIsReplacedOrRefusedAtOnce) {
  const std::string path = Path("record.dat"), source = Path("source.dat");
  const std::string bytes = Bytes(3000);
  WriteWholeFile(source, bytes);
  struct Save {
    const char *what;
    std::function<char()> save;
  };
  const Save saves[] = {
      {"OpenWriteAndClose", [&] { return EngFileOpenWriteAndClose(path.c_str(), 0, bytes.data(), 3000); }},
      {"WriteMemoryContentsToFile",
       [&] { return EngFileWriteMemoryContentsToFile(path.c_str(), 0, bytes.data(), 3000); }},
      {"CopyFile", [&] { return EngFileCopyFile(source.c_str(), path.c_str(), 0); }},
      {"SaveAtomically",
       [&] {
         return char(EngFileSaveAtomically(path.c_str(), 0, [&](EngFile &file) {
                       return file.Write(bytes.data(), 1000) && file.Write(bytes.data() + 1000, 2000);
                     }) == ENG_FILE_SAVED);
       }},
  };
  for (const Save &s : saves)
    for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
      SCOPED_TRACE(std::string(s.what) + " over a " + qwtest::NotAFileName(kind));
      WriteWholeFile(path, "old");
      qwtest::MakeNotAFile(kind, path + ".tmp");
      char saved = 0;
      EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path + ".tmp", [&] { saved = s.save(); }));
      struct stat status;
      ASSERT_EQ(lstat(path.c_str(), &status), 0);
      EXPECT_TRUE(S_ISREG(status.st_mode));
      if (kind == qwtest::NotAFile::kFolder) {
        EXPECT_EQ(saved, 0);
        EXPECT_EQ(ReadWholeFile(path), "old");
        EXPECT_TRUE(EngFileDirectoryExists((path + ".tmp").c_str()));
      } else {
        EXPECT_EQ(saved, 1);
        EXPECT_TRUE(ReadWholeFile(path) == bytes) << "not the new record";
        EXPECT_EQ(EngFileNameIsTaken((path + ".tmp").c_str()), 0);
      }
      if (kind == qwtest::NotAFile::kLinkToOutsideFile) {
        EXPECT_EQ(ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
      }
    }
}

TEST_F(EngFileTest, SaveAtomicallyKeepsTheOldFileUnlessTheWholeSaveWent) {
  const std::string path = Path("song.dat");
  WriteWholeFile(path, "old");
  WriteWholeFile(path + ".tmp", "left by a killed save");
  int calls = 0;
  EXPECT_EQ(EngFileSaveAtomically(path.c_str(), 0,
                                  [&](EngFile &file) {
                                    calls++;
                                    return file.Write("new", 3) == 1 && false;  // a later piece could not be made
                                  }),
            ENG_FILE_SAVE_NOT_WRITTEN);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_FALSE(FileExists(path + ".tmp"));

  EXPECT_EQ(EngFileSaveAtomically(
                path.c_str(), 1, [](EngFile &file) { return file.Printf("%d\n", 42) == 1; }, 0600),
            ENG_FILE_SAVED);
  EXPECT_EQ(ReadWholeFile(path), "42\n");
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0077, 0u);

  calls = 0;
  const auto never = [&](EngFile &) { return ++calls > 0; };
  EXPECT_EQ(EngFileSaveAtomically(Unreachable().c_str(), 0, never), ENG_FILE_SAVE_NOT_CREATED);
  EXPECT_EQ(EngFileSaveAtomically("", 0, never), ENG_FILE_SAVE_NOT_CREATED);
  EXPECT_EQ(EngFileSaveAtomically(nullptr, 0, never), ENG_FILE_SAVE_NOT_CREATED);
  EXPECT_EQ(calls, 0);
}

// An open for writing that is not a save does not wait on a pipe either.
TEST_F(EngFileTest, WritingOpensRefuseAPipeASocketOrAFolderWithoutWaiting) {
  const std::string path = Path("Download.part");
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, path);
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path,
                                              [&] {
                                                EngFile file;
                                                EXPECT_EQ(file.OpenForWriting(path.c_str(), 0), 0);
                                                EXPECT_EQ(file.CreateForWriting(path.c_str(), 1), 0);
                                                EXPECT_EQ(file.OpenForAppending(path.c_str(), 1), 0);
                                                EXPECT_EQ(file.is_open, 0);
                                              }));
    EXPECT_EQ(EngFileNameIsTaken(path.c_str()), 1);
  }
}

// A new file's open takes nothing that stands at the name: a link (to a file outside or to a
// pipe) put there after the caller's delete is not written through, nothing waits, and an older
// file keeps its bytes. A free name is made.
TEST_F(EngFileTest, CreatingANewFileRefusesWhateverIsAtTheName) {
  const std::string path = Path("Download.part");
  qwtest::WriteWholeFile(qwtest::OutsideFile(), qwtest::kOutsideBytes);  // checked after every kind
  for (qwtest::NotAFile kind : qwtest::kNotAFileKindsForWriting) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, path);
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path,
                                              [&] {
                                                EngFile file;
                                                EXPECT_EQ(file.CreateNewForWriting(path.c_str(), 0), 0);
                                                EXPECT_EQ(file.is_open, 0);
                                              }));
    EXPECT_EQ(EngFileNameIsTaken(path.c_str()), 1);
    EXPECT_EQ(ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
  }
  ASSERT_EQ(remove(path.c_str()), 0);
  WriteWholeFile(path, "older");
  EngFile file;
  EXPECT_EQ(file.CreateNewForWriting(path.c_str(), 0), 0);
  EXPECT_EQ(ReadWholeFile(path), "older");

  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(file.CreateNewForWriting(path.c_str(), 0), 1);
  EXPECT_EQ(file.Write("new", 3), 1);
  EXPECT_EQ(file.Close(), 1);
  EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST_F(EngFileTest, ReadFileContentsToMemoryAddsZeroedExtraBytes) {
  WriteWholeFile(Path("five.txt"), "abcde");
  euint size = 12345;
  char *block = static_cast<char *>(EngFileReadFileContentsToMemory(Path("five.txt").c_str(), 1, 3, &size));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(std::string(block, 9), std::string("abcde\0\0\0\0", 9));
  EngFree(block, 1, "test");

  block = static_cast<char *>(EngFileReadFileContentsToMemory(Path("five.txt").c_str(), 0, 0, nullptr));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block, "abcde");  // usable as a terminated text
  EngFree(block, 1, "test");

  WriteWholeFile(Path("empty.txt"), "");
  ASSERT_EQ(mkdir(Path("folder").c_str(), 0777), 0);
  for (std::string bad : {Path("none.txt"), Path("empty.txt"), Path("folder"), std::string()}) {
    size = 77;
    EXPECT_EQ(EngFileReadFileContentsToMemory(bad.c_str(), 0, 3, &size), nullptr) << bad;
    EXPECT_EQ(size, 0u) << bad;
  }
  size = 77;
  EXPECT_EQ(EngFileReadFileContentsToMemory(nullptr, 0, 3, &size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(EngFileReadFileContentsToMemory(Path("five.txt").c_str(), 0, 0xFFFFFFFAu, &size), nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(EngFileTest, FileSizeAndModificationTime) {
  WriteWholeFile(Path("f.dat"), Bytes(1234));
  EXPECT_EQ(EngFileGetFileSize(Path("f.dat").c_str(), 0), 1234u);
  EXPECT_EQ(EngFileGetFileSize(Path("f.dat").c_str()), 1234u);
  EXPECT_EQ(EngFileGetFileSize(Path("none.dat").c_str(), 0), 0u);

  struct utimbuf times = {1000000000, 1234567890};
  ASSERT_EQ(utime(Path("f.dat").c_str(), &times), 0);
  EXPECT_EQ(EngFileGetLastModifiedTime(Path("f.dat").c_str()), 1234567890u);
  EXPECT_EQ(EngFileGetLastModifiedTime(Path("none.dat").c_str()), 0u);
  EXPECT_EQ(EngFileGetLastModifiedTime(""), 0u);
}

// ---------------------------------------------------------------------------------------------
// Folders, deleting, copying and moving

TEST_F(EngFileTest, ExistsDeleteAndFolders) {
  const std::string file = Path("a.dat"), folder = Path("sub");
  EXPECT_EQ(EngFileExists(file.c_str(), 1), 0);
  EXPECT_EQ(EngFileExists(nullptr, 0), 0);
  EXPECT_EQ(EngFileDeleteIfExists(file.c_str(), 1), 1);  // nothing to delete is fine
  EXPECT_EQ(EngFileDelete(file.c_str(), 0), 0);
  EXPECT_EQ(EngFileDelete("", 1), 0);

  WriteWholeFile(file, "x");
  EXPECT_EQ(EngFileExists(file.c_str(), 0), 1);
  EXPECT_EQ(EngFileDirectoryExists(file.c_str()), 0);
  EXPECT_EQ(EngFileDeleteIfExists(file.c_str(), 1), 1);
  EXPECT_FALSE(FileExists(file));
  WriteWholeFile(file, "x");
  EXPECT_EQ(EngFileDelete(file.c_str(), 1), 1);
  EXPECT_FALSE(FileExists(file));

  EXPECT_EQ(EngFileDirectoryExists(folder.c_str()), 0);
  EXPECT_EQ(EngFileCreateDirectory(folder.c_str(), 1), 1);
  EXPECT_EQ(EngFileDirectoryExists(folder.c_str()), 1);
  EXPECT_EQ(EngFileExists(folder.c_str(), 0), 0);  // a folder is not a file
  EXPECT_EQ(EngFileCreateDirectory(folder.c_str(), 0), 0);  // already there
  EXPECT_EQ(EngFileCreateDirectory(Unreachable().c_str(), 1), 0);
  EXPECT_EQ(EngFileCreateDirectory("", 1), 0);
  EXPECT_EQ(EngFileDirectoryExists(nullptr), 0);

  WriteWholeFile(folder + "/inside", "x");
  EXPECT_EQ(EngFileDeleteDirectory(folder.c_str()), 0);  // not empty
  EXPECT_EQ(EngFileDelete(folder.c_str(), 1), 0);        // not a file
  EXPECT_EQ(EngFileDirectoryExists(folder.c_str()), 1);
  unlink((folder + "/inside").c_str());
  EXPECT_EQ(EngFileDeleteDirectory(folder.c_str()), 1);
  EXPECT_EQ(EngFileDirectoryExists(folder.c_str()), 0);
  EXPECT_EQ(EngFileDeleteDirectory(folder.c_str()), 0);
  EXPECT_EQ(EngFileDeleteDirectory(""), 0);
}

// A pipe would hold an open until someone writes: every read refuses what is not a regular
// file at once, and a name taken by one is not replaced by a move.
TEST_F(EngFileTest, WhatIsNotARegularFileIsRefusedWithoutWaiting) {
  const std::string path = Path("odd.dat"), source = Path("source.dat");
  for (qwtest::NotAFile kind : qwtest::kNotAFileKinds) {
    SCOPED_TRACE(qwtest::NotAFileName(kind));
    qwtest::MakeNotAFile(kind, path);
    WriteWholeFile(source, "x");
    EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(path, [&] {
      EngFile file;
      EXPECT_EQ(file.OpenForReading(path.c_str(), 0, 1), 0);
      EXPECT_EQ(file.OpenForReadingIfExists(path.c_str(), 1), 0);
      EXPECT_EQ(file.is_open, 0);
      EXPECT_EQ(EngFileExists(path.c_str(), 0), 0);
      EXPECT_EQ(EngFileIsNotRegular("caller()", path.c_str()), 1);
      EXPECT_EQ(EngFileNameIsTaken(path.c_str()), 1);
      char buffer[4];
      EXPECT_EQ(EngFileOpenReadAndClose(path.c_str(), 0, buffer, sizeof buffer), 0);
      euint size = 1;
      EXPECT_EQ(EngFileReadFileContentsToMemory(path.c_str(), 0, 0, &size), nullptr);
      EXPECT_EQ(EngFileGetFileSize(path.c_str()), 0u);
      EXPECT_EQ(EngFileGetLastModifiedTime(path.c_str()), 0u);
      EXPECT_EQ(EngFileOpenStreamForReading(path.c_str()), nullptr);
      EXPECT_EQ(EngFileCopyFile(path.c_str(), Path("copy.dat").c_str(), 0), 0);
      EXPECT_EQ(EngFileMoveFile(source.c_str(), path.c_str()), 0);
    }));
    EXPECT_TRUE(FileExists(source));
    EXPECT_FALSE(FileExists(Path("copy.dat")));
  }
  // A regular file, and a missing one, are nothing to refuse.
  WriteWholeFile(path + "2", "x");
  EXPECT_EQ(EngFileIsNotRegular("caller()", (path + "2").c_str()), 0);
  EXPECT_EQ(EngFileIsNotRegular("caller()", Path("none").c_str()), 0);
  EXPECT_EQ(EngFileNameIsTaken(Path("none").c_str()), 0);
  FILE *stream = EngFileOpenStreamForReading((path + "2").c_str());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(fgetc(stream), 'x');
  fclose(stream);
}

// A pipe left at one of the program's own names is deleted like a file, not waited on.
TEST_F(EngFileTest, DeleteIfExistsRemovesAPipeButLeavesAFolder) {
  const std::string path = Path("Download.part");
  qwtest::MakeNotAFile(qwtest::NotAFile::kFifo, path);
  EXPECT_EQ(EngFileDeleteIfExists(path.c_str(), 1), 1);
  EXPECT_EQ(EngFileNameIsTaken(path.c_str()), 0);
  qwtest::MakeNotAFile(qwtest::NotAFile::kFolder, path);
  EXPECT_EQ(EngFileDeleteIfExists(path.c_str(), 1), 1);
  EXPECT_EQ(EngFileNameIsTaken(path.c_str()), 1);
}

TEST_F(EngFileTest, CopyFile) {
  const std::string source = Path("src.dat"), target = Path("dst.dat");
  const std::string bytes = Bytes(200000);  // more than one chunk
  WriteWholeFile(source, bytes);
  ASSERT_EQ(chmod(source.c_str(), 0640), 0);

  EXPECT_EQ(EngFileCopyFile(source.c_str(), target.c_str(), 1), 1);
  EXPECT_EQ(ReadWholeFile(target), bytes);
  EXPECT_EQ(ReadWholeFile(source), bytes);
  EXPECT_FALSE(FileExists(target + ".tmp"));
  struct stat status;
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(status.st_mode & 0777, 0640u & ~mask);

  WriteWholeFile(target, "other");
  EXPECT_EQ(EngFileCopyFile(source.c_str(), target.c_str(), 1), 0);  // refuses to replace
  EXPECT_EQ(ReadWholeFile(target), "other");
  EXPECT_EQ(EngFileCopyFile(source.c_str(), target.c_str(), 0), 1);  // replaces
  EXPECT_EQ(ReadWholeFile(target), bytes);

  WriteWholeFile(Path("empty.dat"), "");
  EXPECT_EQ(EngFileCopyFile(Path("empty.dat").c_str(), Path("empty2.dat").c_str(), 1), 1);
  EXPECT_EQ(ReadWholeFile(Path("empty2.dat")), "");

  // A name with a double quote, which no shell command line would have carried.
  const std::string quoted = Path("say \"hi\" $(x).dat");
  EXPECT_EQ(EngFileCopyFile(source.c_str(), quoted.c_str(), 1), 1);
  EXPECT_EQ(ReadWholeFile(quoted), bytes);

  EXPECT_EQ(EngFileCopyFile(source.c_str(), source.c_str(), 0), 0);
  EXPECT_EQ(ReadWholeFile(source), bytes);
  EXPECT_EQ(EngFileCopyFile(Path("none.dat").c_str(), Path("new.dat").c_str(), 0), 0);
  EXPECT_FALSE(FileExists(Path("new.dat")));
  EXPECT_EQ(EngFileCopyFile(source.c_str(), Unreachable().c_str(), 0), 0);
  EXPECT_EQ(EngFileCopyFile("", target.c_str(), 0), 0);
  EXPECT_EQ(EngFileCopyFile(source.c_str(), nullptr, 0), 0);
  EXPECT_EQ(ReadWholeFile(target), bytes);
}

TEST_F(EngFileTest, MoveFileNeverReplaces) {
  const std::string source = Path("src.dat"), target = Path("dst.dat");
  WriteWholeFile(source, "moving");
  EXPECT_EQ(EngFileMoveFile(source.c_str(), target.c_str()), 1);
  EXPECT_FALSE(FileExists(source));
  EXPECT_EQ(ReadWholeFile(target), "moving");

  WriteWholeFile(source, "second");
  EXPECT_EQ(EngFileMoveFile(source.c_str(), target.c_str()), 0);
  EXPECT_EQ(ReadWholeFile(source), "second");
  EXPECT_EQ(ReadWholeFile(target), "moving");

  EXPECT_EQ(EngFileMoveFile(source.c_str(), Unreachable().c_str()), 0);
  EXPECT_EQ(ReadWholeFile(source), "second");
  EXPECT_EQ(EngFileMoveFile(Path("none.dat").c_str(), Path("new.dat").c_str()), 0);
  EXPECT_FALSE(FileExists(Path("new.dat")));
  EXPECT_EQ(EngFileMoveFile(nullptr, target.c_str()), 0);
  EXPECT_EQ(EngFileMoveFile(source.c_str(), ""), 0);
}

TEST_F(EngFileTest, MoveFileAcrossFileSystemsCopies) {
  ScopedEnvVar tmpdir("TMPDIR", "/dev/shm");
  struct stat shm_status, here_status;
  if (stat("/dev/shm", &shm_status) != 0 || stat(dir.Path().c_str(), &here_status) != 0 ||
      shm_status.st_dev == here_status.st_dev)
    GTEST_SKIP() << "no second file system to move across";
  qwtest::TempDir other;
  const std::string source = other.File("far.dat"), target = Path("near.dat");
  WriteWholeFile(source, Bytes(70000));
  EXPECT_EQ(EngFileMoveFile(source.c_str(), target.c_str()), 1);
  EXPECT_FALSE(FileExists(source));
  EXPECT_EQ(ReadWholeFile(target), Bytes(70000));
  EXPECT_FALSE(FileExists(target + ".tmp"));
}

// A move told which file was written takes that file only: whatever else stands at the source's
// name (a link, even to that very file, another file, a pipe, a socket, a folder) is left as it
// was, not followed, and nothing reaches the target, on one file system and across two.
TEST_F(EngFileTest, MoveFileOfTheWrittenFileTakesNothingElse) {
  std::vector<std::string> targets = {Path("placed.dat")};
  std::unique_ptr<qwtest::TempDir> far;
  struct stat shm_status, here_status;
  if (stat("/dev/shm", &shm_status) == 0 && stat(dir.Path().c_str(), &here_status) == 0 &&
      shm_status.st_dev != here_status.st_dev) {
    ScopedEnvVar tmpdir("TMPDIR", "/dev/shm");
    far.reset(new qwtest::TempDir);
    targets.push_back(far->File("placed.dat"));
  }
  const std::string source = Path("Download.part"), kept = Path("written.kept");
  WriteWholeFile(qwtest::OutsideFile(), qwtest::kOutsideBytes);
  const auto put_kind = [&](qwtest::NotAFile kind) { return [&, kind] { qwtest::MakeNotAFile(kind, source); }; };
  const struct Case {
    const char *name;
    std::function<void()> put;
  } cases[] = {
      {"a link to another file", put_kind(qwtest::NotAFile::kLinkToOutsideFile)},
      {"a link to the written file", [&] { ASSERT_EQ(symlink(kept.c_str(), source.c_str()), 0); }},
      {"another file", [&] { WriteWholeFile(source, "another"); }},
      {"a pipe", put_kind(qwtest::NotAFile::kFifo)},
      {"a link to a pipe", put_kind(qwtest::NotAFile::kLinkToFifo)},
      {"a socket", put_kind(qwtest::NotAFile::kSocket)},
      {"a folder", put_kind(qwtest::NotAFile::kFolder)},
  };
  const auto link_text = [](const std::string &path) {
    char text[4096];
    ssize_t length = readlink(path.c_str(), text, sizeof text);
    return length < 0 ? std::string() : std::string(text, size_t(length));
  };
  for (const std::string &target : targets) {
    SCOPED_TRACE(target);
    EngFileIdentity written;
    EngFile file;
    EXPECT_EQ(file.GetIdentity(&written), 0);
    ASSERT_EQ(file.CreateNewForWriting(source.c_str(), 0), 1);
    ASSERT_EQ(file.GetIdentity(&written), 1);
    ASSERT_EQ(file.Write("written", 7), 1);
    ASSERT_EQ(file.Close(), 1);
    // The written file waits aside, so that its inode is not given to what comes at its name.
    ASSERT_EQ(rename(source.c_str(), kept.c_str()), 0);
    for (const Case &c : cases) {
      SCOPED_TRACE(c.name);
      std::error_code ec;
      std::filesystem::remove_all(source, ec);
      c.put();
      struct stat before, after;
      ASSERT_EQ(lstat(source.c_str(), &before), 0);
      const std::string link_before = link_text(source);
      EXPECT_TRUE(qwtest::RunsWithoutWaitingOnPipe(
          source, [&] { EXPECT_EQ(EngFileMoveFile(source.c_str(), target.c_str(), &written), 0); }));
      EXPECT_EQ(EngFileNameIsTaken(target.c_str()), 0);
      ASSERT_EQ(lstat(source.c_str(), &after), 0);
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(after.st_mode, before.st_mode);
      EXPECT_EQ(link_text(source), link_before);
      if (S_ISREG(after.st_mode)) {
        EXPECT_EQ(ReadWholeFile(source), "another");
      }
      EXPECT_EQ(ReadWholeFile(qwtest::OutsideFile()), qwtest::kOutsideBytes);
      EXPECT_EQ(ReadWholeFile(kept), "written");
    }
    std::error_code ec;
    std::filesystem::remove_all(source, ec);
    ASSERT_EQ(rename(kept.c_str(), source.c_str()), 0);
    EXPECT_EQ(EngFileMoveFile(source.c_str(), target.c_str(), &written), 1);
    EXPECT_EQ(EngFileNameIsTaken(source.c_str()), 0);
    EXPECT_EQ(ReadWholeFile(target), "written");
  }
}

TEST_F(EngFileTest, RenameDirectory) {
  const std::string source = Path("old"), target = Path("new");
  ASSERT_EQ(mkdir(source.c_str(), 0777), 0);
  WriteWholeFile(source + "/inside", "x");
  EXPECT_EQ(EngFileRenameDirectory(source.c_str(), target.c_str()), 1);
  EXPECT_EQ(EngFileDirectoryExists(source.c_str()), 0);
  EXPECT_EQ(ReadWholeFile(target + "/inside"), "x");

  ASSERT_EQ(mkdir(source.c_str(), 0777), 0);
  EXPECT_EQ(EngFileRenameDirectory(source.c_str(), target.c_str()), 0);  // target exists
  EXPECT_EQ(ReadWholeFile(target + "/inside"), "x");
  EXPECT_EQ(EngFileRenameDirectory(Path("none").c_str(), Path("other").c_str()), 0);
  EXPECT_EQ(EngFileRenameDirectory(source.c_str(), Unreachable().c_str()), 0);
  EXPECT_EQ(EngFileDirectoryExists(source.c_str()), 1);
  EXPECT_EQ(EngFileRenameDirectory("", target.c_str()), 0);
}

TEST_F(EngFileTest, MoveToTrashUsesTheDataHomeTrash) {
  const std::string data_home = Path("data");
  ScopedEnvVar xdg("XDG_DATA_HOME", data_home.c_str());
  const std::string trashed = data_home + "/Trash/files/doomed.txt";

  WriteWholeFile(Path("doomed.txt"), "first");
  EXPECT_EQ(EngFileMoveToTrash(Path("doomed.txt").c_str()), 1);  // folders made on the way
  EXPECT_FALSE(FileExists(Path("doomed.txt")));
  EXPECT_EQ(ReadWholeFile(trashed), "first");
  struct stat status;
  ASSERT_EQ(stat((data_home + "/Trash").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);

  WriteWholeFile(Path("doomed.txt"), "second");
  EXPECT_EQ(EngFileMoveToTrash(Path("doomed.txt").c_str()), 1);  // replaces the older one
  EXPECT_EQ(ReadWholeFile(trashed), "second");

  EXPECT_EQ(EngFileMoveToTrash(Path("doomed.txt").c_str()), 0);
  EXPECT_EQ(EngFileMoveToTrash(""), 0);
  EXPECT_EQ(EngFileMoveToTrash(nullptr), 0);

  char buffer[512];
  EXPECT_EQ(EngFileGetTrashDirectory_MAC(buffer, sizeof buffer), 1);
  EXPECT_EQ(std::string(buffer), data_home + "/Trash/files");
  EXPECT_EQ(EngFileGetTrashDirectory_MAC(buffer, 8), 0);  // does not fit
  EXPECT_EQ(buffer[0], 0);
}

TEST_F(EngFileTest, TrashFolderFallsBackToHome) {
  ScopedEnvVar home("HOME", dir.Path().c_str());
  char buffer[512];
  for (const char *xdg : {static_cast<const char *>(nullptr), "", "relative/ignored"}) {
    ScopedEnvVar data_home("XDG_DATA_HOME", xdg);
    ASSERT_EQ(EngFileGetTrashDirectory_MAC(buffer, sizeof buffer), 1) << (xdg ? xdg : "(unset)");
    EXPECT_EQ(std::string(buffer), dir.Path() + "/.local/share/Trash/files");
  }
  EXPECT_EQ(EngFileDirectoryExists(buffer), 1);

  // The trash cannot be made where a file stands in the way.
  WriteWholeFile(Path("blocker"), "x");
  ScopedEnvVar blocked("XDG_DATA_HOME", Path("blocker").c_str());
  EXPECT_EQ(EngFileGetTrashDirectory_MAC(buffer, sizeof buffer), 0);
  WriteWholeFile(Path("keep.txt"), "x");
  EXPECT_EQ(EngFileMoveToTrash(Path("keep.txt").c_str()), 0);
  EXPECT_EQ(ReadWholeFile(Path("keep.txt")), "x");
}

}  // namespace
