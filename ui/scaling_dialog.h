#pragma once

#include "document/scaling.h"

#include <QDialog>

class Graph;
class Messages;
class QComboBox;
class QLineEdit;

/// The "Scaling" dialog: the current graph's x and y ranges ("min =",
/// "max =") and where to apply them. OK reads the fields as number fields
/// (max x, min x, max y, min y; a bad one keeps the dialog open with its
/// message); "Default" asks for the automatic range instead.
class CScalingDialog : public QDialog {
    Q_OBJECT
public:
    CScalingDialog(const Graph& graph, Messages& messages, QWidget* parent = nullptr);

    /// After OK or "Default": what to do.
    const ScalingRequest& Request() const { return m_request; }

    QLineEdit* Field(int index) const { return m_fields[index]; } // x min, x max, y min, y max
    QComboBox* ApplyTo() const { return m_applyTo; }

    void accept() override;
    /// What "Default" does.
    void OnDefault();

private:
    Messages& m_messages;
    QLineEdit* m_fields[4];
    QComboBox* m_applyTo;
    ScalingRequest m_request;
};
