// The built program, run as a user runs it.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "dialog/languages.h"
#include "tests/support/display_sockets.h"

namespace {

struct RunResult {
    int exitCode = -1;
    QByteArray out, err;
};

RunResult Cornerflow(const QStringList& args, const QProcessEnvironment* env = nullptr)
{
    QProcess p;
    if (env)
        p.setProcessEnvironment(*env);
    p.start(QStringLiteral(CORNERFLOW_BIN), args);
    RunResult r;
    if (!p.waitForStarted(-1))
        return r;
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitStatus() == QProcess::NormalExit)
        r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

TEST(Cornerflow, CalcPrintsOneJsonDocument)
{
    const RunResult r = Cornerflow({"--calc", "--probe", "100,100", "--probe", "600,180"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.constData();
    ASSERT_TRUE(doc.isObject());
    const QJsonObject state = doc.object()["state"].toObject();
    EXPECT_NEAR(state["fanEndAngle"].toDouble(), 0.310585, 0.5e-6);
    EXPECT_EQ(doc.object()["probes"].toArray().size(), 2);
    EXPECT_EQ(doc.object()["labels"].toObject()["beta"].toString(),
              QString::fromUtf8("\u03B2=135"));
}

TEST(Cornerflow, BadCommandLinesExitWithStatus2)
{
    const RunResult probe = Cornerflow({"--calc", "--probe", "12"});
    EXPECT_EQ(probe.exitCode, 2);
    EXPECT_TRUE(probe.out.isEmpty());
    EXPECT_EQ(probe.err.count('\n'), 1) << probe.err.constData();
    EXPECT_TRUE(probe.err.endsWith('\n'));
    EXPECT_TRUE(probe.err.contains("--probe")) << probe.err.constData();
    EXPECT_TRUE(probe.err.contains("'12'")) << probe.err.constData();

    const RunResult unknown = Cornerflow({"--frob"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err.count('\n'), 1);
    EXPECT_TRUE(unknown.err.contains("--frob")) << unknown.err.constData();

    const RunResult gas = Cornerflow({"--calc", "--gas", "neon"});
    EXPECT_EQ(gas.exitCode, 2);
    EXPECT_TRUE(gas.out.isEmpty());
    EXPECT_TRUE(gas.err.contains("air, n2, o2, he, ar, co2, h2o, ch4, h2")) << gas.err.constData();

    const RunResult missing = Cornerflow({"--calc", "--v1"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains("--v1")) << missing.err.constData();
    // A bad value is told in the words a link's beta=abc shows, in the language the window
    // would open in: --lang, else the one kept, else the system's (none here: Russian).
    QTemporaryDir home;
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    const RunResult beta = Cornerflow({"--beta", "abc"}, &env);
    EXPECT_EQ(beta.exitCode, 2);
    EXPECT_EQ(beta.err.toStdString(), "cornerflow: --beta: «abc» — не число\n");
    const RunResult english = Cornerflow({"--calc", "--beta=abc", "--lang", "en"}, &env);
    EXPECT_EQ(english.exitCode, 2);
    EXPECT_TRUE(english.out.isEmpty());
    EXPECT_EQ(english.err.toStdString(), "cornerflow: --beta: “abc” is not a number\n");
}

TEST(Cornerflow, HelpExplainsTheOptions)
{
    const RunResult r = Cornerflow({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("--calc"));
    EXPECT_TRUE(r.out.contains("--snapshot-window"));
    EXPECT_EQ(Cornerflow({"-h"}).out, r.out);
}

} // namespace

// Without a display the window says so in one line and how to work without one.
TEST(Cornerflow, WindowWithoutADesktopSaysSoInOneLine)
{
    QProcessEnvironment bare;
    bare.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    const RunResult r = Cornerflow({}, &bare);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.constData();
    EXPECT_TRUE(r.err.contains("desktop session")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("--calc") && r.err.contains("--snapshot")) << r.err.constData();
    // A language that the program does not speak is a bad command line; a lesson's start is a
    // good one, which needs the desktop as well.
    // A language that the program does not speak is refused with the codes it does speak.
    const RunResult unknown = Cornerflow({"--lang", "xx"}, &bare);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("ru, en, de")) << unknown.err.constData();
    EXPECT_EQ(Cornerflow({"--lang", "zh"}, &bare).exitCode, 1); // spoken: needs the desktop
    const RunResult lesson = Cornerflow({"--v1", "600", "--beta", "150", "--paused"}, &bare);
    EXPECT_EQ(lesson.exitCode, 1);
    EXPECT_TRUE(lesson.err.contains("desktop session")) << lesson.err.constData();
    EXPECT_EQ(Cornerflow({"--v1", "600", "--probe", "1,2"}, &bare).exitCode, 2);
}

// A display that does not answer (a server gone away, a socket file left behind) is no display:
// the window says so in its one line, and a snapshot is drawn without it, as with none.
TEST(Cornerflow, ADisplayThatDoesNotAnswerIsNoDisplay)
{
    display_sockets::Socket port;
    const int tcp = display_sockets::DeadTcpDisplay(port);
    ASSERT_GE(tcp, 0) << "no free port from 6150";
    display_sockets::LeftoverXSocket leftover;
    ASSERT_GE(leftover.Number(), 0) << "no socket could be made in /tmp/.X11-unix";
    QTemporaryDir runtime; // a session's XDG_RUNTIME_DIR, without which Qt warns
    ASSERT_TRUE(runtime.isValid());
    for (const QString& display :
         {QStringLiteral("localhost:%1").arg(tcp), QStringLiteral(":%1").arg(leftover.Number())}) {
        SCOPED_TRACE(display.toStdString());
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        const RunResult window = Cornerflow({}, &env);
        EXPECT_EQ(window.exitCode, 1);
        EXPECT_EQ(window.err.count('\n'), 1) << window.err.constData();
        EXPECT_TRUE(window.err.contains("desktop session")) << window.err.constData();

        const QString png = runtime.filePath(QStringLiteral("picture.png"));
        const RunResult snapshot = Cornerflow(
            {QStringLiteral("--snapshot"), png, QStringLiteral("--seed"), "1"}, &env);
        EXPECT_EQ(snapshot.exitCode, 0) << snapshot.err.constData();
        EXPECT_TRUE(snapshot.err.isEmpty()) << snapshot.err.constData();
        QFile file(png);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(8) == QByteArray("\x89PNG\r\n\x1a\n", 8));
        file.close();
        file.remove();
    }
}

// A normal start prints nothing: the window (closed after a while), the calculator and a
// snapshot, in a desktop session's environment (offscreen here), with settings of their own.
TEST(Cornerflow, NormalRunsPrintNothingOnStderr)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());

    QProcess window;
    window.setProcessEnvironment(env);
    window.start(QStringLiteral(CORNERFLOW_BIN), QStringList());
    ASSERT_TRUE(window.waitForStarted(-1));
    EXPECT_FALSE(window.waitForFinished(3000)) << "the window closed by itself";
    window.kill();
    window.waitForFinished(-1);
    const QByteArray windowErr = window.readAllStandardError();
    EXPECT_TRUE(windowErr.isEmpty()) << "the window printed: " << windowErr.constData();

    // Started on a lesson's state, from a launcher.
    QProcess lesson;
    lesson.setProcessEnvironment(env);
    lesson.start(QStringLiteral(CORNERFLOW_BIN),
                 {"--v1", "600", "--beta", "150", "--lang", "en", "--paused", "--ticks", "50"});
    ASSERT_TRUE(lesson.waitForStarted(-1));
    EXPECT_FALSE(lesson.waitForFinished(3000)) << "the window closed by itself";
    lesson.kill();
    lesson.waitForFinished(-1);
    const QByteArray lessonErr = lesson.readAllStandardError();
    EXPECT_TRUE(lessonErr.isEmpty()) << "the lesson's window printed: " << lessonErr.constData();

    const RunResult calc = Cornerflow({"--calc"}, &env);
    EXPECT_EQ(calc.exitCode, 0);
    EXPECT_TRUE(calc.err.isEmpty()) << "--calc printed: " << calc.err.constData();
    const RunResult snapshot = Cornerflow(
        {"--snapshot", home.filePath(QStringLiteral("p.png")), "--ticks", "20"}, &env);
    EXPECT_EQ(snapshot.exitCode, 0);
    EXPECT_TRUE(snapshot.err.isEmpty()) << "--snapshot printed: " << snapshot.err.constData();
}

// The window opens in --lang's language, else the one chosen last in the menu (the settings
// file), else the first of the system's languages the program speaks, else Russian.
TEST(Cornerflow, TheWindowsOpeningLanguage)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const auto opening = [&](const char* lang, const char* language, const char* asked,
                             const char* kept) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
        if (*language)
            env.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(language));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        QDir(home.path()).mkpath(QStringLiteral("Cornerflow"));
        QFile settings(home.filePath(QStringLiteral("Cornerflow/cornerflow.conf")));
        EXPECT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(QByteArray("[General]\nlanguage=") + kept + "\n");
        settings.close();
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LANGUAGE_PROBE), *asked ? QStringList{asked} : QStringList());
        p.waitForFinished(-1);
        return p.readAllStandardOutput().trimmed().toStdString();
    };
    // The system's languages, through the toolkit's reading of the environment.
    EXPECT_EQ(opening("de_DE.UTF-8", "", "", ""), "de");
    EXPECT_EQ(opening("es_ES.UTF-8", "", "", ""), "es");
    EXPECT_EQ(opening("zh_CN.UTF-8", "", "", ""), "zh");
    // A language the program does not speak: the first of these the table lacks.
    std::string unspoken, region;
    for (const auto& [code, where] : {std::pair<const char*, const char*>{"fr", "FR"},
                                      {"it", "IT"},
                                      {"pt", "PT"},
                                      {"nl", "NL"},
                                      {"pl", "PL"}})
        if (unspoken.empty() && !FindLanguage(code))
            unspoken = code, region = where;
    ASSERT_FALSE(unspoken.empty());
    EXPECT_EQ(opening("en_GB.UTF-8", (unspoken + ":es:en").c_str(), "", ""), "es")
        << "the first one it speaks";
    EXPECT_EQ(opening((unspoken + "_" + region + ".UTF-8").c_str(), "", "", ""), "ru")
        << "none it speaks";
    EXPECT_EQ(opening("C", "", "", ""), "ru");
    // The kept choice over the system's; a code the program lacks is passed over.
    EXPECT_EQ(opening("de_DE.UTF-8", "", "", "en"), "en");
    EXPECT_EQ(opening("de_DE.UTF-8", "", "", "xx"), "de");
    // --lang over both.
    EXPECT_EQ(opening("de_DE.UTF-8", "", "zh", "en"), "zh");
}
