// The liveness explorer on the intact demo game: a long seeded random play from start-up
// that must never raise a message box, leave a state variable's range, get stuck or lose
// the way back to the title, and must reach every event, label, CG, ending and photo
// result. VELMORA_EXPLORE_SEED and VELMORA_EXPLORE_STEPS choose another run; a failure
// names the pair that replays it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

#include "explore/explorer.h"

namespace velmora::explore {
namespace {

// A run this long reaches the whole story; a shorter one (a replay of a failure, the
// sanitizer build's run) checks everything but the coverage.
constexpr int64_t kWholeStorySteps = 10000;
// The run ./check makes. Under the sanitizers every step costs many times more, so that
// build plays a shorter run; the ordinary build plays the long one.
#if defined(__SANITIZE_ADDRESS__)
constexpr int64_t kDefaultSteps = 1500;
#else
constexpr int64_t kDefaultSteps = kWholeStorySteps;
#endif
constexpr uint32_t kDefaultSeed = 16;

int64_t FromEnvironment(const char* name, int64_t fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  char* end = nullptr;
  const long long parsed = std::strtoll(value, &end, 10);
  if (*end != '\0' || parsed < 0) {
    ADD_FAILURE() << name << " is not a whole number: " << value;
    return fallback;
  }
  return parsed;
}

TEST(Explore, RandomPlayNeverBreaksAndReachesTheWholeStory) {
  const auto seed = static_cast<uint32_t>(FromEnvironment("VELMORA_EXPLORE_SEED", kDefaultSeed));
  const int64_t steps = FromEnvironment("VELMORA_EXPLORE_STEPS", kDefaultSteps);
  Explorer explorer(seed);
  const auto start = std::chrono::steady_clock::now();
  try {
    explorer.Run(steps);
  } catch (const ExploreFailure& failure) {
    FAIL() << failure.what() << "\ncovered so far:\n" << explorer.coverage().Report();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const Explorer::Figures& f = explorer.figures();
  std::cout << "seed " << seed << ": " << f.Steps << " steps in " << seconds << " s ("
            << static_cast<int64_t>(static_cast<double>(f.Steps) / seconds) << " steps/s), "
            << explorer.GameMilliseconds() / 60000 << " min of game time, " << f.StartUps << " start-ups, "
            << f.Sessions << " games, " << f.Endings << " ending screens, " << f.WaysBack
            << " ways back to the title, " << f.LivenessProbes << " resting positions probed for a live action, "
            << f.AboutBoxes << " about boxes; the whole story reached by step " << f.WholeStoryAt << "\n"
            << explorer.coverage().Report();
  if (steps >= kWholeStorySteps) {
    EXPECT_TRUE(explorer.coverage().Complete()) << explorer.coverage().Report();
  }
}

}  // namespace
}  // namespace velmora::explore
