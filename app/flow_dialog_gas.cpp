// The desktop window's gas row: the drop-down of the list's gases and "other gas"'s two
// fields with their captions, shown for it only.
#include "app/flow_dialog.h"

void FlowDialog::CreateGasRow()
{
    gasGamma_->installEventFilter(this);
    gasMolarMass_->installEventFilter(this);
    for (const Gas& gas : GasTable())
        gasChoice_->addItem(QString(), QString::fromUtf8(gas.code));
    gasChoice_->addItem(QString(), QString::fromUtf8(kOtherGasCode));
    connect(gasChoice_, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { GasChosen(index); });
}

void FlowDialog::RetranslateGasRow()
{
    int item = 0;
    for (const FlowSession::GasItem& gas : session_.GasItems())
        gasChoice_->setItemText(item++, QString::fromStdString(gas.name));
    gasChoice_->setAccessibleName(QString::fromStdString(session_.GasChoiceName()));
    gasGamma_->setAccessibleName(QString::fromStdString(session_.GasGammaName()));
    gasMolarMass_->setAccessibleName(QString::fromStdString(session_.GasMolarMassName()));
    SyncGas();
}

void FlowDialog::GasChosen(int index)
{
    session_.ChooseGas(gasChoice_->itemData(index).toString().toStdString());
    SyncGas();
    if (session_.Gas() == kOtherGasCode)
        gasGamma_->setFocus(Qt::OtherFocusReason);
}

void FlowDialog::GasFieldLeft()
{
    session_.ChooseGasValues(gasGamma_->text().toStdString(), gasMolarMass_->text().toStdString());
    SyncGas();
}

void FlowDialog::SyncGas()
{
    const int index = gasChoice_->findData(QString::fromStdString(session_.Gas()));
    if (index >= 0 && gasChoice_->currentIndex() != index)
        gasChoice_->setCurrentIndex(index);
    const bool other = session_.Gas() == kOtherGasCode;
    for (QWidget* w : {static_cast<QWidget*>(gasGamma_), static_cast<QWidget*>(gasMolarMass_)})
        w->setVisible(other);
    for (QLabel* label : otherGasCaptions_)
        label->setVisible(other);
    const QString gamma = QString::fromStdString(session_.GasGammaText());
    const QString molarMass = QString::fromStdString(session_.GasMolarMassText());
    if (!gasGamma_->hasFocus() && gasGamma_->text() != gamma)
        gasGamma_->setText(gamma);
    if (!gasMolarMass_->hasFocus() && gasMolarMass_->text() != molarMass)
        gasMolarMass_->setText(molarMass);
    const QString note = QString::fromStdString(session_.GasNote());
    gasGamma_->SetNote(note, gamma);
    gasGamma_->setToolTip(note);
    gasMolarMass_->setToolTip(note);
}
