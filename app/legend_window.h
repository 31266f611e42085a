#pragma once
// The legend: a small window beside the dialog listing each line, mark and symbol of the
// picture, a sample drawn in the picture's own pen beside the words (FlowSession::Legend).
// Each row's words are its accessible name, so a screen reader hears the same list.
#include <vector>

#include <QStringList>

#include <QDialog>

class FlowSession;
class QLabel;

class LegendWindow : public QDialog {
public:
    LegendWindow(const FlowSession& session, QWidget* parent);
    // The words in the language installed now.
    void Retranslate();
    // The rows again when the picture draws other lines than they list (another wall, flow or
    // choice of flow); nothing when it draws the same.
    void Update();
    // The rows' words, in order (what a screen reader hears).
    QStringList Items() const;

private:
    void BuildRows();

    const FlowSession& session_;
    std::vector<QLabel*> samples_;
    std::vector<QLabel*> words_;
    std::vector<const char*> shown_; // the words of the rows, as the session gave them
};
