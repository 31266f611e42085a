#include "app/flow_dialog.h"

#include <algorithm>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSettings>
#include <QShortcut>
#include <QString>
#include <QSvgRenderer>
#include <QTimer>

#include "app/about_dialog.h"
#include "app/picture_accessible.h"
#include "app/qt_translations.h"
#include "app/snapshot_support.h"
#include "dialog/languages.h"
#include "res/dialog_templates.h"
#include "res/ids.h"

namespace {

QString Tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

// A label image as a static bitmap control shows it: at the image's own size, with the words of
// the language with this code.
QPixmap RenderBitmap(ImageId image, double devicePixelRatio, const std::string& language)
{
    const std::string path = res::LabelPath(image, language);
    if (path.empty())
        return QPixmap();
    QSvgRenderer renderer(QString::fromStdString(path));
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

// The status line's words in its lines: in the dialog's font, or a point smaller at a time
// (down to 6 points) where they would run past its last line.
void FitStatusFont(QLabel& status, const QFont& dialogFont)
{
    QFont font = dialogFont;
    const QRect box = status.contentsRect();
    while (font.pointSize() > 6
           && QFontMetrics(font)
                      .boundingRect(QRect(0, 0, box.width(), 100000),
                                    Qt::TextWordWrap | int(status.alignment()), status.text())
                      .height()
                  > box.height())
        font.setPointSize(font.pointSize() - 1);
    if (status.font() != font)
        status.setFont(font);
}

} // namespace

FlowDialog::FlowDialog(QWidget* parent)
    : QDialog(parent),
      viewWindow_(session_, this),
      whiteBrush_(QColor(255, 255, 255)),
      menu_(this),
      announcer_([this](const QString&) {
          QAccessibleEvent changed(&viewWindow_, QAccessible::DescriptionChanged);
          SendAccessibleEvent(changed);
      })
{
    session_.KeepChoicesIn(&store_);
    for (size_t i = 0; i < FieldCount(); ++i)
        fields_[FieldTable()[i].id] = new NumberEdit(this);
    gasChoice_ = new QComboBox(this);
    gasGamma_ = new NumberEdit(this);
    gasMolarMass_ = new NumberEdit(this);
    CreateControls();
    session_.fieldsChanged = [this] {
        SyncFields();
        SyncGas();
    };
    session_.pauseChanged = [this] {
        viewWindow_.FollowPause();
        BuildMenu();
        PictureChanged(); // the description says whether the animation stands
    };
    viewWindow_.frameShown = [this] { PictureChanged(); };
    viewWindow_.dragEnded = [this] { announcer_.GestureEnded(); };
    viewWindow_.keyHandled = [this] {
        announcer_.KeyPressed();
        BuildMenu(); // the key E chooses the flow the picture follows: its check mark
    };
    // Only the strip above the picture: the picture itself is not drawn again.
    viewWindow_.focusChanged = [this] {
        update(QRect(0, 0, width(), viewWindow_.geometry().top()));
    };
    Retranslate();
}

FlowDialog::~FlowDialog()
{
    // Focus changes while the fields go away must not reach the flow model.
    closing_ = true;
    session_.fieldsChanged = nullptr;
    session_.pauseChanged = nullptr;
    viewWindow_.frameShown = nullptr;
    viewWindow_.dragEnded = nullptr;
    viewWindow_.keyHandled = nullptr;
    viewWindow_.focusChanged = nullptr;
    viewWindow_.Timer().stop();
    for (auto& f : fields_)
        f.second->removeEventFilter(this);
    gasGamma_->removeEventFilter(this);
    gasMolarMass_->removeEventFilter(this);
    if (plot_ && plot_->isVisible()) // where the plot's window was left
        QSettings().setValue(QStringLiteral("plot/geometry"), plot_->saveGeometry());
}

bool FlowDialog::IsInputField(const QObject* o) const
{
    for (const auto& f : fields_)
        if (f.second == o)
            return FindField(f.first)->source == FieldSource::Input;
    return false;
}

void FlowDialog::SyncFields()
{
    for (auto& f : fields_) {
        const unsigned version = session_.FieldVersion(f.first);
        unsigned& shown = shownVersion_[f.first];
        if (shown == version)
            continue;
        shown = version;
        const QString text = QString::fromStdString(session_.FieldText(f.first));
        if (f.second->text() != text)
            f.second->setText(text);
        if (FindField(f.first)->source == FieldSource::Input) // only what is typed has a note
            ShowFieldNote(f.first);
    }
}

void FlowDialog::ShowFieldNote(ControlId id)
{
    NumberEdit* field = Field(id);
    const FieldRow* row = FindField(id);
    if (!field || !row)
        return;
    const QString note = QString::fromStdString(session_.FieldNote(id));
    // The note belongs to the text it was read from: typing hides it until the field is read
    // again.
    field->SetNote(note, QString::fromStdString(session_.FieldText(id)));
    const QString description = QString::fromStdString(session_.FieldDescription(id));
    const QString readAs = QString::fromStdString(session_.FieldNoteText(id));
    // Set only when they change: each change is an event a screen reader hears.
    if (field->accessibleDescription() != description)
        field->setAccessibleDescription(description);
    if (field->toolTip() != readAs)
        field->setToolTip(readAs);
}

void FlowDialog::CreateControls()
{
    const res::DialogTemplate& t = res::MainDialogTemplate();
    CreateFrame(t);
    QWidget* previous = nullptr;
    for (const res::ControlTemplate& c : t) {
        QWidget* w = CreateControl(t, c);
        if (!w)
            continue;
        w->setProperty("controlId", ToInt(c.id));
        ApplyBackgroundColour(w);
        // The template order is also the stacking order, first control on top: an image
        // wider than its place lies under the field beside it.
        w->lower();
        if (w->focusPolicy() & Qt::TabFocus) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }
    for (auto& f : fields_)
        if (IsInputField(f.second))
            f.second->installEventFilter(this);
    CreateGasRow();
    connect(&menu_, &QMenu::triggered, this, [this](QAction* action) {
        if (!action->data().isNull())
            MenuCommandChosen(static_cast<Command>(action->data().toInt()),
                              action->property("language").toString());
    });
    auto* altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(altSpace, &QShortcut::activated, this, [this] { ShowMenu(mapToGlobal(QPoint(0, 0))); });
}

void FlowDialog::CreateFrame(const res::DialogTemplate& t)
{
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
    // The status line under everything, three lines high whatever the language says, so the
    // dialog and the picture keep their size and place when the words change.
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int statusHeight = 3 * status_->fontMetrics().lineSpacing() + 6;
    status_->setGeometry(8, box.h, box.w - 16, statusHeight);
    setFixedSize(box.w, box.h + statusHeight);
    ApplyBackgroundColour(this);
}

QWidget* FlowDialog::CreateControl(const res::DialogTemplate& t, const res::ControlTemplate& c)
{
    const res::PixelRect r = t.ToPixels(c.rect);
    switch (c.kind) {
    case res::ControlKind::View: viewWindow_.setGeometry(r.x, r.y, r.w, r.h); return &viewWindow_;
    case res::ControlKind::InputField:
    case res::ControlKind::ReadOnlyField: {
        NumberEdit* e = Field(c.id);
        if (!e)
            return nullptr;
        e->setReadOnly(c.kind == res::ControlKind::ReadOnlyField);
        e->setGeometry(r.x, r.y, r.w, r.h);
        return e;
    }
    case res::ControlKind::Choice: gasChoice_->setGeometry(r.x, r.y, r.w, r.h); return gasChoice_;
    case res::ControlKind::GasField: {
        NumberEdit* e = c.id == ControlId::GasGamma ? gasGamma_ : gasMolarMass_;
        e->setGeometry(r.x, r.y, r.w, r.h);
        e->hide(); // until "other gas" is chosen
        return e;
    }
    case res::ControlKind::TextLeft: {
        auto* label = new QLabel(this);
        label->setGeometry(r.x, r.y, r.w, r.h);
        captions_.emplace_back(label, c.text);
        // The captions right of the drop-down belong to "other gas"'s fields.
        const res::ControlTemplate* choice = t.Find(ControlId::GasChoice);
        if (choice && c.rect.x > choice->rect.x + choice->rect.w) {
            otherGasCaptions_.push_back(label);
            label->hide();
        }
        return label;
    }
    case res::ControlKind::LabelImage: {
        auto* label = new QLabel(this);
        const QPixmap pixmap = RenderBitmap(c.image, devicePixelRatioF(), SourceLanguage().code);
        label->setPixmap(pixmap);
        const QSize size = pixmap.deviceIndependentSize().toSize();
        label->setGeometry(r.x, r.y, size.width(), size.height());
        label->setProperty("imageId", static_cast<int>(c.image));
        return label;
    }
    default: return nullptr;
    }
}

bool FlowDialog::Initialise()
{
    if (initialised_)
        return true;
    initialised_ = true;
    icon_ = LoadAppIcon();
    setWindowIcon(icon_);

    // The session's start-up: the picture, every field's start text, the first state.
    const res::DialogTemplate& t = res::MainDialogTemplate();
    const res::PixelRect picture = t.ToPixels(t.Find(ControlId::Picture)->rect);
    viewWindow_.Attach(picture.w, picture.h, seed_ ? *seed_ : TickCount());
    SyncFields();

    viewWindow_.setFocus(Qt::OtherFocusReason);
    return true;
}

QColor FlowDialog::ReadOnlyColour()
{
    const QColor window = QApplication::palette().color(QPalette::Active, QPalette::Window);
    if (window == QColor(255, 255, 255))
        return QColor(240, 240, 240);
    return window;
}

QColor FlowDialog::BackgroundColour(const QWidget* control) const
{
    const auto* edit = qobject_cast<const QLineEdit*>(control);
    if (edit && edit->isReadOnly())
        return ReadOnlyColour();
    return whiteBrush_.color();
}

void FlowDialog::ApplyBackgroundColour(QWidget* w)
{
    const QColor colour = BackgroundColour(w);
    QPalette palette = w->palette();
    const QPalette::ColorRole role = qobject_cast<QLineEdit*>(w) ? QPalette::Base
                                                                 : QPalette::Window;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    w->setPalette(palette);
}

void FlowDialog::InputFieldLeft()
{
    ForEachField(FieldSource::Input, [this](const FieldRow& row) {
        session_.SetInputText(row.id, fields_.at(row.id)->text().toStdString());
    });
    session_.InputsLeft();
}

NumberEdit* FlowDialog::Field(ControlId id)
{
    const auto it = fields_.find(id);
    return it == fields_.end() ? nullptr : it->second;
}

QWidget* FlowDialog::Control(ControlId id)
{
    switch (id) {
    case ControlId::Picture: return &viewWindow_;
    case ControlId::GasChoice: return gasChoice_;
    case ControlId::GasGamma: return gasGamma_;
    case ControlId::GasMolarMass: return gasMolarMass_;
    default: return Field(id);
    }
}

void FlowDialog::showEvent(QShowEvent* event)
{
    Initialise();
    QDialog::showEvent(event);
    // The plot's window restored at start opens once the dialog stands where it will, beside it.
    if (plotWhenShown_) {
        plotWhenShown_ = false;
        QTimer::singleShot(0, this, [this] { ShowPlot(true); });
    }
}

bool FlowDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Losing the focus, for whatever reason, recomputes from all three input fields.
    if (event->type() == QEvent::FocusOut && initialised_ && !closing_ && IsInputField(watched))
        InputFieldLeft();
    if (event->type() == QEvent::FocusOut && initialised_ && !closing_
        && (watched == gasGamma_ || watched == gasMolarMass_))
        GasFieldLeft();
    return QDialog::eventFilter(watched, event);
}

