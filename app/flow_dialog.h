#pragma once
// The main dialog on the desktop: the picture above three groups of numeric fields (inputs and
// upstream state, critical state, the flow at the probed point). A thin shell over the
// session, which does everything the dialog does: this class makes the widgets from the
// control table, forwards focus changes, the mouse, keys and the timer, and shows the texts
// and frames. Its menu (flow_dialog_menu.cpp), gas row (flow_dialog_gas.cpp) and saving
// (flow_dialog_saving.cpp, through SaveAs) are in files of their own.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QBrush>
#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QString>
#include <QTranslator>

#include "app/flow_view_widget.h"
#include "app/legend_window.h"
#include "app/number_edit.h"
#include "app/picture_announcer.h"
#include "app/plot_window.h"
#include "app/settings_store.h"
#include "dialog/flow_session.h"
#include "res/dialog_templates.h"

class FlowDialog : public QDialog {
public:
    explicit FlowDialog(QWidget* parent = nullptr);
    ~FlowDialog() override;

    // The seed of the picture's random generator; without one, the tick count at opening.
    // Takes effect only before the dialog first opens.
    void SetSeed(uint32_t seed) { seed_ = seed; }

    // Runs once, when the dialog first opens (or earlier, when called).
    bool Initialise();
    bool Initialised() const { return initialised_; }
    // A command of the dialog's menu, as the session describes it.
    // language: the code a Command::Language item carries.
    void MenuCommandChosen(Command command, const QString& language = QString());
    // The background colour of a control, or of the dialog itself for this: white, except
    // for read-only edit fields, which keep the platform's read-only colour.
    QColor BackgroundColour(const QWidget* control) const;
    // An input field lost the focus: the three texts are read and everything follows.
    void InputFieldLeft();

    // The colour read-only fields show: the palette's window colour, kept apart from white.
    static QColor ReadOnlyColour();
    // The teacher's guide to open for a file name of the session (GuideFileName): among the
    // program's installed documents, or the source tree's when run from a build; the English
    // guide where that language has none; "" when neither is there.
    static QString GuidePath(const std::string& guideFile);

    NumberEdit* Field(ControlId id);
    QWidget* Control(ControlId id);
    FlowSession& Session() { return session_; }
    FlowViewWidget& ViewWindow() { return viewWindow_; }
    QMenu& Menu() { return menu_; }
    // Opens the menu at a global position.
    void ShowMenu(const QPoint& globalPos);

    // The picture as a PNG at the screen's resolution, written whole or not at all; false and
    // a reason in the window's language when it could not be written.
    bool SavePicture(const QString& path, QString* error);
    void CopyPicture();
    // The dialog's words, label images and the toolkit's own words in the language with this
    // code of the table of languages ("ru" by default; another code is "ru").
    void SetLanguage(const QString& language);
    QString Language() const { return QString::fromStdString(session_.Language()); }
    // What a screen reader hears of the picture, following the state.
    QString PictureDescription() const;
    // The plot's window, shown beside the dialog or put away (remembered); nullptr until it
    // was first shown.
    void ShowPlot(bool shown);
    PlotWindow* Plot() { return plot_.get(); }
    // Shows what the session opened on (with what the user chose last time): the gas's
    // controls, the plot's window when it is open, the menu's check marks.
    void ShowOpening();
    // The status line under the picture: what the flow is doing now, in words (its text is
    // also its accessible name).
    QString StatusLine() const;
    // The legend's window, shown or put away; nullptr until it was first shown.
    void ShowLegend(bool shown);
    LegendWindow* Legend() { return legend_.get(); }
    // When the screen reader is told that the description changed.
    PictureAnnouncer& Announcements() { return announcer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    // The window's title, font and size, and the status line under the controls.
    void CreateFrame(const res::DialogTemplate& t);
    // The widget of one control of the table, placed; nullptr for a control it has none of.
    QWidget* CreateControl(const res::DialogTemplate& t, const res::ControlTemplate& c);
    void ApplyBackgroundColour(QWidget* w);
    // Shows every field text the session has written since it was last shown.
    void SyncFields();
    // The words, images and accessible names in the current language.
    void Retranslate();
    void BuildMenu();
    // The picture's description or its slider value may have changed: the screen reader is told.
    void PictureChanged();
    // The note an input field shows of what was read from its text, and its words for a screen
    // reader.
    void ShowFieldNote(ControlId id);
    void SavePictureAs();
    // Does what is left to the shell after the session handled a key or a command.
    void Carry(ShellAction action);
    // Opens the teacher's guide in the window's language, or says where it is missing.
    void OpenGuide();
    QImage PictureImage() const;
    bool IsInputField(const QObject* o) const;
    // The gas as the session has it: the drop-down's choice, "other gas"'s fields (shown for it
    // only) with their texts and note.
    void SyncGas();
    // A gas chosen in the drop-down; "other gas"'s fields left.
    void GasChosen(int index);
    void GasFieldLeft();
    // The gas row's items and its fields' event filter; its words in the current language.
    void CreateGasRow();
    void RetranslateGasRow();

    SettingsStore store_; // what the user chooses, kept for the next start
    FlowSession session_;
    std::optional<uint32_t> seed_;
    bool initialised_ = false;
    bool closing_ = false;

    QIcon icon_;
    FlowViewWidget viewWindow_;
    QBrush whiteBrush_;
    std::map<ControlId, NumberEdit*> fields_;    // one per row of the field table
    std::map<ControlId, unsigned> shownVersion_; // the session's text version each field shows
    QMenu menu_;
    std::vector<QAction*> menuActions_; // one per item of the session's menu, in its order
    std::vector<QMenu*> submenus_;
    QString pictureDescription_;
    std::unique_ptr<PlotWindow> plot_;
    std::unique_ptr<LegendWindow> legend_;
    QLabel* status_ = nullptr;
    bool plotWhenShown_ = false; // the plot's window was open when the program last ended
    double sliderValue_ = -1.0;  // the value the screen reader was last told
    PictureAnnouncer announcer_;
    std::string imagesLanguage_ = "ru"; // the code of the language the label images speak
    // The gas: the drop-down (the list's codes as its items' data, "other gas" last), the
    // gamma and molar mass fields of "other gas" and their captions.
    QComboBox* gasChoice_ = nullptr;
    NumberEdit* gasGamma_ = nullptr;
    NumberEdit* gasMolarMass_ = nullptr;
    std::vector<QLabel*> otherGasCaptions_;
    std::vector<std::pair<QLabel*, const char*>> captions_; // the texts' Russian words
};
