#pragma once

#include <QDialog>
#include <QStringList>

/// The About box: version, build date, the screen coordinate width and the credits.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    /// The three one-line fields in the order shown.
    static QStringList Fields();
};
