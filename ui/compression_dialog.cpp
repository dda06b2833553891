#include "ui/compression_dialog.h"

#include "io/movie_settings.h"

#include <QComboBox>
#include <algorithm>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

CCompressionDialog::CCompressionDialog(const MovieSettings& settings, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Compression Options");
    m_compressor = new QComboBox;
    m_compressor->addItems({"Full frames (uncompressed)", "Motion JPEG"});
    m_compressor->setCurrentIndex(settings.codec == AviCodec::MotionJpeg ? 1 : 0);
    m_quality = new QSpinBox;
    m_quality->setRange(1, 100);
    m_quality->setValue(std::clamp(settings.jpegQuality, 1, 100));
    m_quality->setEnabled(m_compressor->currentIndex() == 1);
    connect(m_compressor, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_quality->setEnabled(index == 1); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow("Compressor:", m_compressor);
    form->addRow("Compression Quality:", m_quality);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CCompressionDialog::ApplyTo(MovieSettings& settings) const
{
    settings.codec = m_compressor->currentIndex() == 1 ? AviCodec::MotionJpeg : AviCodec::Uncompressed;
    settings.jpegQuality = m_quality->value();
}
