#include "app/flow_dialog.h"

#include <algorithm>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

#include "app/about_dialog.h"
#include "app/snapshot_support.h"
#include "platform/image_dc.h"
#include "res/dialog_templates.h"
#include "res/resource.h"

namespace {

QString Tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

// A label image as a static bitmap control shows it: at the image's own size.
QPixmap RenderBitmap(int bitmapId, double devicePixelRatio, bool english)
{
    const char* path = english ? res::EnglishBitmapPath(bitmapId) : res::BitmapPath(bitmapId);
    if (!path)
        return QPixmap();
    QSvgRenderer renderer(QString::fromUtf8(path));
    const QSize size = renderer.defaultSize();
    if (size.isEmpty())
        return QPixmap();
    const double ratio = devicePixelRatio > 1.0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, size.width(), size.height()));
    return pixmap;
}

} // namespace

FlowDialog::FlowDialog(FlowState& fs, Corner& corner, QWidget* parent)
    : QDialog(parent),
      m_session(fs, corner),
      m_viewWindow(m_session, this),
      m_whiteBrush(QColor(255, 255, 255)),
      m_sysMenu(this),
      m_languageMenu(this)
{
    for (size_t i = 0; i < FieldCount(); ++i)
        m_fields[FieldTable()[i].id] = new NumberEdit(this);
    CreateControls();
    m_session.fieldsChanged = [this] { SyncFields(); };
    m_viewWindow.frameShown = [this] { UpdatePictureDescription(); };
    m_viewWindow.pauseChanged = [this] { BuildSystemMenu(); };
    // Only the strip above the picture: the picture itself is not drawn again.
    m_viewWindow.focusChanged = [this] {
        update(QRect(0, 0, width(), m_viewWindow.geometry().top()));
    };
    Retranslate();
}

FlowDialog::~FlowDialog()
{
    // Focus changes while the fields go away must not reach the flow model.
    m_closing = true;
    m_session.fieldsChanged = nullptr;
    m_viewWindow.Timer().stop();
    for (auto& f : m_fields)
        f.second->removeEventFilter(this);
}

bool FlowDialog::IsInputField(const QObject* o) const
{
    for (const auto& f : m_fields)
        if (f.second == o)
            return FindField(f.first)->source == FieldSource::Input;
    return false;
}

void FlowDialog::SyncFields()
{
    for (auto& f : m_fields) {
        const unsigned version = m_session.FieldVersion(f.first);
        unsigned& shown = m_shownVersion[f.first];
        if (shown == version)
            continue;
        shown = version;
        const QString text = QString::fromStdString(m_session.FieldText(f.first));
        if (f.second->text() != text)
            f.second->setText(text);
    }
}

