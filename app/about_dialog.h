#pragma once
// The About box: the program's name, what it models, its version and credits.
#include <QDialog>
#include <QIcon>

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // A control by its id in the About box's template, or nullptr.
    QWidget* Control(int id) const;
};

// Icon 128 drawn at the usual icon sizes.
QIcon LoadAppIcon();
