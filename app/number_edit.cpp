#include "app/number_edit.h"

#include <string>

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "model/number_text.h"

namespace {

// The note's type against the field's.
constexpr double kNoteScale = 0.8;
// Room on either side of the note's words, and between them and the field's right edge, px.
constexpr int kNotePadding = 1;
constexpr int kNoteInset = 3;

} // namespace

// The note's own small window: the words on the field's background colour, so that the field's
// edge does not run through them. It takes no mouse and no focus: a click goes to what lies
// below it.
class NoteBadge : public QWidget {
public:
    explicit NoteBadge(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }
    QString words;
    QColor background = Qt::white;
    int baseline = 0; // from the top

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), background);
        painter.setFont(font());
        // Grey with a contrast of 5:1 against white.
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(QPoint(kNotePadding, baseline), words);
    }
};

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent)
{
    // A field takes far more characters than any number needs: the toolkit's default limit
    // would cut a long pasted text, so raise it; but not without bound, for the toolkit lays
    // the whole line out again on every keystroke (a pasted 10-million-character text would
    // take seconds per key). Long texts scroll horizontally.
    setMaxLength(kMaxTextLength);
    // Typing hides the note; the text it was read from brings it back.
    connect(this, &QLineEdit::textChanged, this, [this] { PlaceNote(); });
}

NumberEdit::~NumberEdit() { delete badge_; }

void NumberEdit::SetNote(const QString& note, const QString& readFrom)
{
    if (note == note_ && readFrom == readFrom_)
        return;
    note_ = note;
    readFrom_ = readFrom;
    PlaceNote();
}

QString NumberEdit::ShownNote() const
{
    return badge_ && !badge_->isHidden() ? badge_->words : QString();
}

QRect NumberEdit::NoteGeometry() const
{
    return badge_ && !badge_->isHidden() ? badge_->geometry() : QRect();
}

void NumberEdit::PlaceNote()
{
    // Shown with the field, which may be hidden on its own while its parent shows.
    const bool shown = !note_.isEmpty() && text() == readFrom_ && !isHidden();
    if (!shown) {
        if (badge_)
            badge_->hide();
        return;
    }
    if (!badge_) {
        // Beside the field, in its parent, so that it may reach past the field's edge.
        badge_ = new NoteBadge(parentWidget() ? parentWidget() : this);
    }
    QFont font = this->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * kNoteScale);
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, static_cast<int>(font.pixelSize() * kNoteScale)));
    badge_->setFont(font);
    badge_->words = QStringLiteral("\u2192") + note_;
    badge_->background = palette().color(QPalette::Base);
    const QFontMetrics fm(font);
    // No wider than the field: a longer note is cut short with an ellipsis (the field's tooltip
    // and its words for a screen reader say it whole).
    const int most = width() - 2 * kNoteInset - 2 * kNotePadding;
    badge_->words = fm.elidedText(badge_->words, Qt::ElideRight, qMax(0, most));
    const int w = fm.horizontalAdvance(badge_->words) + 2 * kNotePadding;
    // As tall as the digits with a pixel above and below, centred on the field's lower edge:
    // below the line the text is typed on.
    const int digits = fm.tightBoundingRect(QStringLiteral("0123456789")).height();
    const int h = digits + 2;
    badge_->baseline = h - 1;
    QRect place(width() - kNoteInset - w, height() - (h + 1) / 2, w, h);
    if (badge_->parentWidget() != this)
        place.translate(pos());
    badge_->setGeometry(place);
    badge_->show();
    badge_->raise();
    badge_->update();
}

void NumberEdit::moveEvent(QMoveEvent* event)
{
    QLineEdit::moveEvent(event);
    PlaceNote();
}

void NumberEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    PlaceNote();
}

void NumberEdit::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    PlaceNote();
}

void NumberEdit::hideEvent(QHideEvent* event)
{
    QLineEdit::hideEvent(event);
    PlaceNote();
}
