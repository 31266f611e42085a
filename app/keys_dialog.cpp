#include "app/keys_dialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog/flow_session.h"

namespace {

QString Tr(const char* source) { return QCoreApplication::translate("Keys", source); }

} // namespace

KeysDialog::KeysDialog(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    if (parent)
        setFont(parent->font()); // the dialog's own font, which a window does not inherit
    setWindowTitle(Tr("Клавиши"));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(Tr("Когда рисунок в фокусе (синяя полоса над ним):"), this);
    heading->setWordWrap(true);
    layout->addWidget(heading);

    // Two columns: the keys in bold, what they do beside them.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    QFont bold = font();
    bold.setBold(true);
    int line = 0;
    for (const KeyHelp& key : FlowSession::PictureKeys()) {
        auto* keys = new QLabel(Tr(key.keys), this);
        keys->setFont(bold);
        auto* words = new QLabel(Tr(key.words), this);
        grid->addWidget(keys, line, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(words, line, 1, Qt::AlignLeft | Qt::AlignTop);
        rows_.push_back(Row{keys, words});
        ++line;
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    // Its size is fixed before it shows, as the other dialogs' are.
    adjustSize();
    setFixedSize(size());
}

KeysDialog::~KeysDialog() = default;
