#pragma once

#include "core/grid.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "resources/menu.h"
#include "shell/main_window.h"
#include "core/random.h"
#include "tests/test_main.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include <unistd.h>

// The real main window, built and driven through its window procedure, in a
// scratch working folder so that no data file of a developer is touched.
class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("tamaro-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        platform::Clock::instance().simulate(1765432100);
        platform::Clock::instance().clearPauses();
        prepareFolder();
        window.create(windowTitle, mainMenu, "TM_ICON");
    }
    // Runs in the scratch folder before the window is made.
    virtual void prepareFolder() {}
    void TearDown() override
    {
        if (!window.destroyed())
            window.destroy();
        // Destroying the window asks the event loop to end. Outside a running
        // loop Qt keeps that request and ends the next loop to start, the
        // next test's first modal dialog: take it in a loop of this test's own.
        platform::Application::runSoon([this] { window.postQuit(0); });
        testApplication().exec();
        program.game.reset();
        platform::Clock::instance().useRealTime();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    void send(platform::MessageKind kind, std::uint32_t wParam, std::int32_t lParam = 0)
    {
        window.send(platform::Message{kind, wParam, lParam, {}});
    }
    void command(int id) { send(platform::MessageKind::Command, static_cast<std::uint32_t>(id)); }
    void timer(int id) { send(platform::MessageKind::Timer, static_cast<std::uint32_t>(id)); }
    void key(std::uint32_t vk) { send(platform::MessageKind::KeyDown, vk); }
    void character(char c) { send(platform::MessageKind::Char, static_cast<unsigned char>(c)); }

    // Starts a game whose pieces come from a known generator state.
    void startGame(std::uint32_t seedValue = 7)
    {
        seed(game().well.random, seedValue);
        command(command::Start);
    }

    Game& game() { return *program.game; }
    Options& options() { return program.options; }
    std::int32_t cell(int column, int row) { return cellAt(game().well.grid, column, row); }

    std::filesystem::path folder;
    std::filesystem::path previous;
    Program program;
    platform::Window window{procedureFor(program)};
};
