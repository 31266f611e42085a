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
#include "model/probe.h"
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
      m_fs(fs),
      m_corner(corner),
      m_view(fs, corner),
      m_viewWindow(m_view, this),
      m_whiteBrush(QColor(255, 255, 255)),
      m_v1Edit(this),
      m_t1Edit(this),
      m_p1Edit(this),
      m_rho1Edit(this),
      m_vEdit(this),
      m_tEdit(this),
      m_pEdit(this),
      m_rhoEdit(this),
      m_c1Edit(this),
      m_m1Edit(this),
      m_cEdit(this),
      m_mEdit(this),
      m_vol1Edit(this),
      m_volEdit(this),
      m_critSpeedEdit(this),
      m_critTempEdit(this),
      m_critPressureEdit(this),
      m_critDensityEdit(this),
      m_critVolumeEdit(this),
      m_vPhiEdit(this),
      m_vrEdit(this),
      m_sysMenu(this)
{
    // The flow's start values; t1 is replaced by the T1 field's 273 before the dialog shows.
    m_fs.gamma = 1.4;
    m_fs.molarMass = 28;
    m_fs.p1 = 100000;
    m_fs.t1 = 300;
    m_fs.v1 = 450;

    CreateControls();
}

CFlowDlg::~CFlowDlg()
{
    // Focus changes while the fields go away must not reach the flow model.
    m_closing = true;
    m_viewWindow.Timer().stop();
    for (CNumEdit* e : {&m_v1Edit, &m_t1Edit, &m_p1Edit})
        e->removeEventFilter(this);
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

    for (CNumEdit* e : {&m_v1Edit, &m_t1Edit, &m_p1Edit})
        e->installEventFilter(this);

    connect(&m_sysMenu, &QMenu::triggered, this,
            [this](QAction* action) { OnSysCommand(action->data().toUInt(), 0); });
    auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(altSpace, &QShortcut::activated, this,
            [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });

    m_viewWindow.probeHandler = [this](int region, int32_t lParam) { OnFlowProbe(region, lParam); };
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

    const res::DialogTemplate& t = res::MainDialogTemplate();
    const res::PixelRect picture = t.ToPixels(t.Find(IDC_VIEW)->rect);
    m_viewWindow.Attach(picture.w, picture.h, m_seed ? *m_seed : TickCount());

    const struct {
        int id;
        double value;
    } start[] = {
        {IDC_CRIT_SPEED, 0}, {IDC_CRIT_TEMP, 0}, {IDC_CRIT_PRESSURE, 0}, {IDC_CRIT_DENSITY, 0},
        {IDC_CRIT_VOLUME, 0}, {IDC_V1, 450}, {IDC_T1, 273}, {IDC_P1, 100000},
        {IDC_RHO1, 0}, {IDC_C1, 0}, {IDC_V, 0}, {IDC_T, 0}, {IDC_P, 0}, {IDC_RHO, 0},
        {IDC_M1, 0}, {IDC_C, 0}, {IDC_M, 0}, {IDC_VOL1, 0}, {IDC_VOL, 0}, {IDC_VPHI, 0},
        {IDC_VR, 0},
    };
    for (const auto& s : start)
        Field(s.id)->SetValue(s.value);

    ComputeUpstreamState(); // from the constructed state, t1 still 300
    OnInputKillFocus();     // reads the fields back: the first state shown has T1 = 273

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
    m_fs.v1 = m_v1Edit.GetValue();
    m_fs.t1 = m_t1Edit.GetValue();
    m_fs.p1 = m_p1Edit.GetValue();
    ComputeUpstreamState();
}

void CFlowDlg::ComputeUpstreamState()
{
    ::ComputeUpstreamState(m_fs);
    m_rho1Edit.SetValue(m_fs.rho1);
    m_c1Edit.SetValue(m_fs.c1);
    m_vol1Edit.SetValue(m_fs.vol1);
    m_m1Edit.SetValue(m_fs.mach1);
    m_critSpeedEdit.SetValue(m_fs.critSpeed);
    m_critTempEdit.SetValue(m_fs.critTemp);
    m_critPressureEdit.SetValue(m_fs.critPressure);
    m_critDensityEdit.SetValue(m_fs.critDensity);
    m_critVolumeEdit.SetValue(m_fs.critVolume);
    m_view.UpdatePopulation();
    m_view.RecomputeFlow();
}

long CFlowDlg::OnFlowProbe(int wParam, int32_t lParam)
{
    const ProbeValues v = ProbeReadout(m_fs, wParam, lParam);
    m_pEdit.SetValue(v.P);
    m_vEdit.SetValue(v.V);
    m_tEdit.SetValue(v.T);
    m_rhoEdit.SetValue(v.rho);
    m_cEdit.SetValue(v.c);
    m_mEdit.SetValue(v.M);
    m_volEdit.SetValue(v.V0);
    m_vPhiEdit.SetValue(v.Vphi);
    m_vrEdit.SetValue(v.Vr);
    return 0;
}

CNumEdit* CFlowDlg::Field(int id)
{
    switch (id) {
    case IDC_V1: return &m_v1Edit;
    case IDC_T1: return &m_t1Edit;
    case IDC_P1: return &m_p1Edit;
    case IDC_RHO1: return &m_rho1Edit;
    case IDC_V: return &m_vEdit;
    case IDC_T: return &m_tEdit;
    case IDC_P: return &m_pEdit;
    case IDC_RHO: return &m_rhoEdit;
    case IDC_C1: return &m_c1Edit;
    case IDC_M1: return &m_m1Edit;
    case IDC_C: return &m_cEdit;
    case IDC_M: return &m_mEdit;
    case IDC_VOL1: return &m_vol1Edit;
    case IDC_VOL: return &m_volEdit;
    case IDC_CRIT_SPEED: return &m_critSpeedEdit;
    case IDC_CRIT_TEMP: return &m_critTempEdit;
    case IDC_CRIT_PRESSURE: return &m_critPressureEdit;
    case IDC_CRIT_DENSITY: return &m_critDensityEdit;
    case IDC_CRIT_VOLUME: return &m_critVolumeEdit;
    case IDC_VPHI: return &m_vPhiEdit;
    case IDC_VR: return &m_vrEdit;
    default: return nullptr;
    }
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
    if (event->type() == QEvent::FocusOut && m_initialised && !m_closing
        && (watched == &m_v1Edit || watched == &m_t1Edit || watched == &m_p1Edit))
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
