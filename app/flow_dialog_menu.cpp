// The desktop window's menu and what is left to the shell of a command: the About box, the
// keys, the plot's and the legend's windows, the teacher's guide.
#include "app/flow_dialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include "app/about_dialog.h"
#include "app/keys_dialog.h"

namespace {

QString Tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

} // namespace

void FlowDialog::BuildMenu()
{
    // The session's items, in its order, made once: a submenu gathers the items that carry
    // its title. Later changes (a check mark, the words of another language) are made in place,
    // so an action is never deleted while it is being triggered.
    const std::vector<MenuItem> items = session_.Menu();
    if (menuActions_.empty()) {
        QMenu* submenu = nullptr;
        const char* submenuTitle = nullptr;
        for (const MenuItem& item : items) {
            QMenu* into = &menu_;
            if (item.submenu) {
                if (!submenu || submenuTitle != item.submenu) {
                    if (item.separatorBefore)
                        menu_.addSeparator();
                    submenu = menu_.addMenu(QString());
                    submenuTitle = item.submenu;
                    submenus_.push_back(submenu);
                }
                into = submenu;
            } else if (item.separatorBefore) {
                menu_.addSeparator();
            }
            QAction* action = into->addAction(QString());
            action->setData(static_cast<int>(item.command));
            action->setProperty("language", QString::fromUtf8(item.language));
            menuActions_.push_back(action);
        }
    }
    size_t submenuIndex = 0;
    const char* submenuTitle = nullptr;
    for (size_t i = 0; i < items.size() && i < menuActions_.size(); ++i) {
        const MenuItem& item = items[i];
        QAction* action = menuActions_[i];
        action->setText(item.translated ? Tr("Dialog", item.words) : QString::fromUtf8(item.words));
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        action->setShortcut(*item.shortcut ? QKeySequence(QString::fromUtf8(item.shortcut))
                                           : QKeySequence());
        if (item.submenu && item.submenu != submenuTitle && submenuIndex < submenus_.size()) {
            submenus_[submenuIndex++]->setTitle(Tr("Dialog", item.submenu));
            submenuTitle = item.submenu;
        }
    }
}

void FlowDialog::MenuCommandChosen(Command command, const QString& language)
{
    Carry(session_.Choose(command, language.toStdString()));
}

void FlowDialog::ShowMenu(const QPoint& globalPos)
{
    // The items' check marks as the session stands now: a state set without a menu command
    // (the exact theory from the command line) shows too.
    BuildMenu();
    if (!menu_.isEmpty())
        menu_.popup(globalPos);
}

void FlowDialog::ShowLegend(bool shown)
{
    session_.SetLegendOpen(shown);
    if (shown && !legend_) {
        legend_ = std::make_unique<LegendWindow>(session_, this);
        legend_->adjustSize();
        legend_->move(frameGeometry().bottomLeft() - QPoint(0, legend_->height()));
        connect(legend_.get(), &QDialog::finished, this, [this] {
            session_.SetLegendOpen(false);
            BuildMenu();
        });
    }
    if (legend_)
        legend_->setVisible(shown);
    BuildMenu();
}

void FlowDialog::ShowPlot(bool shown)
{
    session_.SetPlotOpen(shown);
    if (shown && !plot_) {
        plot_ = std::make_unique<PlotWindow>(session_, this);
        plot_->shownChanged = [this](bool nowShown) {
            session_.ChoosePlotOpen(nowShown);
            BuildMenu();
        };
        const QByteArray geometry =
            QSettings().value(QStringLiteral("plot/geometry")).toByteArray();
        if (geometry.isEmpty() || !plot_->restoreGeometry(geometry))
            plot_->move(frameGeometry().topRight() + QPoint(8, 0)); // beside the dialog
    }
    if (plot_) {
        if (shown) {
            plot_->show();
            plot_->raise();
        } else {
            QSettings().setValue(QStringLiteral("plot/geometry"), plot_->saveGeometry());
            plot_->hide();
        }
    }
    BuildMenu();
}

void FlowDialog::ShowOpening()
{
    SyncGas();
    if (session_.PlotOpen()) {
        if (isVisible())
            ShowPlot(true);
        else
            plotWhenShown_ = true; // once the dialog shows
    }
    BuildMenu();
}

void FlowDialog::Carry(ShellAction action)
{
    switch (action) {
    case ShellAction::ShowAbout: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case ShellAction::ShowKeys: {
        KeysDialog keys(this);
        keys.exec();
        break;
    }
    case ShellAction::ShowPlot: ShowPlot(session_.PlotOpen()); break;
    case ShellAction::ShowLegend: ShowLegend(session_.LegendOpen()); break;
    case ShellAction::SavePicture: SavePictureAs(); break;
    case ShellAction::CopyPicture: CopyPicture(); break;
    case ShellAction::Close: close(); break;
    case ShellAction::Language: SetLanguage(Language()); break;
    case ShellAction::OpenGuide: OpenGuide(); break;
    default: break;
    }
    BuildMenu();
    if (legend_)
        legend_->Update(); // the exact theory's lines shown or put away
}

QString FlowDialog::GuidePath(const std::string& guideFile)
{
    const QStringList folders = {QCoreApplication::applicationDirPath()
                                     + QStringLiteral("/../share/doc/cornerflow/docs"),
                                 QStringLiteral(CORNERFLOW_DOCS_DIR)};
    for (const QString& name :
         {QString::fromStdString(guideFile), QStringLiteral("teaching.en.md")})
        for (const QString& folder : folders) {
            const QFileInfo file(QDir(folder).filePath(name));
            if (file.isFile())
                return file.canonicalFilePath();
        }
    return QString();
}

void FlowDialog::OpenGuide()
{
    const QString path = GuidePath(session_.GuideFileName());
    if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::warning(this, windowTitle(),
                             QString::fromStdString(
                                 session_.Tr("Dialog", kNoGuideWords, {session_.GuideFileName()})));
}
