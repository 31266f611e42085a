#include "app/save_as.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "app/snapshot_support.h"

void SaveAs(QWidget* parent, const SaveAsWords& words, const std::string& fileName,
            int standardLocation, const std::function<bool(const QString&, QString*)>& write)
{
    const auto tr = [](const char* source) {
        return QCoreApplication::translate("Dialog", source);
    };
    const QString suggested =
        QDir(OfferedSaveFolder(standardLocation)).filePath(QString::fromStdString(fileName));
    const QString path = QFileDialog::getSaveFileName(parent, tr(words.title), suggested,
                                                      tr(words.filter));
    if (path.isEmpty())
        return; // cancelled
    QString error;
    if (!write(path, &error))
        QMessageBox::warning(parent, tr(words.notSaved), NotWrittenWords(path, error));
}
