#include "core/game_state.h"

#include "core/random.h"

#include <ctime>

namespace {

// Stands in until the shell binds its window, so an early event cannot dereference null.
class UnboundPlatform final : public GamePlatform {
  public:
    void setTimer(int32_t, int32_t) override {}
    void killTimer(int32_t) override {}
    void repaintNow() override {}
    void openEvaluation() override {}
};

UnboundPlatform unboundPlatform;

} // namespace

int64_t GamePlatform::calendarSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

GameState gameState{};
KeyboardBox keyboardBox{};
GamePlatform* gamePlatform = &unboundPlatform;

void resetGameState() {
    gameState = GameState{};
    keyboardBox = KeyboardBox{};
    seedRandom(0);
    gamePlatform = &unboundPlatform;
}
