#include "app/legend_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "dialog/flow_session.h"

namespace {

constexpr int kSampleWidth = 48;
constexpr int kSampleHeight = 20;

Qt::PenStyle StyleOf(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    default: return Qt::SolidLine;
    }
}

QColor ColourOf(Colour c) { return QColor(c.r, c.g, c.b); }

// The sample drawn before an item's words, on white as in the picture.
QPixmap Sample(const LegendItem& item, qreal ratio)
{
    QPixmap pixmap(QSize(kSampleWidth, kSampleHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    const int mid = kSampleHeight / 2;
    switch (item.sample) {
    case LegendItem::Sample::Line:
        p.setPen(QPen(ColourOf(item.pen.colour), item.pen.width, StyleOf(item.pen.style)));
        p.drawLine(4, mid, kSampleWidth - 4, mid);
        break;
    case LegendItem::Sample::Dots:
        for (int x = 8; x < kSampleWidth; x += 12)
            p.fillRect(QRectF(x, mid - 1 + (x / 12) % 2 * 3, 1.5, 1.5), ColourOf(item.fill));
        break;
    case LegendItem::Sample::Disc:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(ColourOf(item.pen.colour), item.pen.width));
        p.setBrush(ColourOf(item.fill));
        p.drawEllipse(QPointF(kSampleWidth / 2.0, mid), 7, 7);
        break;
    case LegendItem::Sample::Area:
        p.fillRect(QRectF(4, mid - 6, kSampleWidth - 8, 12), ColourOf(item.fill));
        break;
    case LegendItem::Sample::Symbol:
        p.end(); // a pixmap is filled only when no painter paints on it
        pixmap.fill(Qt::transparent);
        break;
    }
    return pixmap;
}

} // namespace

LegendWindow::LegendWindow(const FlowSession& session, QWidget* parent)
    : QDialog(parent), session_(session)
{
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    if (parent)
        setFont(parent->font());
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setColumnStretch(1, 1);
    BuildRows();
}

void LegendWindow::BuildRows()
{
    auto* grid = static_cast<QGridLayout*>(layout());
    for (QLabel* l : samples_)
        delete l;
    for (QLabel* l : words_)
        delete l;
    samples_.clear();
    words_.clear();
    shown_.clear();
    int line = 0;
    for (const LegendItem& item : session_.Legend()) {
        auto* sample = new QLabel(this);
        sample->setPixmap(Sample(item, devicePixelRatioF()));
        auto* words = new QLabel(this);
        words->setTextFormat(Qt::PlainText);
        words->setWordWrap(true);
        words->setMinimumWidth(420);
        grid->addWidget(sample, line, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(words, line, 1, Qt::AlignLeft | Qt::AlignTop);
        samples_.push_back(sample);
        words_.push_back(words);
        shown_.push_back(item.words);
        ++line;
    }
    Retranslate();
}

void LegendWindow::Update()
{
    std::vector<const char*> now;
    for (const LegendItem& item : session_.Legend())
        now.push_back(item.words);
    if (now == shown_)
        return;
    BuildRows();
    adjustSize();
}

void LegendWindow::Retranslate()
{
    setWindowTitle(QCoreApplication::translate("Dialog", kLegendWords));
    const std::vector<LegendItem> items = session_.Legend();
    for (size_t i = 0; i < words_.size() && i < items.size(); ++i) {
        const QString text = QCoreApplication::translate("Legend", items[i].words);
        words_[i]->setText(text);
        words_[i]->setAccessibleName(text);
    }
}

QStringList LegendWindow::Items() const
{
    QStringList out;
    for (const QLabel* w : words_)
        out << w->text();
    return out;
}
