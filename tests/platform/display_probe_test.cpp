// Whether a display answers, asked of real sockets: a listening one answers; a port or socket
// file with nothing behind it, and names that are no display, do not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/display_probe.h"
#include "tests/support/display_sockets.h"

using display_sockets::Socket;

TEST(DisplayProbe, AnXDisplayOverTcpAnswersOnlyWhileItListens)
{
    Socket server;
    const int n = display_sockets::DeadTcpDisplay(server);
    ASSERT_GE(n, 0) << "no free port from 6150";
    const std::string number = std::to_string(n);
    EXPECT_FALSE(XDisplayAnswers("localhost:" + number, 500)) << "bound, not listening";
    server.Close();
    ASSERT_TRUE(server.BindTcp(6000 + n, true));
    for (const std::string& name : {"localhost:" + number, "127.0.0.1:" + number + ".0",
                                    "tcp/localhost:" + number, "[127.0.0.1]:" + number})
        EXPECT_TRUE(XDisplayAnswers(name, 500)) << name;
    server.Close();
    EXPECT_FALSE(XDisplayAnswers("localhost:" + number, 500)) << "closed";
}

TEST(DisplayProbe, ALocalXDisplayAnswersOnlyWhileItsSocketListens)
{
    display_sockets::LeftoverXSocket leftover;
    ASSERT_GE(leftover.Number(), 0) << "no socket could be made in /tmp/.X11-unix";
    const std::string number = std::to_string(leftover.Number());
    for (const std::string& name : {":" + number, ":" + number + ".0", "unix:" + number})
        EXPECT_FALSE(XDisplayAnswers(name, 500)) << name << ": a socket file left behind";

    // A server listening on the file, and one listening only in the abstract namespace.
    ::unlink(leftover.Path().c_str());
    {
        Socket file;
        ASSERT_TRUE(file.BindUnix(leftover.Path(), true));
        EXPECT_TRUE(XDisplayAnswers(":" + number, 500));
        EXPECT_TRUE(XDisplayAnswers("unix:" + number + ".1", 500));
    }
    ::unlink(leftover.Path().c_str());
    {
        Socket abstract;
        ASSERT_TRUE(abstract.BindUnix(leftover.Path(), true, true));
        EXPECT_TRUE(XDisplayAnswers(":" + number, 500));
    }
    EXPECT_FALSE(XDisplayAnswers(":" + number, 500)) << "gone";
}

TEST(DisplayProbe, AWaylandDisplayAnswersOnlyWhileItsSocketListens)
{
    char dir[] = "/tmp/cornerflow-wayland-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string runtime = dir;
    EXPECT_FALSE(WaylandDisplayAnswers("wayland-7", runtime)) << "no socket";
    {
        Socket compositor;
        ASSERT_TRUE(compositor.BindUnix(runtime + "/wayland-7", true));
        EXPECT_TRUE(WaylandDisplayAnswers("wayland-7", runtime));
        EXPECT_TRUE(WaylandDisplayAnswers(runtime + "/wayland-7", ""));
        EXPECT_FALSE(WaylandDisplayAnswers("wayland-7", "")) << "a name needs XDG_RUNTIME_DIR";
    }
    EXPECT_FALSE(WaylandDisplayAnswers("wayland-7", runtime)) << "a socket file left behind";
    ::unlink((runtime + "/wayland-7").c_str());
    ::rmdir(dir);
}

TEST(DisplayProbe, NamesThatAreNoDisplayDoNotAnswer)
{
    for (const char* name :
         {"", ":", "host", ":x", ":1x", "localhost:", ":99999999", ":-1", "localhost:70000"})
        EXPECT_FALSE(XDisplayAnswers(name, 200)) << name;
    EXPECT_FALSE(WaylandDisplayAnswers("", "/tmp"));
}

TEST(DisplayProbe, TheEnvironmentNamesTheDisplaysAndAChosenPlatformIsTakenAsItIs)
{
    // Each variable as the program would see it; restored afterwards.
    const char* names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"};
    std::string saved[4];
    bool had[4];
    for (int i = 0; i < 4; ++i) {
        const char* v = std::getenv(names[i]);
        had[i] = v != nullptr;
        saved[i] = v ? v : "";
        ::unsetenv(names[i]);
    }
    Socket x;
    const int n = display_sockets::DeadTcpDisplay(x);
    ASSERT_GE(n, 0);
    const std::string dead = "localhost:" + std::to_string(n);

    EXPECT_FALSE(DesktopSessionAnswers()) << "nothing set";
    ::setenv("DISPLAY", dead.c_str(), 1);
    ::setenv("WAYLAND_DISPLAY", "wayland-cornerflow-none", 1);
    ::setenv("XDG_RUNTIME_DIR", "/tmp", 1);
    EXPECT_FALSE(DesktopSessionAnswers()) << "neither answers";
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_TRUE(DesktopSessionAnswers()) << "the user's platform";
    ::setenv("QT_QPA_PLATFORM", "", 1);
    EXPECT_FALSE(DesktopSessionAnswers()) << "an empty platform counts as none";
    x.Close();
    ASSERT_TRUE(x.BindTcp(6000 + n, true));
    EXPECT_TRUE(DesktopSessionAnswers()) << "the X display answers";

    for (int i = 0; i < 4; ++i) {
        if (had[i])
            ::setenv(names[i], saved[i].c_str(), 1);
        else
            ::unsetenv(names[i]);
    }
}