void FlowDialog::CreateControls()
{
    const res::DialogTemplate& t = res::MainDialogTemplate();

    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(t.caption));
    QFont font;
    font.setFamilies(QString::fromUtf8(t.fontFaces).split(QLatin1Char(',')));
    font.setPointSize(t.fontPoints);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    setFont(font);
    const res::PixelRect box = t.ToPixels(t.rect);
    setFixedSize(box.w, box.h);
    ApplyCtlColor(this);

    QWidget* previous = nullptr;
    for (const res::ControlTemplate& c : t) {
        const res::PixelRect r = t.ToPixels(c.rect);
        QWidget* w = nullptr;
        switch (c.kind) {
        case res::ControlKind::View:
            w = &m_viewWindow;
            w->setGeometry(r.x, r.y, r.w, r.h);
            break;
        case res::ControlKind::InputField:
        case res::ControlKind::ReadOnlyField: {
            NumberEdit* e = Field(c.id);
            if (!e)
                break;
            e->setReadOnly(c.kind == res::ControlKind::ReadOnlyField);
            e->setGeometry(r.x, r.y, r.w, r.h);
            w = e;
            break;
        }
        case res::ControlKind::LabelImage: {
            auto* label = new QLabel(this);
            const QPixmap pixmap = RenderBitmap(c.image, devicePixelRatioF(), false);
            label->setPixmap(pixmap);
            const QSize size = pixmap.deviceIndependentSize().toSize();
            label->setGeometry(r.x, r.y, size.width(), size.height());
            label->setProperty("bitmapId", c.image);
            w = label;
            break;
        }
        default: break;
        }
        if (!w)
            continue;
        w->setProperty("controlId", c.id);
        ApplyCtlColor(w);
        // The template order is also the stacking order, first control on top: an image
        // wider than its place lies under the field beside it.
        w->lower();
        if (w->focusPolicy() & Qt::TabFocus) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }

    for (auto& f : m_fields)
        if (IsInputField(f.second))
            f.second->installEventFilter(this);

    connect(&m_sysMenu, &QMenu::triggered, this, [this](QAction* action) {
        if (!action->data().isNull())
            OnSysCommand(action->data().toUInt(), 0);
    });
    auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(altSpace, &QShortcut::activated, this,
            [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

bool FlowDialog::OnInitDialog()
{
    if (m_initialised)
        return true;
    m_initialised = true;
    m_hIcon = LoadAppIcon();
    setWindowIcon(m_hIcon);

    // The session's start-up: the picture, every field's start text, the first state.
    const res::DialogTemplate& t = res::MainDialogTemplate();
    const res::PixelRect picture = t.ToPixels(t.Find(IDC_VIEW)->rect);
    m_viewWindow.Attach(picture.w, picture.h, m_seed ? *m_seed : TickCount());
    SyncFields();

    m_viewWindow.setFocus(Qt::OtherFocusReason);
    return true;
}

void FlowDialog::OnOK() {}

void FlowDialog::BuildSystemMenu()
{
    // Close, and after a separator the About item; then the classroom's controls.
    m_sysMenu.clear();
    QAction* close = m_sysMenu.addAction(QStringLiteral("Close"));
    close->setData(SC_CLOSE_COMMAND);
    const QString about = QString::fromUtf8(res::LoadString(IDS_ABOUTBOX));
    if (!about.isEmpty()) {
        m_sysMenu.addSeparator();
        QAction* item = m_sysMenu.addAction(about);
        item->setData(IDM_ABOUTBOX);
    }
    m_sysMenu.addSeparator();
    QAction* pause = m_sysMenu.addAction(Tr("Dialog", "Пауза"));
    pause->setCheckable(true);
    pause->setChecked(Paused());
    pause->setShortcut(QKeySequence(Qt::Key_Space));
    pause->setData(IDM_PAUSE);
    QAction* step = m_sysMenu.addAction(Tr("Dialog", "Шаг"));
    step->setShortcut(QKeySequence(Qt::Key_Period));
    step->setData(IDM_STEP);
    m_sysMenu.addAction(Tr("Dialog", "Сбросить"))->setData(IDM_RESET);
    m_sysMenu.addSeparator();
    m_sysMenu.addAction(Tr("Dialog", "Сохранить рисунок…"))->setData(IDM_SAVE_PICTURE);
    m_sysMenu.addAction(Tr("Dialog", "Копировать рисунок"))->setData(IDM_COPY_PICTURE);
    m_sysMenu.addSeparator();
    m_languageMenu.clear();
    m_languageMenu.setTitle(Tr("Dialog", "Language / Язык"));
    QAction* ru = m_languageMenu.addAction(QStringLiteral("Русский"));
    ru->setData(IDM_LANGUAGE_RU);
    QAction* en = m_languageMenu.addAction(QStringLiteral("English"));
    en->setData(IDM_LANGUAGE_EN);
    for (QAction* a : {ru, en}) {
        a->setCheckable(true);
        a->setChecked((a == en) == (m_language == QLatin1String("en")));
    }
    m_sysMenu.addMenu(&m_languageMenu);
}

void FlowDialog::OnSysCommand(unsigned nID, intptr_t)
{
    switch (nID & 0xFFF0) {
    case IDM_ABOUTBOX: {
        AboutDialog about(this);
        about.exec();
        return;
    }
    case IDM_PAUSE: SetPaused(!Paused()); return;
    case IDM_STEP: StepOnce(); return;
    case IDM_RESET: ResetToStart(); return;
    case IDM_SAVE_PICTURE: SavePictureAs(); return;
    case IDM_COPY_PICTURE: CopyPicture(); return;
    case IDM_LANGUAGE_RU:
    case IDM_LANGUAGE_EN: {
        const QString language = (nID & 0xFFF0) == IDM_LANGUAGE_EN ? QStringLiteral("en")
                                                                   : QStringLiteral("ru");
        SetLanguage(language);
        QSettings().setValue(QStringLiteral("language"), language); // chosen here: remembered
        return;
    }
    default: break;
    }
    // Default handling. Moving and sizing belong to the window manager here.
    if ((nID & 0xFFF0) == SC_CLOSE_COMMAND)
        close();
}

QColor FlowDialog::ReadOnlyColour()
{
    const QColor window = QApplication::palette().color(QPalette::Active, QPalette::Window);
    if (window == QColor(255, 255, 255))
        return QColor(240, 240, 240);
    return window;
}

QColor FlowDialog::OnCtlColor(const QWidget* pWnd) const
{
    const auto* edit = qobject_cast<const QLineEdit*>(pWnd);
    if (edit && edit->isReadOnly())
        return ReadOnlyColour();
    return m_whiteBrush.color();
}

void FlowDialog::ApplyCtlColor(QWidget* w)
{
    const QColor colour = OnCtlColor(w);
    QPalette palette = w->palette();
    const QPalette::ColorRole role = qobject_cast<QLineEdit*>(w) ? QPalette::Base
                                                                 : QPalette::Window;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    w->setPalette(palette);
}

void FlowDialog::OnInputKillFocus()
{
    const auto text = [this](int id) { return m_fields.at(id)->text().toStdString(); };
    m_session.InputsLeft(text(IDC_V1), text(IDC_T1), text(IDC_P1));
}

void FlowDialog::ComputeUpstreamState() { m_session.ComputeUpstreamState(); }

long FlowDialog::OnFlowProbe(int wParam, int32_t lParam)
{
    m_session.OnFlowProbe(wParam, lParam);
    return 0;
}

NumberEdit* FlowDialog::Field(int id)
{
    const auto it = m_fields.find(id);
    return it == m_fields.end() ? nullptr : it->second;
}

QWidget* FlowDialog::Control(int id)
{
    if (id == IDC_VIEW)
        return &m_viewWindow;
    return Field(id);
}

void FlowDialog::ShowSystemMenu(const QPoint& globalPos)
{
    if (!m_sysMenu.isEmpty())
        m_sysMenu.popup(globalPos);
}

void FlowDialog::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
}

bool FlowDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Losing the focus, for whatever reason, recomputes from all three input fields.
    if (event->type() == QEvent::FocusOut && m_initialised && !m_closing && IsInputField(watched))
        OnInputKillFocus();
    return QDialog::eventFilter(watched, event);
}

