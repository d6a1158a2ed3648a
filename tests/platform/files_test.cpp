#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/logging.h"
#include "platform/services.h"
#include "support/temp_dir.h"

class Files : public ::testing::Test {
 protected:
  void SetUp() override { SetDataFolder(""); }
  void TearDown() override { SetDataFolder(""); }
  TempDir dir;
};

TEST_F(Files, OpenModes) {
  const std::string path = dir / "a.txt";
  EXPECT_EQ(OpenFile(path, 1, 0), nullptr) << "reading needs an existing file";
  EXPECT_EQ(OpenFile(path, 1, 1), nullptr) << "read-write needs an existing file";
  EXPECT_EQ(OpenFile(path, 0, 0), nullptr);
  EXPECT_EQ(OpenFile(dir.path(), 1, 0), nullptr) << "a folder is not a file";

  File* w = OpenFile(path, 0, 1);
  ASSERT_NE(w, nullptr);
  WriteTextLine(w, "hello");
  CloseFile(w);
  EXPECT_EQ(ReadFileBytes(path), "hello\r\n");

  File* rw = OpenFile(path, 1, 1);
  ASSERT_NE(rw, nullptr);
  EXPECT_EQ(PositionOf(rw), 0);
  EXPECT_EQ(SizeOf(rw), 7);
  EXPECT_EQ(ReadByteFrom(rw), 'h');
  SeekTo(rw, SizeOf(rw));
  WriteTextLine(rw, "x");
  CloseFile(rw);
  EXPECT_EQ(ReadFileBytes(path), "hello\r\nx\r\n");

  File* r = OpenFile(path, 1, 0);
  ASSERT_NE(r, nullptr);
  std::string read;
  while (!AtEndOf(r)) read += static_cast<char>(ReadByteFrom(r));
  EXPECT_EQ(read, "hello\r\nx\r\n");
  EXPECT_EQ(ReadByteFrom(r), 0) << "past the end";
  CloseFile(r);

  // Writable alone truncates.
  CloseFile(OpenFile(path, 0, 1));
  EXPECT_EQ(FileSizeOf(path), 0);
}

TEST_F(Files, ReadingWithStepsBackAndSeeksAcrossALargeFile) {
  // Larger than the read-ahead window, so reads, steps back and seeks cross
  // its edges; every byte value occurs.
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes.push_back(static_cast<char>((i * 7 + i / 251) & 0xFF));
  WriteFileBytes(dir / "big.bin", bytes);
  File* f = OpenFile(dir / "big.bin", 1, 0);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(SizeOf(f), 200000);
  std::string read;
  while (!AtEndOf(f)) {
    int c = ReadByteFrom(f);
    // Step back and read again, as the data-file reader puts bytes back.
    SeekTo(f, PositionOf(f) - 1);
    ASSERT_EQ(ReadByteFrom(f), c) << "at " << PositionOf(f);
    read.push_back(static_cast<char>(c));
  }
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(PositionOf(f), 200000);
  for (long long at : {65535LL, 65536LL, 131071LL, 3LL, 199999LL}) {
    EXPECT_EQ(SeekTo(f, at), at);
    EXPECT_EQ(ReadByteFrom(f), static_cast<unsigned char>(bytes[at])) << "at " << at;
  }
  EXPECT_EQ(SeekTo(f, 250000), 250000) << "a seek may pass the end";
  EXPECT_EQ(AtEndOf(f), 1);
  EXPECT_EQ(ReadByteFrom(f), 0);
  EXPECT_EQ(SeekTo(f, -5), 0);
  EXPECT_EQ(ReadByteFrom(f), static_cast<unsigned char>(bytes[0]));
  CloseFile(f);
}

TEST_F(Files, EightBitBytesAndBackslashes) {
  ASSERT_EQ(CreateFolder(dir / "Data", 0), 1);
  SetDataFolder(dir.path());
  File* f = OpenFile("Data\\bytes.txt", 0, 1);
  ASSERT_NE(f, nullptr);
  WriteTextLine(f, std::string("caf\xE9 \xA7\xFF", 7));
  CloseFile(f);
  EXPECT_EQ(ReadFileBytes(dir / "Data/bytes.txt"), std::string("caf\xE9 \xA7\xFF\r\n", 9));
  EXPECT_EQ(FileTypeOf("Data\\bytes.txt"), 1);
  EXPECT_EQ(ResolvePath("/abs\\x"), "/abs/x") << "absolute paths stay";
}

