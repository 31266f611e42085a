// The desktop window's picture saved and copied.
#include "app/flow_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStandardPaths>

#include "app/save_as.h"
#include "app/snapshot_support.h"
#include "platform/image_dc.h"

QImage FlowDialog::PictureImage() const { return ImageCopyOf(session_.Frame()); }

bool FlowDialog::SavePicture(const QString& path, QString* error)
{
    SaveProblem problem = SaveProblem::None;
    if (WritePng(PictureImage(), path.toStdString(), &problem))
        return true;
    if (error)
        *error = SaveProblemWords(problem);
    return false;
}

void FlowDialog::CopyPicture() { QGuiApplication::clipboard()->setImage(PictureImage()); }

void FlowDialog::SavePictureAs()
{
    SaveAs(this, {kSavePictureWords, kPngFilesWords, kPictureNotSavedWords},
           session_.PictureFileName(), QStandardPaths::PicturesLocation,
           [this](const QString& path, QString* error) { return SavePicture(path, error); });
}
