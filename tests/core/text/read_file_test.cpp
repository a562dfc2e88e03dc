// Reading through text/read_file.h: reads interrupted by a signal go on,
// windows at an offset are read whole, failures keep errno.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "core/corpus/temp_folder.h"
#include "text/read_file.h"

namespace lexvane::text {
namespace {

using corpus::testing::TempFolder;
using corpus::testing::writeBytes;

std::atomic<int> signalsSeen{0};
void countSignal(int) {
  ++signalsSeen;
}

// A handler installed without SA_RESTART, so that a signal makes a blocked
// read fail with EINTR; the old handler comes back at the end.
class InterruptingSignal {
 public:
  InterruptingSignal() {
    struct sigaction action {};
    action.sa_handler = countSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    ::sigaction(SIGUSR1, &action, &old_);
  }
  ~InterruptingSignal() { ::sigaction(SIGUSR1, &old_, nullptr); }

 private:
  struct sigaction old_ {};
};

TEST(ReadSome, ASignalDuringAReadDoesNotEndIt) {
  InterruptingSignal handler;
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  signalsSeen = 0;
  char buffer[16];
  std::int64_t got = -2;
  int error = 0;
  std::thread reader([&] {
    got = ReadSome(pipeEnds[0], buffer, sizeof buffer);
    error = errno;
  });
  // The reader waits for data meanwhile; each signal interrupts its read.
  for (int i = 0; i < 10; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::pthread_kill(reader.native_handle(), SIGUSR1);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(::write(pipeEnds[1], "abc", 3), 3);
  reader.join();
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  EXPECT_GT(signalsSeen.load(), 0);
  ASSERT_EQ(got, 3) << "errno " << error;
  EXPECT_EQ(std::string(buffer, 3), "abc");
}

TEST(ReadFullyAt, ReadsTheWindowOrWhatIsLeftAndLeavesThePosition) {
  TempFolder folder;
  writeBytes(folder / "a.txt", "0123456789");
  const int fd = ::open((folder / "a.txt").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  char window[8];
  EXPECT_EQ(ReadFullyAt(fd, window, 4, 3), 4);
  EXPECT_EQ(std::string(window, 4), "3456");
  EXPECT_EQ(ReadFullyAt(fd, window, 8, 6), 4);  // the file ends first
  EXPECT_EQ(std::string(window, 4), "6789");
  EXPECT_EQ(ReadFullyAt(fd, window, 8, 50), 0);
  // The file position is where it was.
  EXPECT_EQ(ReadSome(fd, window, 2), 2);
  EXPECT_EQ(std::string(window, 2), "01");
  EXPECT_EQ(ReadSomeAt(fd, window, 2, 8), 2);
  EXPECT_EQ(std::string(window, 2), "89");
  ::close(fd);
}

TEST(ReadFullyAt, AFailedReadKeepsErrnoForTheMessage) {
  TempFolder folder;
  const int fd = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  char window[8];
  errno = 0;
  EXPECT_EQ(ReadFullyAt(fd, window, 8, 0), -1);
  EXPECT_EQ(FileErrorMessage("dir", errno), "dir: Is a directory");
  EXPECT_EQ(ReadSome(fd, window, 8), -1);
  EXPECT_EQ(errno, EISDIR);
  ::close(fd);
}

}  // namespace
}  // namespace lexvane::text