void FlowDialog::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        OnOK(); // the default command does nothing
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event); // Escape rejects: the program ends
}

void FlowDialog::contextMenuEvent(QContextMenuEvent* event)
{
    ShowSystemMenu(event->globalPos());
    event->accept();
}

void FlowDialog::SetPaused(bool paused)
{
    m_viewWindow.SetPaused(paused);
    BuildSystemMenu();
}

void FlowDialog::StepOnce() { m_session.Tick(); }

void FlowDialog::ResetToStart()
{
    m_session.Reset();
    SyncFields();
}

QImage FlowDialog::PictureImage() const { return ImageCopyOf(m_session.Frame()); }

bool FlowDialog::SavePicture(const QString& path, QString* error)
{
    return WritePng(PictureImage(), path.toStdString(), error);
}

void FlowDialog::CopyPicture() { QGuiApplication::clipboard()->setImage(PictureImage()); }

QString FlowDialog::DefaultPictureName() const
{
    // The label reads "β=135": the file is named after it.
    return QStringLiteral("cornerflow-")
           + QString::fromStdString(m_session.BetaLabel()).remove(QLatin1Char('='))
           + QStringLiteral(".png");
}

void FlowDialog::SavePictureAs()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString suggested =
        QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(DefaultPictureName());
    const QString path = QFileDialog::getSaveFileName(this, Tr("Dialog", "Сохранить рисунок…"),
                                                      suggested,
                                                      Tr("Dialog", "Изображения PNG (*.png)"));
    if (path.isEmpty())
        return; // cancelled
    QString error;
    if (!SavePicture(path, &error))
        QMessageBox::warning(
            this, Tr("Dialog", "Рисунок не сохранён"),
            Tr("Dialog", "Не удалось записать «%1»: %2. Ничего не изменено.").arg(path, error));
}

