// cf_frame_digest [DIR]: renders the fixed-seed states of tests/perf_identity with the labels
// drawn (offscreen platform), prints one line per state (name, frame digest, state digest)
// and, given DIR, writes each frame there as NAME.png. Run it before and after a change to
// the drawing or the tracers: every line must stay the same.
#include <cinttypes>
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "tests/perf_identity/identity_scenarios.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    for (const identity::Scenario& s : identity::Scenarios()) {
        QImage frame;
        const identity::Outcome o = identity::Run(s, &frame);
        std::printf("%-18s frame %016" PRIx64 " state %016" PRIx64 "\n", s.name.c_str(), o.frame,
                    o.state);
        if (!dir.isEmpty())
            frame.save(dir + QLatin1Char('/') + QString::fromStdString(s.name) + ".png", "PNG");
    }
    return 0;
}
