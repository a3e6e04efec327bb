#include "tests/engine/well_fixture.h"

#include <vector>

namespace {

// Plays the well as the game does: pieces enter, drop ticks, the player's
// commands, landings and rises, and game over with a new game after it.
// The choice of what happens next comes from its own generator, so the
// game's generator alone decides colours and risen blocks.
struct Player {
    Well& well;
    RoundStatus& status;
    Random choices;
    std::int32_t riseStep = 0;
    bool falling = false;
    int gamesOver = 0;
    double totalScore = 0;

    void newGame()
    {
        well.resetWell(status);
        riseStep = 0;
        enterPiece();
    }

    void enterPiece()
    {
        well.spawnPiece();
        if (well.spawnBlocked()) {
            gameOver();
            return;
        }
        well.probeHint();
        well.paintPiece();
        falling = true;
    }

    void gameOver()
    {
        well.gameOverFill();
        totalScore += status.score;
        ++gamesOver;
        falling = false;
    }

    void land()
    {
        falling = false;
        well.resolveLanding();
        enterPiece();
    }

    void dropTick()
    {
        if (well.isBlocked(MoveCommand::Down) == emptyCell) {
            well.erasePiece();
            well.movePiece(MoveCommand::Down);
            well.paintPiece();
            return;
        }
        land();
    }

    void command(MoveCommand command)
    {
        if (well.isBlocked(command) == emptyCell) {
            well.erasePiece();
            well.movePiece(command);
            well.paintPiece();
            well.landingBounce();
            if (command != MoveCommand::Drop)
                return;
        }
        if (command == MoveCommand::Down || command == MoveCommand::Drop)
            land();
    }

    void rise()
    {
        loadRiseStage(status, riseStep);
        if (well.riseRow() == RiseResult::PiecePushedOut)
            gameOver();
    }

    // One random event; a finished game is followed by a new one.
    void step()
    {
        if (!falling) {
            newGame();
            return;
        }
        const int roll = draw(choices) % 100;
        if (roll < 30)
            dropTick();
        else if (roll < 45)
            command(MoveCommand::Left);
        else if (roll < 60)
            command(MoveCommand::Right);
        else if (roll < 72)
            command(MoveCommand::Down);
        else if (roll < 84)
            command(MoveCommand::Drop);
        else if (roll < 88)
            command(static_cast<MoveCommand>(draw(choices) % 12 - 1));
        else
            rise();
    }
};

struct Outcome {
    Grid grid{};
    RoundStatus status;
    std::int32_t colourBase = 0;
    double totalScore = 0;
    int gamesOver = 0;
};

} // namespace

TEST_F(WellTest, longRandomGamesKeepTheWellSoundAfterEveryStep)
{
    for (std::uint32_t game = 0; game < 6; ++game) {
        seed(gameRandom(), 1000 + game);
        Player player{well, status, {}};
        seed(player.choices, 77 + game);
        player.newGame();
        for (int i = 0; i < 1500; ++i) {
            player.step();
            ASSERT_TRUE(wellIsSound(well, player.falling)) << "game " << game << " step " << i;
            ASSERT_GE(status.stock, 0);
            ASSERT_LE(status.stock, maxStock);
            ASSERT_GE(well.colourBase, 1);
            ASSERT_LE(well.colourBase, lastPieceColour);
            ASSERT_GE(status.nextColour, 1);
            ASSERT_LE(status.nextColour, lastPieceColour);
        }
        EXPECT_GT(player.gamesOver, 0) << "game " << game;
        EXPECT_GT(player.totalScore + status.score, 0.0) << "game " << game;
    }
}

TEST_F(WellTest, aSeededGameReplaysExactly)
{
    const auto play = [&](std::uint32_t gameSeed) {
        seed(gameRandom(), gameSeed);
        Player player{well, status, {}};
        seed(player.choices, 4242);
        player.newGame();
        for (int i = 0; i < 2000; ++i)
            player.step();
        return Outcome{well.grid, status, well.colourBase, player.totalScore, player.gamesOver};
    };
    const Outcome first = play(31337);
    const Outcome again = play(31337);
    const Outcome other = play(31338);
    EXPECT_GT(first.totalScore, 0.0);
    EXPECT_GT(first.gamesOver, 0);
    EXPECT_EQ(again.grid, first.grid);
    EXPECT_EQ(again.status.score, first.status.score);
    EXPECT_EQ(again.status.rowsCleared, first.status.rowsCleared);
    EXPECT_EQ(again.status.stock, first.status.stock);
    EXPECT_EQ(again.colourBase, first.colourBase);
    EXPECT_EQ(again.totalScore, first.totalScore);
    EXPECT_EQ(again.gamesOver, first.gamesOver);
    EXPECT_NE(other.grid, first.grid);
}
