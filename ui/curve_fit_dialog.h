#pragma once

#include "analysis/curve_fit.h"

#include <QDialog>

#include <memory>
#include <string>
#include <thread>
#include <vector>

class CTarnDoc;
class Messages;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTabBar;
class QTreeWidget;

/// "Non-linear Curve Fit": one set of the current graph, a model f(x) with
/// its equation history as tabs, the parameters with estimates and bounds,
/// a slider per parameter that redraws the model and its chi-squared, and
/// "Fit", which runs the Levenberg-Marquardt fit on a worker thread while
/// the window stays live. The worker works on copies; what it reports
/// comes back as copies through queued calls, so only this thread touches
/// the page. "Close" during a fit stops it after the current step and then
/// closes the dialog.
class CCurveFitDialog : public QDialog {
    Q_OBJECT
public:
    /// Works on the current graph of `doc`; `history` is the view's list of
    /// f(x) texts.
    CCurveFitDialog(CTarnDoc& doc, std::vector<std::string>& history, Messages& messages,
                    QWidget* parent = nullptr);
    /// Stops a running fit and waits for it.
    ~CCurveFitDialog() override;

    CurveFit& Fit() { return m_fit; }
    QListWidget* Sets() const { return m_sets; }
    QLineEdit* Model() const { return m_model; }
    QTabBar* Tabs() const { return m_tabs; }
    QTreeWidget* Parameters() const { return m_parameters; }
    QLineEdit* MinEdit() const { return m_minEdit; }
    QLineEdit* InitEdit() const { return m_initEdit; }
    QLineEdit* MaxEdit() const { return m_maxEdit; }
    QSlider* Slider() const { return m_slider; }
    QLabel* ChiSquare() const { return m_chi; }
    QPushButton* PrevButton() const { return m_prev; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* FitButton() const { return m_fitButton; }
    QPushButton* SaveButton() const { return m_save; }
    QCheckBox* SaveResidualsBox() const { return m_saveResiduals; }
    QCheckBox* SaveBandBox() const { return m_saveBand; }
    QPushButton* OptionsButton() const { return m_options; }
    QPushButton* CloseButton() const { return m_close; }
    /// Whether a fit is running.
    bool Fitting() const { return m_worker.joinable(); }

public slots:
    /// Escape and the title bar's close button act as "Close".
    void reject() override;

signals:
    /// The overlay curve changed: the view redraws.
    void Redraw();
    /// "Save Fit" added a set: the document changed.
    void Changed();
    /// The worker finished (after the report or message was shown).
    void FitFinished();

private:
    void OnSetChosen();
    void OnNext();
    void OnPrev();
    void OnParameterClicked();
    void OnSlider(int position);
    void OnFit();
    void OnSaveFit();
    void OnOptions();
    void OnClose();
    void OnTabChanged(int index);
    void OnFitProgress(const Equation& model, const std::string& chiText);
    void OnFitFinished(const FitOutcome& outcome);
    void UpdateControls();
    void FillParameters();
    void ShowRow(int index);
    void ShowEdits();
    void ShowSlider();
    void ShowChiSquare();
    void RefreshTabs();
    ParameterEdits Edits() const;

    class Relay;
    CurveFit m_fit;
    std::vector<std::string>& m_history;
    Messages& m_messages;
    std::unique_ptr<LevMarqFit> m_job;
    std::unique_ptr<Relay> m_relay;
    std::thread m_worker;
    int m_shownTab = 0;
    bool m_updating = false;

    QListWidget* m_sets;
    QLineEdit* m_model;
    QTabBar* m_tabs;
    QTreeWidget* m_parameters;
    QLineEdit* m_minEdit;
    QLineEdit* m_initEdit;
    QLineEdit* m_maxEdit;
    QSlider* m_slider;
    QLabel* m_chi;
    QPushButton* m_prev;
    QPushButton* m_next;
    QPushButton* m_fitButton;
    QPushButton* m_save;
    QCheckBox* m_saveResiduals;
    QCheckBox* m_saveBand;
    QPushButton* m_options;
    QPushButton* m_close;
};
