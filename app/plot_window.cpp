#include "app/plot_window.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/save_as.h"
#include "app/snapshot_support.h"
#include "dialog/words.h"
#include "model/start_values.h"
#include "platform/image_dc.h"

namespace {

QString Tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

} // namespace

// The plot itself: shows the session's plot frame at its own size, composed at the screen's
// resolution; the session composes a new one when the size changes.
class PlotCanvas : public QWidget {
public:
    explicit PlotCanvas(FlowSession& session, QWidget* parent) : QWidget(parent), session_(session)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(320, 200);
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override { return QSize(kStartValues.width, kStartValues.height); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        session_.SetPlotSize(width(), height(), devicePixelRatioF());
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const FrameBuffer& frame = session_.PlotFrame();
        // A move to a screen of another resolution: the plot composed again at it.
        if (!frame.Empty() && frame.scale != FlowSession::FrameScaleFor(devicePixelRatioF()))
            session_.SetPlotSize(width(), height(), devicePixelRatioF());
        painter.fillRect(rect(), Qt::white); // round the plot, where the canvas is larger
        PaintFrame(painter, rect(), session_.PlotFrame(), devicePixelRatioF());
    }

private:
    FlowSession& session_;
};

PlotWindow::PlotWindow(FlowSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(QStringLiteral("plot"));
    canvas_ = new PlotCanvas(session_, this);
    auto* tools = new QHBoxLayout;
    for (int q = 0; q < kQuantityCount; ++q) {
        const Quantity quantity = static_cast<Quantity>(q);
        auto* box = new QCheckBox(QString::fromUtf8(LookOf(quantity).ratio), this);
        const Colour c = LookOf(quantity).colour;
        box->setStyleSheet(
            QStringLiteral("QCheckBox { color: rgb(%1,%2,%3); }").arg(c.r).arg(c.g).arg(c.b));
        box->setChecked(session_.PlotQuantities() & QuantityBit(quantity));
        connect(box, &QCheckBox::toggled, this, [this, quantity](bool on) {
            QuantitySet shown = session_.PlotQuantities();
            shown = on ? shown | QuantityBit(quantity) : shown & ~QuantityBit(quantity);
            session_.ChoosePlotQuantities(shown);
        });
        boxes_[static_cast<size_t>(q)] = box;
        tools->addWidget(box);
    }
    tools->addStretch(1);
    savePlot_ = new QPushButton(this);
    saveData_ = new QPushButton(this);
    connect(savePlot_, &QPushButton::clicked, this, [this] { SavePlotAs(); });
    connect(saveData_, &QPushButton::clicked, this, [this] { SaveDataAs(); });
    tools->addWidget(savePlot_);
    tools->addWidget(saveData_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(canvas_, 1);
    layout->addLayout(tools);
    // What the model is, in a sentence under the plot; the teacher's guide says more.
    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("plotModelNote"));
    note->setWordWrap(true);
    layout->addWidget(note);

    session_.plotReady = [this] {
        canvas_->update();
        UpdateDescription();
    };
    resize(640, 460);
    Retranslate();
}

PlotWindow::~PlotWindow()
{
    session_.plotReady = nullptr;
    session_.SetPlotSize(0, 0); // no plot is composed without a window to show it
}

QWidget* PlotWindow::Canvas() { return canvas_; }

void PlotWindow::Retranslate()
{
    // The plot's words follow the session's language.
    setWindowTitle(QString::fromStdString(session_.PlotWordsShown()[PlotWord::Title]));
    savePlot_->setText(Tr("Dialog", kSavePlotWords));
    saveData_->setText(Tr("Dialog", kSaveDataWords));
    canvas_->setAccessibleName(
        QString::fromStdString(session_.PlotWordsShown()[PlotWord::AccessibleName]));
    if (auto* note = findChild<QLabel*>(QStringLiteral("plotModelNote")))
        note->setText(QString::fromStdString(session_.PlotWordsShown()[PlotWord::ModelNote]));
    description_.clear();
    UpdateDescription();
}

void PlotWindow::UpdateDescription()
{
    const QString now = QString::fromStdString(session_.PlotFactsText());
    if (now == description_)
        return;
    description_ = now;
    canvas_->setAccessibleDescription(now);
    QAccessibleEvent changed(canvas_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QImage PlotWindow::PlotImage() const { return ImageCopyOf(session_.PlotFrame()); }

bool PlotWindow::SavePlot(const QString& path, QString* error)
{
    SaveProblem problem = SaveProblem::None;
    if (WritePng(PlotImage(), path.toStdString(), &problem))
        return true;
    if (error)
        *error = SaveProblemWords(problem);
    return false;
}

bool PlotWindow::SaveData(const QString& path, QString* error)
{
    SaveProblem problem = SaveProblem::None;
    if (WriteText(ProfileCsv(session_.Profile()), path.toStdString(), &problem))
        return true;
    if (error)
        *error = SaveProblemWords(problem);
    return false;
}

void PlotWindow::SavePlotAs()
{
    SaveAs(this, {kSavePlotWords, kPngFilesWords, kPlotNotSavedWords}, session_.PlotFileName(),
           QStandardPaths::PicturesLocation,
           [this](const QString& path, QString* error) { return SavePlot(path, error); });
}

void PlotWindow::SaveDataAs()
{
    SaveAs(this, {kSaveDataWords, kCsvFilesWords, kDataNotSavedWords}, session_.ProfileFileName(),
           QStandardPaths::DocumentsLocation,
           [this](const QString& path, QString* error) { return SaveData(path, error); });
}

void PlotWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    session_.SetPlotSize(canvas_->width(), canvas_->height(), devicePixelRatioF());
    if (shownChanged && !event->spontaneous())
        shownChanged(true);
}

void PlotWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        session_.SetPlotSize(0, 0); // nothing to show: nothing composed
        if (shownChanged)
            shownChanged(false);
    }
}
