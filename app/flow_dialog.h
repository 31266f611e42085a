#pragma once
// The main dialog on the desktop: the picture above three groups of numeric fields (inputs and
// upstream state, critical state, the flow at the probed point). A thin shell over the
// session, which does everything the dialog does: this class makes the widgets from the
// control table, forwards focus changes, the mouse, keys and the timer, and shows the texts
// and frames. It also offers the About box from its own menu.
#include <cstdint>
#include <map>
#include <optional>

#include <QBrush>
#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QString>
#include <QTranslator>

#include "app/flow_view_widget.h"
#include "app/number_edit.h"
#include "dialog/flow_session.h"

class FlowDialog : public QDialog {
public:
    FlowDialog(FlowState& fs, Corner& corner, QWidget* parent = nullptr);
    ~FlowDialog() override;

    // The seed of the picture's random generator; without one, the tick count at opening.
    // Takes effect only before the dialog first opens.
    void SetSeed(uint32_t seed) { m_seed = seed; }

    // Runs once, when the dialog first opens (or earlier, when called).
    bool OnInitDialog();
    bool Initialised() const { return m_initialised; }
    // Enter: nothing happens.
    void OnOK();
    void OnSysCommand(unsigned nID, intptr_t param);
    // The background colour of a control, or of the dialog itself for this: white, except
    // for read-only edit fields, which keep the platform's read-only colour.
    QColor OnCtlColor(const QWidget* pWnd) const;

    void OnInputKillFocus();
    void ComputeUpstreamState();
    long OnFlowProbe(int wParam, int32_t lParam);

    // The colour read-only fields show: the palette's window colour, kept apart from white.
    static QColor ReadOnlyColour();

    NumberEdit* Field(int id);
    QWidget* Control(int id);
    FlowView& View() { return m_session.View(); }
    FlowSession& Session() { return m_session; }
    FlowViewWidget& ViewWindow() { return m_viewWindow; }
    QMenu& SystemMenu() { return m_sysMenu; }
    // Opens the system menu at a global position.
    void ShowSystemMenu(const QPoint& globalPos);

    // The classroom's controls, also in the dialog's menu: the animation stopped and started,
    // one tick at a time, and everything back to the start-up state.
    void SetPaused(bool paused);
    bool Paused() const { return m_viewWindow.Paused(); }
    void StepOnce();
    void ResetToStart();
    // The picture as a PNG at the screen's resolution, written whole or not at all; false and
    // a reason when it could not be written.
    bool SavePicture(const QString& path, QString* error);
    void CopyPicture();
    // The name a saved picture is offered under: cornerflow-β135.png for the current beta.
    QString DefaultPictureName() const;
    // "ru" (the default) or "en": the dialog's words and label images in that language.
    void SetLanguage(const QString& language);
    QString Language() const { return m_language; }
    // What a screen reader hears of the picture, following the state.
    QString PictureDescription() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void ApplyCtlColor(QWidget* w);
    // Shows every field text the session has written since it was last shown.
    void SyncFields();
    // The words, images and accessible names in the current language.
    void Retranslate();
    void BuildSystemMenu();
    void UpdatePictureDescription();
    void SavePictureAs();
    QImage PictureImage() const;
    bool IsInputField(const QObject* o) const;

    FlowSession m_session;
    std::optional<uint32_t> m_seed;
    bool m_initialised = false;
    bool m_closing = false;

    QIcon m_hIcon;
    FlowViewWidget m_viewWindow;
    QBrush m_whiteBrush;
    std::map<int, NumberEdit*> m_fields;    // by control id, one per row of the field table
    std::map<int, unsigned> m_shownVersion; // the session's text version each field shows
    QMenu m_sysMenu;
    QMenu m_languageMenu;
    QTranslator m_translator;
    QString m_language = QStringLiteral("ru");
    QString m_pictureDescription;
    bool m_imagesEnglish = false; // the label images show their English twins
};
