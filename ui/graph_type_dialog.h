#pragma once

#include <QDialog>

class QListWidget;

/// The "Set Graph Type" dialog: one list of the four linear and logarithmic
/// axis combinations. The caller switches the scales after "OK".
class CGraphTypeDialog : public QDialog {
    Q_OBJECT
public:
    /// Opens on item `item` (0 to 3, as `GraphTypeItem` gives).
    explicit CGraphTypeDialog(int item, QWidget* parent = nullptr);

    /// The chosen item, 0 when none is chosen.
    int Item() const;
    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
};