void FlowDialog::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept(); // Enter does nothing: the dialog has no default command
        return;
    }
    QDialog::keyPressEvent(event); // Escape rejects: the program ends
}

void FlowDialog::contextMenuEvent(QContextMenuEvent* event)
{
    ShowMenu(event->globalPos());
    event->accept();
}

void FlowDialog::SetLanguage(const QString& language)
{
    // Any row of the table; another code is the program's own language.
    const ::Language* row = FindLanguage(language.toStdString());
    if (!row)
        row = &SourceLanguage();
    // The program's words from the core's table; the toolkit's own (file dialogs, message
    // boxes) follow the window's.
    InstallProgramWords(QString::fromUtf8(row->code));
    InstallQtTranslations(QString::fromUtf8(row->code));
    session_.SetLanguage(row->code);
    Retranslate();
}

void FlowDialog::Retranslate()
{
    if (plot_)
        plot_->Retranslate();
    if (legend_)
        legend_->Retranslate();
    setWindowTitle(Tr("Dialog", res::MainDialogTemplate().caption));
    if (session_.Language() != imagesLanguage_) {
        imagesLanguage_ = session_.Language();
        for (QLabel* label : findChildren<QLabel*>()) {
            const QVariant id = label->property("imageId");
            if (id.isValid())
                label->setPixmap(RenderBitmap(static_cast<ImageId>(id.toInt()), devicePixelRatioF(),
                                              imagesLanguage_));
        }
    }
    for (auto& f : fields_) {
        f.second->setAccessibleName(QString::fromStdString(session_.FieldName(f.first)));
        ShowFieldNote(f.first);
    }
    viewWindow_.setAccessibleName(Tr("Picture", kPictureName));
    for (const auto& [label, words] : captions_)
        label->setText(Tr("Dialog", words));
    RetranslateGasRow();
    PictureChanged();
    BuildMenu();
}

