#include "mainwindow/SignalCloser.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <csignal>
#include <memory>

namespace lectora {
namespace {

class SignalCloserTest : public testing::TestWithParam<int> {};

TEST_P(SignalCloserTest, ASignalArrivesAsCloseRequestedOnTheLoop) {
  TSignalCloser closer;
  ASSERT_TRUE(closer.Installed());
  QSignalSpy requested(&closer, &TSignalCloser::CloseRequested);
  ASSERT_EQ(std::raise(GetParam()), 0);
  // The handler only wrote to the pipe: nothing is reported before the loop
  // runs.
  EXPECT_EQ(requested.count(), 0);
  ASSERT_TRUE(requested.wait(2000));
  ASSERT_EQ(requested.count(), 1);
  EXPECT_EQ(requested.at(0).at(0).toInt(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, SignalCloserTest, testing::Values(SIGTERM, SIGINT));

TEST(SignalCloser, EverySignalIsReportedEvenWhenSeveralArriveAtOnce) {
  TSignalCloser closer;
  ASSERT_TRUE(closer.Installed());
  QSignalSpy requested(&closer, &TSignalCloser::CloseRequested);
  std::raise(SIGTERM);
  std::raise(SIGINT);
  std::raise(SIGTERM);
  while (requested.count() < 3 && requested.wait(2000)) {
  }
  ASSERT_EQ(requested.count(), 3);
  EXPECT_EQ(requested.at(0).at(0).toInt(), SIGTERM);
  EXPECT_EQ(requested.at(1).at(0).toInt(), SIGINT);
  EXPECT_EQ(requested.at(2).at(0).toInt(), SIGTERM);
}

TEST(SignalCloser, OnlyOneCloserAtATime) {
  auto first = std::make_unique<TSignalCloser>();
  ASSERT_TRUE(first->Installed());
  TSignalCloser second;
  EXPECT_FALSE(second.Installed());
  QSignalSpy silent(&second, &TSignalCloser::CloseRequested);
  QSignalSpy heard(first.get(), &TSignalCloser::CloseRequested);
  std::raise(SIGTERM);
  ASSERT_TRUE(heard.wait(2000));
  EXPECT_EQ(silent.count(), 0);
  first.reset();
  TSignalCloser third;
  EXPECT_TRUE(third.Installed());
}

volatile sig_atomic_t previousHandlerCalls = 0;
void PreviousHandler(int) { previousHandlerCalls = previousHandlerCalls + 1; }

TEST(SignalCloser, TheFormerHandlersComeBackWhenItIsDestroyed) {
  previousHandlerCalls = 0;
  struct sigaction mine {};
  mine.sa_handler = PreviousHandler;
  sigemptyset(&mine.sa_mask);
  struct sigaction savedTerm {};
  struct sigaction savedInt {};
  ASSERT_EQ(sigaction(SIGTERM, &mine, &savedTerm), 0);
  ASSERT_EQ(sigaction(SIGINT, &mine, &savedInt), 0);
  {
    TSignalCloser closer;
    ASSERT_TRUE(closer.Installed());
    std::raise(SIGTERM);
    EXPECT_EQ(previousHandlerCalls, 0);
  }
  std::raise(SIGTERM);
  std::raise(SIGINT);
  EXPECT_EQ(previousHandlerCalls, 2);
  sigaction(SIGTERM, &savedTerm, nullptr);
  sigaction(SIGINT, &savedInt, nullptr);
}

}  // namespace
}  // namespace lectora