TEST_F(Files, TypesSizesFoldersAndDeletion) {
  EXPECT_EQ(FileTypeOf(dir / "none"), 0);
  EXPECT_EQ(FileTypeOf(dir.path()), 2);
  EXPECT_EQ(FileSizeOf(dir / "none"), -1);
  EXPECT_EQ(FileSizeOf(dir.path()), -1) << "a folder has no file size";

  EXPECT_EQ(CreateEmptyFile(dir / "e"), 1);
  EXPECT_EQ(FileSizeOf(dir / "e"), 0);
  EXPECT_EQ(CreateEmptyFile(dir / "missing/e"), 0);

  EXPECT_EQ(CreateFolder(dir / "a/b/c", 0), 0) << "one level only";
  EXPECT_EQ(CreateFolder(dir / "a/b/c", 1), 1);
  EXPECT_EQ(CreateFolder(dir / "a/b/c", 0), 1) << "an existing folder counts";
  EXPECT_EQ(CreateFolder(dir / "e", 0), 0) << "a file is in the way";

  EXPECT_EQ(DeleteFile(dir / "e"), 1);
  EXPECT_EQ(FileTypeOf(dir / "e"), 0);
  EXPECT_EQ(DeleteFile(dir / "e"), 1) << "already gone";
  EXPECT_EQ(DeleteFile(dir / "a"), 0) << "folders are not deleted";
}

TEST_F(Files, FolderListingIsSortedWithoutDots) {
  for (const char* n : {"b.usr", "a.usr", "c"}) WriteFileBytes(dir / n, "x");
  CreateFolder(dir / "sub", 0);
  FolderListing* l = OpenFolderListing(dir.path());
  ASSERT_NE(l, nullptr);
  std::vector<std::string> names;
  for (std::string n = NextFolderEntry(l); !n.empty(); n = NextFolderEntry(l)) names.push_back(n);
  CloseFolderListing(l);
  EXPECT_EQ(names, (std::vector<std::string>{"a.usr", "b.usr", "c", "sub"}));
  EXPECT_EQ(OpenFolderListing(dir / "none"), nullptr);
  EXPECT_EQ(NextFolderEntry(nullptr), "");
}

TEST_F(Files, NullFilesAreHarmless) {
  EXPECT_EQ(ReadByteFrom(nullptr), 0);
  EXPECT_EQ(AtEndOf(nullptr), 1);
  WriteTextLine(nullptr, "x");
  CloseFile(nullptr);
}

TEST_F(Files, DateAndTimeFormats) {
  std::string date = CurrentDateText();
  std::string time = CurrentTimeText();
  ASSERT_EQ(date.size(), 11u) << date;  // "10 Dec 2026"
  EXPECT_EQ(date[2], ' ');
  EXPECT_EQ(date[6], ' ');
  ASSERT_EQ(time.size(), 8u) << time;  // "15:04:59"
  EXPECT_EQ(time[2], ':');
  EXPECT_EQ(time[5], ':');
}

TEST_F(Files, LogLinesAreAppendedWithCrLf) {
  const std::string log = dir / "Fleecewick.log";
  Logging::AppendLog("# first", log);
  Logging::AppendLog(std::string("# \xE9t\xE9", 5), log);
  EXPECT_EQ(ReadFileBytes(log), std::string("# first\r\n# \xE9t\xE9\r\n", 16));
  Logging::ClearLog(log);
  EXPECT_EQ(FileTypeOf(log), 0);
  Logging::ClearLog(log);  // a missing log is no error
  Logging::AppendLog("# again", log);
  EXPECT_EQ(ReadFileBytes(log), "# again\r\n");
}

TEST_F(Files, LogInAFolderThatCannotBeMadeIsSkippedSilently) {
  WriteFileBytes(dir / "Fleecewick", "a file where the folder should be");
  const std::string log = dir / "Fleecewick/Fleecewick.log";
  Logging::AppendLog("# lost", log);
  EXPECT_EQ(FileTypeOf(log), 0);
  Logging::AppendLog("# lost", "");
}
