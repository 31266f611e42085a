#include "app/about_dlg.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

#include "res/dialog_templates.h"
#include "res/resource.h"

#ifndef CORNERFLOW_VERSION
#error "CORNERFLOW_VERSION must be defined by the build"
#endif

namespace {

const char* kIdProperty = "controlId";

QFont TemplateFont(const res::DialogTemplate& t)
{
    QFont font;
    font.setFamilies(QString::fromUtf8(t.fontFaces).split(QLatin1Char(',')));
    font.setPointSize(t.fontPoints);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

// The icon at side x side logical pixels, drawn at the device pixel ratio given.
QPixmap RenderIcon(int side, double devicePixelRatio = 1.0)
{
    const double ratio = devicePixelRatio > 1.0 && devicePixelRatio <= 8.0 ? devicePixelRatio : 1.0;
    const int deviceSide = static_cast<int>(side * ratio + 0.5);
    QPixmap pixmap(deviceSide, deviceSide);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromUtf8(res::IconPath(IDR_MAINFRAME)));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return pixmap;
}

} // namespace

QIcon LoadAppIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(RenderIcon(side));
    return icon;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    const res::DialogTemplate& t = res::AboutDialogTemplate();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(t.caption));
    setFont(TemplateFont(t));
    setModal(true);
    const res::PixelRect box = t.ToPixels(t.rect);
    setFixedSize(box.w, box.h);

    for (const res::ControlTemplate& c : t) {
        const res::PixelRect r = t.ToPixels(c.rect);
        QWidget* w = nullptr;
        switch (c.kind) {
        case res::ControlKind::DefaultButton: {
            auto* button = new QPushButton(QString::fromUtf8(c.text), this);
            button->setDefault(true);
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
            button->setGeometry(r.x, r.y, r.w, r.h);
            w = button;
            break;
        }
        case res::ControlKind::IconImage: {
            // An icon control takes the size of its icon.
            auto* label = new QLabel(this);
            const QPixmap pixmap = RenderIcon(32, devicePixelRatioF());
            label->setPixmap(pixmap);
            const QSize size = pixmap.deviceIndependentSize().toSize();
            label->setGeometry(r.x, r.y, size.width(), size.height());
            w = label;
            break;
        }
        case res::ControlKind::TextCentred:
        case res::ControlKind::TextLeft: {
            QString text = QString::fromUtf8(c.text);
            text.replace(QStringLiteral("%1"), QStringLiteral(CORNERFLOW_VERSION));
            auto* label = new QLabel(text, this);
            label->setWordWrap(true);
            label->setAlignment(c.kind == res::ControlKind::TextCentred
                                    ? Qt::AlignHCenter | Qt::AlignTop
                                    : Qt::AlignLeft | Qt::AlignTop);
            label->setGeometry(r.x, r.y, r.w, r.h);
            w = label;
            break;
        }
        default:
            break;
        }
        if (w)
            w->setProperty(kIdProperty, c.id);
    }
}

CAboutDlg::~CAboutDlg() = default;

QWidget* CAboutDlg::Control(int id) const
{
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->property(kIdProperty).toInt() == id && w->property(kIdProperty).isValid())
            return w;
    return nullptr;
}
