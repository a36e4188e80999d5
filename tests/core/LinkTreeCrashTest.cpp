// Saving the link tree when the write breaks off after N bytes, for every N
// up to the size of the new file: the file afterwards holds the old tree or
// the new one, never a mix. The write is broken off by the kernel in a
// child process whose file-size limit is N bytes: either the process is
// killed in the middle of the write (SIGXFSZ, as by a crash) or, with the
// signal ignored, the write fails and must be reported.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/LectoraError.h"
#include "store/LinkTreeFile.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

constexpr int kWritten = 0;
constexpr int kReported = 3;
constexpr int kOtherError = 4;

// Runs the save in a child limited to `limit` bytes per file; returns the
// child's wait status.
int SaveInChild(const std::string& file, const std::vector<TLinkTreeNode>& nodes, rlim_t limit,
                bool ignoreSignal) {
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
    const rlimit size{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &size);
    try {
      WriteLinkTreeFile(file, nodes);
    } catch (const LectoraError&) {
      ::_exit(kReported);
    } catch (...) {
      ::_exit(kOtherError);
    }
    ::_exit(kWritten);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return status;
}

std::vector<TLinkTreeNode> NewTree() {
  std::vector<TLinkTreeNode> nodes;
  for (int i = 0; i < 5; ++i) {
    nodes.push_back({1, "Папка " + std::to_string(i), ""});
    nodes.push_back({2, "Link " + std::to_string(i), "https://example.org/" + std::to_string(i)});
  }
  return nodes;
}

int TemporaryFilesIn(const std::string& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".tmp-") != std::string::npos) ++count;
  }
  return count;
}

class LinkTreeCrashTest : public ::testing::TestWithParam<bool> {};

TEST_P(LinkTreeCrashTest, TheFileHoldsTheOldOrTheNewTreeForEveryBreakOff) {
  const bool ignoreSignal = GetParam();
  const std::vector<TLinkTreeNode> nodes = NewTree();
  const std::string newBytes = FormatLinkTree(nodes);
  const std::string oldBytes = "Old|\r\n\tKept|/home/user/old.pdf\r\n";
  int interrupted = 0;
  for (rlim_t limit = 0; limit <= newBytes.size(); ++limit) {
    test::TempDir dir;
    const std::string file = dir.File("LinkTree.txt");
    test::WriteFile(file, oldBytes);
    const int status = SaveInChild(file, nodes, limit, ignoreSignal);
    const std::string after = test::ReadFile(file);
    ASSERT_TRUE(after == oldBytes || after == newBytes) << "limit " << limit;
    if (limit == newBytes.size()) {
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kWritten);
      EXPECT_EQ(after, newBytes);
      continue;
    }
    EXPECT_EQ(after, oldBytes) << "limit " << limit;
    if (ignoreSignal) {
      // A write that fails is reported and cleans up after itself.
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kReported) << "limit " << limit;
      EXPECT_EQ(TemporaryFilesIn(dir.Path()), 0);
    } else {
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "limit " << limit;
    }
    ++interrupted;
  }
  EXPECT_EQ(interrupted, static_cast<int>(newBytes.size()));
}

INSTANTIATE_TEST_SUITE_P(KilledOrFailed, LinkTreeCrashTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WriteFails" : "Killed"; });

}  // namespace
}  // namespace lectora