QString FlowDialog::StatusLine() const { return status_ ? status_->text() : QString(); }

QString FlowDialog::PictureDescription() const { return ::PictureDescription(session_); }

void FlowDialog::PictureChanged()
{
    // Asked after every frame: only a change is told. The description's words are the
    // picture's accessible description whenever it is asked; the announcer decides when the
    // screen reader is told that they changed.
    if (!session_.IsOpen())
        return;
    const QString status = StatusText(session_);
    if (status_ && status_->text() != status) {
        status_->setText(status);
        status_->setAccessibleName(status);
        FitStatusFont(*status_, font());
    }
    const QString now = PictureDescription();
    if (now != pictureDescription_) {
        pictureDescription_ = now;
        announcer_.Changed(now);
    }
    if (legend_)
        legend_->Update(); // the lines the picture draws now
    const double value = session_.WallSlider().value;
    if (value != sliderValue_) {
        sliderValue_ = value;
        QAccessibleValueChangeEvent changed(&viewWindow_, value);
        SendAccessibleEvent(changed);
    }
}

void FlowDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The picture's focus mark: a bar in the highlight colour along the strip above the
    // picture, so that the picture itself stays exactly the frame.
    if (!viewWindow_.hasFocus())
        return;
    const QRect picture = viewWindow_.geometry();
    QPainter painter(this);
    const int height = std::min(3, picture.top());
    if (height > 0)
        painter.fillRect(QRect(picture.left(), picture.top() - height - 1, picture.width(), height),
                         palette().color(QPalette::Active, QPalette::Highlight));
}
