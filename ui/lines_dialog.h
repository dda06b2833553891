#pragma once

#include "render/ref_line.h"

#include <QDialog>

#include <functional>

class Graph;
class Messages;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

/// The "Line Properties" dialog: "X" or "Y", "=", a value and "Line type:".
/// It opens on "Y", "Solid" and 0; OK with a value that is no number shows
/// "Please enter a number." and stays open.
class CLinePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    CLinePropertiesDialog(Messages& messages, QWidget* parent = nullptr);

    /// The line chosen (valid after OK).
    const RefLine& Line() const { return m_line; }
    QComboBox* OrientationCombo() const { return m_orientation; }
    QLineEdit* ValueEdit() const { return m_value; }
    QComboBox* TypeCombo() const { return m_type; }

public slots:
    void accept() override;

private:
    Messages& m_messages;
    RefLine m_line;
    QComboBox* m_orientation;
    QLineEdit* m_value;
    QComboBox* m_type;
};

/// The "Lines" dialog: the graph's reference lines as "x = %g" or "y = %g",
/// "Add ..." (through "Line Properties"), "Delete" and "Close". It changes
/// the graph directly.
class CLinesDialog : public QDialog {
    Q_OBJECT
public:
    /// Asks for a new line; true with the line filled in when confirmed.
    using LineAsker = std::function<bool(QWidget* parent, RefLine& line)>;

    CLinesDialog(Graph& graph, Messages& messages, QWidget* parent = nullptr);

    /// Replaces the "Line Properties" dialog (tests).
    void SetLineAsker(LineAsker asker) { m_asker = std::move(asker); }
    /// What "Add ..." does: asks for a line and adds it unless the log scale
    /// refuses it.
    void Add();
    /// What "Delete" does.
    void Delete();

    QListWidget* List() const { return m_list; }

private:
    void Fill();

    Graph& m_graph;
    Messages& m_messages;
    LineAsker m_asker;
    QListWidget* m_list;
};
