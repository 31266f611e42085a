#pragma once
// The plot of the state through the fan in a window of its own beside the dialog: the core's
// plot (FlowSession::PlotFrame) at the window's size and the screen's resolution, the
// quantities to show, and the plot saved as a picture or its numbers as a table. It follows
// every input, drag, key and probe of the dialog at once: the session composes it.
#include <array>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "dialog/flow_session.h"

class PlotCanvas;

class PlotWindow : public QWidget {
public:
    PlotWindow(FlowSession& session, QWidget* parent = nullptr);
    ~PlotWindow() override;

    // The words in the application's current language (the "Plot" and "Dialog" contexts).
    void Retranslate();
    // The plot as a PNG, whole or not at all; the table as CSV ('.' decimal point, commas
    // between columns, a header row). False and a reason in the window's language on failure.
    bool SavePlot(const QString& path, QString* error);
    bool SaveData(const QString& path, QString* error);
    // The plot as shown, at the screen's resolution.
    QImage PlotImage() const;
    QCheckBox* QuantityBox(Quantity q) { return boxes_[static_cast<size_t>(q)]; }
    QWidget* Canvas();
    // Told when the window is shown or hidden by the user (its close button), so that the
    // dialog's menu and the remembered state follow.
    std::function<void(bool shown)> shownChanged;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SavePlotAs();
    void SaveDataAs();
    void UpdateDescription();

    FlowSession& session_;
    PlotCanvas* canvas_ = nullptr;
    std::array<QCheckBox*, kQuantityCount> boxes_{};
    QPushButton* savePlot_ = nullptr;
    QPushButton* saveData_ = nullptr;
    QString description_;
};
