#pragma once
// The About box: the program's name, what it models and which flow the picture follows, its
// version and credits, in the
// program's language (the translator installed when it opens, and again when it changes).
#include <QDialog>
#include <QIcon>

#include "res/ids.h"

class QEvent;
class QLabel;

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // A control by its id in the About box's template, or nullptr.
    QWidget* Control(ControlId id) const;
    // The sentence on the flow the picture follows (the model, or the exact theory chosen).
    const QLabel* PhysicsNote() const { return physics_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    // The caption and the texts of the template, translated in the "About" context.
    void Retranslate();

    QLabel* physics_ = nullptr;
};

// The program's icon drawn at the usual icon sizes.
QIcon LoadAppIcon();
