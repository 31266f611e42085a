#include "app/snapshot_support.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include "base/text_fill.h"
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

namespace {

// Writes through a temporary file that replaces path only when write succeeded whole.
bool WriteWhole(const std::string& path, const std::function<bool(QSaveFile&)>& write,
                SaveProblem* problem, QString* detail)
{
    const QString target = QString::fromStdString(path);
    QSaveFile file(target);
    errno = 0;
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = write(file);
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

} // namespace

bool WritePng(const QImage& image, const std::string& path, SaveProblem* problem, QString* detail)
{
    return WriteWhole(
        path, [&](QSaveFile& file) { return image.save(&file, "PNG"); }, problem, detail);
}

bool WriteText(const std::string& text, const std::string& path, SaveProblem* problem,
               QString* detail)
{
    return WriteWhole(
        path,
        [&](QSaveFile& file) {
            return file.write(text.data(), static_cast<qint64>(text.size()))
                   == static_cast<qint64>(text.size());
        },
        problem, detail);
}

QString SaveProblemWords(SaveProblem problem)
{
    const auto tr = [](const char* source) {
        return QCoreApplication::translate("Dialog", source);
    };
    switch (problem) {
    case SaveProblem::NoFolder: return tr("такой папки нет");
    case SaveProblem::NoPermission: return tr("нет права писать туда");
    case SaveProblem::NoSpace: return tr("на диске не хватает места");
    default: return tr("файл не удалось записать");
    }
}

QString NotWrittenWords(const QString& path, const QString& reason)
{
    const QString words = QCoreApplication::translate(
        "Dialog", "Не удалось записать «%1»: %2. Ничего не изменено.");
    return QString::fromStdString(
        FillPlaceholders(words.toStdString(), {path.toStdString(), reason.toStdString()}));
}

QString OfferedSaveFolder(int standardLocation)
{
    const QString folder = QStandardPaths::writableLocation(
        static_cast<QStandardPaths::StandardLocation>(standardLocation));
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

std::unique_ptr<QGuiApplication> MakeGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    UseOffscreenWithoutDisplay();
    static int argc = 1;
    static char name[] = "cornerflow";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

int ExitStatus(bool written, const std::string& path, const QString& reason)
{
    if (written)
        return 0;
    std::fprintf(stderr, "cornerflow: cannot write '%s': %s\n", path.c_str(),
                 reason.toUtf8().constData());
    return 1;
}

} // namespace

int SavePng(const QImage& image, const std::string& path)
{
    QString reason;
    const bool written = WritePng(image, path, nullptr, &reason);
    return ExitStatus(written, path, reason);
}

int SaveText(const std::string& text, const std::string& path)
{
    QString reason;
    const bool written = WriteText(text, path, nullptr, &reason);
    return ExitStatus(written, path, reason);
}
