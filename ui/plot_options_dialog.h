#pragma once

#include "document/plot_style_edit.h"

#include <QDialog>

#include <functional>

class CPlotListBox;
class CTarnDoc;
class Messages;
class QCheckBox;
class QComboBox;
class QPushButton;

/// The "Plot Options" dialog: the symbol and line style of the chosen sets
/// of the current graph and the graph's animation mode. "Apply" (and "OK",
/// before it closes) restyles the selected sets; the lists show the style of
/// the set chosen last.
class CPlotOptionsDialog : public QDialog {
    Q_OBJECT
public:
    CPlotOptionsDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    /// Replaces the colour chooser behind "Custom" (tests choose without a
    /// screen): given the start colour, returns whether the user accepted
    /// and the chosen colour.
    void SetColorPicker(std::function<bool(Color start, Color* result)> picker) { m_pickColor = std::move(picker); }

    CPlotListBox* List() const { return m_list; }
    QComboBox* PointStyle() const { return m_pointStyle; }
    QComboBox* PointSize() const { return m_pointSize; }
    QComboBox* PointColor() const { return m_pointColor; }
    QComboBox* LineStyle() const { return m_lineStyle; }
    QComboBox* LineSize() const { return m_lineSize; }
    QComboBox* LineColor() const { return m_lineColor; }
    QCheckBox* Animation() const { return m_animation; }
    QPushButton* ApplyButton() const { return m_apply; }
    const PlotStyleEdit& Edit() const { return m_edit; }

    /// "Apply": restyles the selected sets and stores the animation mode;
    /// emits `Changed` when the views are to be updated.
    void Apply();
    /// What choosing item `item` of the symbol (`line` false) or line colour
    /// list does; "Custom" opens the colour chooser, whose Cancel reloads
    /// every list from the remembered set.
    void ChooseColor(bool line, int item);

public slots:
    void accept() override;

signals:
    /// A set was restyled or the animation mode switched.
    void Changed();

private:
    void Reload();
    void ShowItems();
    void ReadItems();

    CTarnDoc& m_doc;
    Messages& m_messages;
    PlotStyleEdit m_edit;
    std::function<bool(Color, Color*)> m_pickColor;
    CPlotListBox* m_list;
    QComboBox* m_pointStyle;
    QComboBox* m_pointSize;
    QComboBox* m_pointColor;
    QComboBox* m_lineStyle;
    QComboBox* m_lineSize;
    QComboBox* m_lineColor;
    QCheckBox* m_animation;
    QPushButton* m_apply;
};
