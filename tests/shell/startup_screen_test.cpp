#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

// A binary PPM screenshot.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

Shot readPpm(const fs::path& path)
{
    Shot shot;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255)
        return Shot{};
    shot.rgb.resize(static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height) * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
    return shot;
}

pid_t spawn(const std::vector<std::string>& argv, const fs::path& directory, const std::vector<std::string>& env)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    std::filesystem::current_path(directory);
    for (const std::string& assignment : env)
        putenv(const_cast<char*>(assignment.c_str()));
    const std::string log = (directory / "output.log").string();
    std::freopen(log.c_str(), "a", stdout);
    std::freopen(log.c_str(), "a", stderr);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

// The real program on a virtual X display whose desktop is a gradient: after
// the start-up effect, everything but the program's own window is as before.
TEST(StartupScreenTest, theDesktopIsAsItWasAfterTheStartUpEffect)
{
    // The test programs are built one folder below the program.
    const char* given = std::getenv("TAMARO_BINARY_DIR");
    const fs::path binaryDir = given ? fs::path(given) : fs::read_symlink("/proc/self/exe").parent_path().parent_path();
    if (!fs::exists(binaryDir / "tamaro"))
        GTEST_SKIP() << "the program is not built";
    for (const char* tool : {"Xvfb", "xdotool", "import", "display", "convert"}) {
        if (!haveTool(tool))
            GTEST_SKIP() << tool << " is not installed";
    }
    const fs::path folder = fs::temp_directory_path() / ("tamaro-startup-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string display = ":" + std::to_string(200 + getpid() % 300);
    const std::string onDisplay = "DISPLAY=" + display + " ";

    const pid_t server =
        spawn({"Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"}, folder, {});
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        up = std::system((onDisplay + "xdotool getmouselocation >/dev/null 2>&1").c_str()) == 0;
    }
    ASSERT_TRUE(up) << "the virtual display did not start";
    const std::string in = "cd " + folder.string() + " && " + onDisplay;
    // A picture in a window of its own, which repaints itself when uncovered.
    std::system((in + "convert -size 1024x768 gradient:'#205080-#c0a040' pattern.png").c_str());
    const pid_t picture =
        spawn({"display", "-geometry", "+0+0", "-borderwidth", "0", "pattern.png"}, folder, {"DISPLAY=" + display});
    run(in + "timeout 20 xdotool search --sync --onlyvisible --name 'pattern.png'");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::system((in + "import -window root -depth 8 before.ppm").c_str());

    const pid_t program = spawn({(binaryDir / "tamaro").string()}, folder,
                                {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "SDL_AUDIODRIVER=dummy"});
    const std::string window = run(in + "timeout 20 xdotool search --sync --onlyvisible --name 'タマロ' | head -1");
    const Shot before = readPpm(folder / "before.ppm");
    ASSERT_EQ(before.width, 1024);

    // Pixels outside the program's frame (with a margin for the window
    // decoration) that differ from the desktop before the start.
    const auto differingOutsideWindow = [&]() -> int {
        const std::string geometry = run(in + "xdotool getwindowgeometry --shell " + window);
        int x = 0, y = 0, width = 0, height = 0;
        for (const char* key : {"X=", "Y=", "WIDTH=", "HEIGHT="}) {
            const auto at = geometry.find(key);
            if (at == std::string::npos)
                return -1;
            const int value = std::atoi(geometry.c_str() + at + std::string(key).size());
            (key[0] == 'X' ? x : key[0] == 'Y' ? y : key[0] == 'W' ? width : height) = value;
        }
        std::system((in + "import -window root -depth 8 after.ppm").c_str());
        const Shot after = readPpm(folder / "after.ppm");
        if (after.width != before.width || after.height != before.height)
            return -1;
        constexpr int margin = 40;
        int differing = 0;
        for (int py = 0; py < before.height; ++py) {
            for (int px = 0; px < before.width; ++px) {
                if (px >= x - margin && px < x + width + margin && py >= y - margin && py < y + height + margin)
                    continue;
                const std::size_t at = (static_cast<std::size_t>(py) * static_cast<std::size_t>(before.width)
                                        + static_cast<std::size_t>(px))
                                       * 3;
                if (before.rgb[at] != after.rgb[at] || before.rgb[at + 1] != after.rgb[at + 1]
                    || before.rgb[at + 2] != after.rgb[at + 2])
                    ++differing;
            }
        }
        return differing;
    };
    // The effect ends soon after the window shows; a loaded machine may take longer.
    int differing = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!window.empty() && differing != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        differing = differingOutsideWindow();
    }
    stop(program);
    stop(picture);
    stop(server);

    ASSERT_FALSE(window.empty()) << "the program's window never appeared";
    EXPECT_EQ(differing, 0);
    EXPECT_NE(before.rgb[0], before.rgb[before.rgb.size() - 3]) << "the desktop pattern was not set";
    // The screenshots stay behind when something differs, to be looked at.
    if (!HasFailure())
        fs::remove_all(folder);
}

} // namespace
