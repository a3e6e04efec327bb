#include "tests/engine/well_fixture.h"

#include <algorithm>
#include <vector>

namespace {

// Plays the well as the game does: pieces enter, drop ticks, the player's
// commands, landings and rises, and game over with a new game after it.
// The choice of what happens next comes from its own generator, so the
// game's generator alone decides colours and risen blocks.
struct Player {
    Well& well;
    RoundStatus& status;
    Canvas& canvas;
    Random choices;
    std::int32_t riseStep = 0;
    std::int32_t target = 4;
    bool falling = false;
    int gamesOver = 0;
    double totalScore = 0;
    int patterns = 0;
    int bonusLandings = 0;
    int pushedOut = 0;

    void newGame()
    {
        well.resetWell(status);
        // The view blacks the well out at a new game.
        canvas.backBuffer.fillRect({177, 20, 177 + 280, 20 + 440}, platform::stock::blackBrush);
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
        target = draw(choices) % 10 < 7 ? lowestColumn() : 1 + draw(choices) % rowWidth;
        well.paintPiece();
        falling = true;
    }

    // The column with the most room, so that rows fill and get judged.
    std::int32_t lowestColumn()
    {
        std::int32_t best = 1 + draw(choices) % rowWidth;
        int bestDepth = -1;
        for (int i = 0; i < rowWidth; ++i) {
            const int column = 1 + (best - 1 + i) % rowWidth;
            int depth = 0;
            while (depth < bottomRow && cellAt(well.grid, column, depth + 1) == emptyCell)
                ++depth;
            if (depth > bestDepth) {
                bestDepth = depth;
                best = column;
            }
        }
        return best;
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
        const LandingResult landing = well.resolveLanding();
        patterns += landing.pattern != NoPattern;
        bonusLandings += landing.rowsRemoved > 1;
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
        if (well.riseRow() == RiseResult::PiecePushedOut) {
            ++pushedOut;
            gameOver();
        }
    }

    // One random event, mostly steering the piece to a chosen column; a
    // finished game is followed by a new one.
    void step()
    {
        if (!falling) {
            newGame();
            return;
        }
        const int roll = draw(choices) % 100;
        if (roll < 20)
            dropTick();
        else if (roll < 60 && well.pieceColumn != target)
            command(well.pieceColumn < target ? MoveCommand::Right : MoveCommand::Left);
        else if (roll < 68)
            command(roll % 2 ? MoveCommand::Left : MoveCommand::Right);
        else if (roll < 76)
            command(MoveCommand::Down);
        else if (roll < 90)
            command(MoveCommand::Drop);
        else if (roll < 99)
            command(static_cast<MoveCommand>(draw(choices) % 12 - 1));
        else
            rise();
    }
};

// Everything a replay must reproduce, after every step.
struct Outcome {
    std::vector<Grid> grids;
    std::vector<double> scores;
    std::vector<std::int32_t> stocks;
    std::vector<std::int32_t> colourBases;
    int gamesOver = 0;
};

} // namespace

TEST_F(WellTest, longRandomGamesKeepTheWellSoundAfterEveryStep)
{
    int patterns = 0;
    int bonusLandings = 0;
    int pushedOut = 0;
    for (std::uint32_t game = 0; game < 6; ++game) {
        seed(well.random, 1000 + game);
        Player player{well, status, canvas, {}};
        seed(player.choices, 77 + game);
        player.newGame();
        for (int i = 0; i < 1500; ++i) {
            player.step();
            ASSERT_TRUE(wellIsSound(well, canvas, player.falling)) << "game " << game << " step " << i;
            ASSERT_GE(status.stock, 0);
            ASSERT_LE(status.stock, maxStock);
            ASSERT_GE(well.colourBase, 1);
            ASSERT_LE(well.colourBase, lastPieceColour);
            ASSERT_GE(status.nextColour, 1);
            ASSERT_LE(status.nextColour, lastPieceColour);
        }
        EXPECT_GT(player.gamesOver, 0) << "game " << game;
        patterns += player.patterns;
        bonusLandings += player.bonusLandings;
        pushedOut += player.pushedOut;
    }
    // The run went through scoring landings, bonus rows and a piece pushed out by a rise.
    EXPECT_GT(patterns, 20);
    EXPECT_GT(bonusLandings, 0);
    EXPECT_GT(pushedOut, 0);
}

TEST_F(WellTest, aSeededGameReplaysExactly)
{
    const auto play = [&](std::uint32_t gameSeed) {
        seed(well.random, gameSeed);
        Player player{well, status, canvas, {}};
        seed(player.choices, 4242);
        player.newGame();
        Outcome outcome;
        for (int i = 0; i < 2000; ++i) {
            player.step();
            outcome.grids.push_back(well.grid);
            outcome.scores.push_back(status.score);
            outcome.stocks.push_back(status.stock);
            outcome.colourBases.push_back(well.colourBase);
        }
        outcome.gamesOver = player.gamesOver;
        return outcome;
    };
    const Outcome first = play(31337);
    const Outcome again = play(31337);
    const Outcome other = play(31338);
    EXPECT_GT(*std::max_element(first.scores.begin(), first.scores.end()), 0.0);
    EXPECT_GT(first.gamesOver, 0);
    EXPECT_TRUE(again.grids == first.grids);
    EXPECT_EQ(again.scores, first.scores);
    EXPECT_EQ(again.stocks, first.stocks);
    EXPECT_EQ(again.colourBases, first.colourBases);
    EXPECT_EQ(again.gamesOver, first.gamesOver);
    EXPECT_FALSE(other.grids == first.grids);
}
