#include "app/about_dialog.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

#include "app/qt_translations.h"
#include "dialog/words.h"
#include "res/dialog_templates.h"
#include "res/ids.h"

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
    QSvgRenderer renderer(QString::fromUtf8(res::IconPath(ImageId::AppIcon)));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return pixmap;
}

// Whether the label's text, word-wrapped in the label's width as the label draws it, lies
// wholly inside the label in the font given, in at most maxLines lines (0: any number that
// the label's height holds).
bool TextFits(const QLabel& label, const QFont& font, int maxLines)
{
    const QFontMetrics fm(font, &label);
    const QRect box = label.contentsRect();
    const int flags = Qt::TextWordWrap | static_cast<int>(label.alignment());
    const QRect wrapped = fm.boundingRect(QRect(0, 0, box.width(), 1 << 20), flags, label.text());
    if (wrapped.width() > box.width() || wrapped.height() > box.height())
        return false;
    if (maxLines <= 0)
        return true;
    // Lines stack at the height of one laid-out line (plus any leading between them), so
    // maxLines + 1 lines are at least that many line heights tall.
    const int line =
        fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), 0, QStringLiteral("Xy")).height();
    return wrapped.height() < (maxLines + 1) * line;
}

// The label's font, made smaller in half-point steps until its text fits the label (see
// TextFits), but no smaller than 6 points. The label keeps its place and size in the dialog;
// a text that fits at the dialog's own font keeps that font.
void ShrinkFontToFit(QLabel& label, int maxLines)
{
    constexpr double kSmallestPoints = 6.0;
    QFont font = label.font();
    if (font.pointSizeF() <= 0.0 || TextFits(label, font, maxLines))
        return;
    double points = font.pointSizeF();
    while (points - 0.5 >= kSmallestPoints) {
        points -= 0.5;
        font.setPointSizeF(points);
        if (TextFits(label, font, maxLines))
            break;
    }
    label.setFont(font);
}

} // namespace

QIcon LoadAppIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(RenderIcon(side));
    return icon;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    const res::DialogTemplate& t = res::AboutDialogTemplate();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(TemplateFont(t));
    setModal(true);
    const res::PixelRect box = t.ToPixels(t.rect);
    setFixedSize(box.w, box.h);

    for (const res::ControlTemplate& c : t) {
        const res::PixelRect r = t.ToPixels(c.rect);
        QWidget* w = nullptr;
        switch (c.kind) {
        case res::ControlKind::DefaultButton: {
            auto* button = new QPushButton(this);
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
            auto* label = new QLabel(this);
            label->setWordWrap(true);
            label->setAlignment(c.kind == res::ControlKind::TextCentred
                                    ? Qt::AlignHCenter | Qt::AlignTop
                                    : Qt::AlignLeft | Qt::AlignTop);
            label->setGeometry(r.x, r.y, r.w, r.h);
            w = label;
            break;
        }
        default: break;
        }
        if (w)
            w->setProperty(kIdProperty, ToInt(c.id));
    }
    // The flow the picture follows, in one sentence under the table's texts: from below the
    // copyright's line to the box's bottom, as wide as the box leaves it.
    if (const res::ControlTemplate* c = t.Find(ControlId::AboutCopyright)) {
        const res::PixelRect r = t.ToPixels(c->rect);
        physics_ = new QLabel(this);
        physics_->setObjectName(QStringLiteral("aboutPhysics"));
        physics_->setWordWrap(true);
        physics_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const int top = r.y + r.h + 2;
        physics_->setGeometry(r.x, top, box.w - r.x - 8, box.h - top - 4);
    }
    Retranslate();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::Retranslate()
{
    // The texts as the core finished them in the language of the program's words.
    const AboutWords words = AboutWordsIn(ProgramWordsLanguage(), AboutShell::Desktop);
    setWindowTitle(QString::fromStdString(words.caption));
    for (const AboutText& t : words.texts) {
        QWidget* w = Control(t.id);
        const QString text = QString::fromStdString(t.text);
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            button->setText(text);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(text);
            // The labels keep their rectangles; a text too long for its rectangle in the
            // dialog's font (the title wraps into a third line, cut off, with some fonts) is
            // drawn smaller. The title is meant to read as two lines.
            label->setFont(font());
            ShrinkFontToFit(*label, t.id == ControlId::AboutTitle ? 2 : 0);
        }
    }
    if (physics_) {
        physics_->setText(QString::fromStdString(words.physics));
        physics_->setFont(font());
        ShrinkFontToFit(*physics_, 0);
    }
}

void AboutDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QDialog::changeEvent(event);
}

QWidget* AboutDialog::Control(ControlId id) const
{
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->property(kIdProperty).toInt() == ToInt(id) && w->property(kIdProperty).isValid())
            return w;
    return nullptr;
}
