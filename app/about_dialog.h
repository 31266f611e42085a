#pragma once
// The About box: the program's name, what it models, its version and credits, in the
// program's language (the translator installed when it opens, and again when it changes).
#include <QDialog>
#include <QIcon>

#include "res/ids.h"

class QEvent;

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // A control by its id in the About box's template, or nullptr.
    QWidget* Control(ControlId id) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The caption and the texts of the template, translated in the "About" context.
    void Retranslate();
};

// The program's icon drawn at the usual icon sizes.
QIcon LoadAppIcon();
