#include "app/snapshot_support.h"

#include <chrono>
#include <cstdio>

#include <QByteArray>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include "platform/display_probe.h"

uint32_t TickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void UseOffscreenWithoutDisplay()
{
    // An empty QT_QPA_PLATFORM counts as unset. Without a display that answers (none set, one
    // gone away, a socket left behind) Qt would try it and abort.
    if (!DesktopSessionAnswers())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool WritePng(const QImage& image, const std::string& path, QString* error)
{
    QSaveFile file(QString::fromStdString(path));
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = image.save(&file, "PNG");
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written && error) {
        *error = file.errorString();
        if (error->isEmpty())
            *error = QStringLiteral("write failed");
    }
    return written;
}

int SavePng(const QImage& image, const std::string& path)
{
    QString reason;
    if (WritePng(image, path, &reason))
        return 0;
    std::fprintf(stderr, "cornerflow: cannot write '%s': %s\n", path.c_str(),
                 reason.toUtf8().constData());
    return 1;
}