void FlowDialog::SetLanguage(const QString& language)
{
    const QString wanted = language == QLatin1String("en") ? QStringLiteral("en")
                                                           : QStringLiteral("ru");
    if (wanted == m_language)
        return;
    QCoreApplication::removeTranslator(&m_translator);
    if (wanted == QLatin1String("en")) {
        if (!m_translator.load(QStringLiteral(":/cornerflow/i18n/cornerflow_en.qm")))
            return; // no English words: stay as we are
        QCoreApplication::installTranslator(&m_translator);
    }
    m_language = wanted;
    Retranslate();
}

void FlowDialog::Retranslate()
{
    const bool english = m_language == QLatin1String("en");
    setWindowTitle(Tr("Dialog", res::MainDialogTemplate().caption));
    if (english != m_imagesEnglish) {
        m_imagesEnglish = english;
        for (QLabel* label : findChildren<QLabel*>()) {
            const QVariant id = label->property("bitmapId");
            if (id.isValid())
                label->setPixmap(RenderBitmap(id.toInt(), devicePixelRatioF(), english));
        }
    }
    for (auto& f : m_fields) {
        const FieldRow& row = *FindField(f.first);
        const QString symbol = Tr("Field", row.symbol);
        f.second->setAccessibleName(symbol + QStringLiteral(": ") + Tr("Field", row.words));
        f.second->setAccessibleDescription(Tr("Field", FieldRoleWords(row.source)));
    }
    m_viewWindow.setAccessibleName(Tr("Picture", kPictureName));
    m_pictureDescription.clear();
    UpdatePictureDescription();
    BuildSystemMenu();
}

QString FlowDialog::PictureDescription() const
{
    const PictureFacts f = m_session.Facts();
    return Tr("Picture", PictureWords(f.flow))
        .arg(QString::fromStdString(f.turnDegrees), QString::fromStdString(f.spanDegrees));
}

void FlowDialog::UpdatePictureDescription()
{
    const QString now = PictureDescription();
    if (now == m_pictureDescription)
        return;
    m_pictureDescription = now;
    m_viewWindow.setAccessibleDescription(now);
    QAccessibleEvent changed(&m_viewWindow, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void FlowDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The picture's focus mark: a bar in the highlight colour along the strip above the
    // picture, so that the picture itself stays exactly the frame.
    if (!m_viewWindow.hasFocus())
        return;
    const QRect picture = m_viewWindow.geometry();
    QPainter painter(this);
    const int height = std::min(3, picture.top());
    if (height > 0)
        painter.fillRect(QRect(picture.left(), picture.top() - height - 1, picture.width(), height),
                         palette().color(QPalette::Active, QPalette::Highlight));
}
