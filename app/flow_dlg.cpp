#include "app/flow_dlg.h"


#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QShortcut>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

#include "app/about_dlg.h"
#include "app/snapshot_support.h"
#include "res/dialog_templates.h"
#include "res/resource.h"

namespace {

// A label image as a static bitmap control shows it: at the image's own size.
QPixmap RenderBitmap(int bitmapId, double devicePixelRatio)
{
    const char* path = res::BitmapPath(bitmapId);
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

CFlowDlg::CFlowDlg(FlowState& fs, CCorner& corner, QWidget* parent)
    : QDialog(parent),
      m_session(fs, corner),
      m_viewWindow(m_session, this),
      m_whiteBrush(QColor(255, 255, 255)),
      m_sysMenu(this)
{
    for (size_t i = 0; i < FieldCount(); ++i)
        m_fields[FieldTable()[i].id] = new CNumEdit(this);
    CreateControls();
    m_session.fieldsChanged = [this] { SyncFields(); };
}

CFlowDlg::~CFlowDlg()
{
    // Focus changes while the fields go away must not reach the flow model.
    m_closing = true;
    m_session.fieldsChanged = nullptr;
    m_viewWindow.Timer().stop();
    for (auto& f : m_fields)
        f.second->removeEventFilter(this);
}

bool CFlowDlg::IsInputField(const QObject* o) const
{
    for (const auto& f : m_fields)
        if (f.second == o)
            return FindField(f.first)->source == FieldSource::Input;
    return false;
}

void CFlowDlg::SyncFields()
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

void CFlowDlg::CreateControls()
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
            CNumEdit* e = Field(c.id);
            if (!e)
                break;
            e->setReadOnly(c.kind == res::ControlKind::ReadOnlyField);
            e->setGeometry(r.x, r.y, r.w, r.h);
            w = e;
            break;
        }
        case res::ControlKind::LabelImage: {
            auto* label = new QLabel(this);
            const QPixmap pixmap = RenderBitmap(c.image, devicePixelRatioF());
            label->setPixmap(pixmap);
            const QSize size = pixmap.deviceIndependentSize().toSize();
            label->setGeometry(r.x, r.y, size.width(), size.height());
            label->setProperty("bitmapId", c.image);
            w = label;
            break;
        }
        default:
            break;
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

    connect(&m_sysMenu, &QMenu::triggered, this,
            [this](QAction* action) { OnSysCommand(action->data().toUInt(), 0); });
    auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(altSpace, &QShortcut::activated, this,
            [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

bool CFlowDlg::OnInitDialog()
{
    if (m_initialised)
        return true;
    m_initialised = true;

    // The system menu: Close, and after a separator the About item.
    m_sysMenu.clear();
    QAction* close = m_sysMenu.addAction(QStringLiteral("Close"));
    close->setData(SC_CLOSE_COMMAND);
    const QString about = QString::fromUtf8(res::LoadString(IDS_ABOUTBOX));
    if (!about.isEmpty()) {
        m_sysMenu.addSeparator();
        QAction* item = m_sysMenu.addAction(about);
        item->setData(IDM_ABOUTBOX);
    }

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

void CFlowDlg::OnOK() {}

void CFlowDlg::OnSysCommand(unsigned nID, intptr_t)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout(this);
        dlgAbout.exec();
        return;
    }
    // Default handling. Moving and sizing belong to the window manager here.
    if ((nID & 0xFFF0) == SC_CLOSE_COMMAND)
        close();
}

QColor CFlowDlg::ReadOnlyColour()
{
    const QColor window = QApplication::palette().color(QPalette::Active, QPalette::Window);
    if (window == QColor(255, 255, 255))
        return QColor(240, 240, 240);
    return window;
}

QColor CFlowDlg::OnCtlColor(const QWidget* pWnd) const
{
    const auto* edit = qobject_cast<const QLineEdit*>(pWnd);
    if (edit && edit->isReadOnly())
        return ReadOnlyColour();
    return m_whiteBrush.color();
}

void CFlowDlg::ApplyCtlColor(QWidget* w)
{
    const QColor colour = OnCtlColor(w);
    QPalette palette = w->palette();
    const QPalette::ColorRole role = qobject_cast<QLineEdit*>(w) ? QPalette::Base : QPalette::Window;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    w->setPalette(palette);
}

void CFlowDlg::OnInputKillFocus()
{
    const auto text = [this](int id) { return m_fields.at(id)->text().toStdString(); };
    m_session.InputsLeft(text(IDC_V1), text(IDC_T1), text(IDC_P1));
}

void CFlowDlg::ComputeUpstreamState() { m_session.ComputeUpstreamState(); }

long CFlowDlg::OnFlowProbe(int wParam, int32_t lParam)
{
    m_session.OnFlowProbe(wParam, lParam);
    return 0;
}

CNumEdit* CFlowDlg::Field(int id)
{
    const auto it = m_fields.find(id);
    return it == m_fields.end() ? nullptr : it->second;
}

QWidget* CFlowDlg::Control(int id)
{
    if (id == IDC_VIEW)
        return &m_viewWindow;
    return Field(id);
}

void CFlowDlg::ShowSystemMenu(const QPoint& globalPos)
{
    if (!m_sysMenu.isEmpty())
        m_sysMenu.popup(globalPos);
}

void CFlowDlg::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
}

bool CFlowDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Losing the focus, for whatever reason, recomputes from all three input fields.
    if (event->type() == QEvent::FocusOut && m_initialised && !m_closing && IsInputField(watched))
        OnInputKillFocus();
    return QDialog::eventFilter(watched, event);
}

void CFlowDlg::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        OnOK(); // the default command does nothing
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event); // Escape rejects: the program ends
}

void CFlowDlg::contextMenuEvent(QContextMenuEvent* event)
{
    ShowSystemMenu(event->globalPos());
    event->accept();
}
