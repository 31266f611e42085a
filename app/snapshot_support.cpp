#include "app/snapshot_support.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include <QByteArray>
#include <QFileInfo>
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

bool WritePng(const QImage& image, const std::string& path, SaveProblem* problem, QString* detail)
{
    const QString target = QString::fromStdString(path);
    QSaveFile file(target);
    errno = 0;
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = image.save(&file, "PNG");
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    const int error = errno;
    if (written)
        return true;
    if (problem) {
        const QFileInfo folder(QFileInfo(target).absolutePath());
        if (!folder.isDir())
            *problem = SaveProblem::NoFolder;
        else if (error == EACCES || error == EPERM || error == EROFS || !folder.isWritable()
                 || file.error() == QFileDevice::PermissionsError)
            *problem = SaveProblem::NoPermission;
        else if (error == ENOSPC || error == EDQUOT || file.error() == QFileDevice::ResourceError)
            *problem = SaveProblem::NoSpace;
        else
            *problem = SaveProblem::Other;
    }
    if (detail) {
        *detail = file.errorString();
        if (detail->isEmpty())
            *detail = QStringLiteral("write failed");
    }
    return false;
}

int SavePng(const QImage& image, const std::string& path)
{
    QString reason;
    if (WritePng(image, path, nullptr, &reason))
        return 0;
    std::fprintf(stderr, "cornerflow: cannot write '%s': %s\n", path.c_str(),
                 reason.toUtf8().constData());
    return 1;
}
