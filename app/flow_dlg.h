#pragma once
// The main dialog: the picture above three groups of numeric fields (inputs and upstream
// state, critical state, the flow at the probed point), built from template 102. It hands
// input changes to the flow model, answers the picture's probe and offers the About box from
// its own system menu.
#include <cstdint>
#include <optional>

#include <QBrush>
#include <QDialog>
#include <QIcon>
#include <QMenu>

#include "app/num_edit.h"
#include "model/flow_state.h"
#include "view/corner.h"
#include "view/flow_view.h"
#include "view/flow_view_widget.h"

class CFlowDlg : public QDialog {
public:
    CFlowDlg(FlowState& fs, CCorner& corner, QWidget* parent = nullptr);
    ~CFlowDlg() override;

    // The seed of the picture's random generator; without one, the tick count at opening.
    // Takes effect only before the dialog first opens.
    void SetSeed(uint32_t seed) { m_seed = seed; }

    // Runs once, when the dialog first opens (or earlier, when called).
    bool OnInitDialog();
    bool Initialised() const { return m_initialised; }
    // Enter: nothing happens.
    void OnOK();
    void OnSysCommand(unsigned nID, intptr_t lParam);
    // The background colour of a control, or of the dialog itself for this: white, except
    // for read-only edit fields, which keep the platform's read-only colour.
    QColor OnCtlColor(const QWidget* pWnd) const;

    void OnInputKillFocus();
    void ComputeUpstreamState();
    long OnFlowProbe(int wParam, int32_t lParam);

    // The colour read-only fields show: the palette's window colour, kept apart from white.
    static QColor ReadOnlyColour();

    CNumEdit* Field(int id);
    QWidget* Control(int id);
    CFlowView& View() { return m_view; }
    CFlowViewWidget& ViewWindow() { return m_viewWindow; }
    QMenu& SystemMenu() { return m_sysMenu; }
    // Opens the system menu at a global position.
    void ShowSystemMenu(const QPoint& globalPos);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void ApplyCtlColor(QWidget* w);

    FlowState& m_fs;
    CCorner& m_corner;
    std::optional<uint32_t> m_seed;
    bool m_initialised = false;
    bool m_closing = false;

    QIcon m_hIcon;
    CFlowView m_view;
    CFlowViewWidget m_viewWindow;
    QBrush m_whiteBrush;
    CNumEdit m_v1Edit;            // 1002
    CNumEdit m_t1Edit;            // 1003
    CNumEdit m_p1Edit;            // 1004
    CNumEdit m_rho1Edit;          // 1009
    CNumEdit m_vEdit;             // 1005
    CNumEdit m_tEdit;             // 1006
    CNumEdit m_pEdit;             // 1007
    CNumEdit m_rhoEdit;           // 1010
    CNumEdit m_c1Edit;            // 1011
    CNumEdit m_m1Edit;            // 1012
    CNumEdit m_cEdit;             // 1013
    CNumEdit m_mEdit;             // 1014
    CNumEdit m_vol1Edit;          // 1015
    CNumEdit m_volEdit;           // 1016
    CNumEdit m_critSpeedEdit;     // 1017
    CNumEdit m_critTempEdit;      // 1018
    CNumEdit m_critPressureEdit;  // 1019
    CNumEdit m_critDensityEdit;   // 1020
    CNumEdit m_critVolumeEdit;    // 1021
    CNumEdit m_vPhiEdit;          // 1008
    CNumEdit m_vrEdit;            // 1022
    QMenu m_sysMenu;
};
