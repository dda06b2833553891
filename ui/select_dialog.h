#pragma once

#include <QDialog>

class QComboBox;

/// The "Select Graph" dialog: choose the current graph by number.
class CSelectDialog : public QDialog {
    Q_OBJECT
public:
    CSelectDialog(int graphCount, int current, QWidget* parent = nullptr);

    int Chosen() const;
    QComboBox* Combo() const { return m_combo; }

private:
    QComboBox* m_combo;
};
