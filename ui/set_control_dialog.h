#pragma once

#include <QDialog>
#include <vector>

class QListWidget;
class SetControl;

/// The set list dialog: shows the entries of a `SetControl` and, on OK, carries
/// out its action on the chosen entries.
class CSetControlDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSetControlDialog(SetControl& control, QWidget* parent = nullptr);

    /// The set indices chosen on OK (ascending).
    const std::vector<int>& Result() const { return m_result; }
    QListWidget* List() const { return m_list; }

    void accept() override;

private:
    SetControl& m_control;
    QListWidget* m_list;
    std::vector<int> m_result;
};
