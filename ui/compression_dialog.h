#pragma once

#include <QDialog>

class QComboBox;
class QSpinBox;
struct MovieSettings;

/// The "Compression Options" chooser of a movie: "Full frames
/// (uncompressed)" or "Motion JPEG" with its quality (1 to 100).
class CCompressionDialog : public QDialog {
    Q_OBJECT
public:
    /// Opens on the choice and quality of `settings`.
    explicit CCompressionDialog(const MovieSettings& settings, QWidget* parent = nullptr);

    /// Writes the choice into `settings`' codec and quality.
    void ApplyTo(MovieSettings& settings) const;

    QComboBox* Compressor() const { return m_compressor; }
    QSpinBox* Quality() const { return m_quality; }

private:
    QComboBox* m_compressor;
    QSpinBox* m_quality;
};
