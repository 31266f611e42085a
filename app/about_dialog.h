#pragma once
// The About box: the program's name, what it models, its version and credits.
#include <QDialog>
#include <QIcon>

#include "res/ids.h"

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // A control by its id in the About box's template, or nullptr.
    QWidget* Control(ControlId id) const;
};

// The program's icon drawn at the usual icon sizes.
QIcon LoadAppIcon();
