#include "app/legend_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "dialog/flow_session.h"
#include "draw/frame_buffer.h"
#include "platform/image_dc.h"

namespace {

// The sample drawn before an item's words: the core's pixels, drawn by its RasterDC in the pen
// the picture uses, at the window's device pixel ratio; a symbol's is blank.
QPixmap Sample(const LegendItem& item, qreal ratio)
{
    FrameBuffer buffer;
    if (!DrawLegendSample(item, buffer, FrameScaleFor(ratio))) {
        QPixmap blank(QSize(kLegendSampleWidth, kLegendSampleHeight) * ratio);
        blank.setDevicePixelRatio(ratio);
        blank.fill(Qt::transparent);
        return blank;
    }
    QPixmap pixmap = QPixmap::fromImage(ImageCopyOf(buffer));
    pixmap.setDevicePixelRatio(buffer.scale);
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
