#include "ui/paste_data_dialog.h"

#include "io/ascii_import.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

PasteDataDialog::PasteDataDialog(QWidget* parent) : QDialog(parent), m_format(new QComboBox(this))
{
    setWindowTitle("Paste Data");
    for (int format = kImportXY; format <= kImportXYDXDY; ++format)
        m_format->addItem(kImportFormatNames[format]);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Please specify the import format:", this));
    layout->addWidget(m_format);
    layout->addWidget(buttons);
}

int PasteDataDialog::Format() const
{
    return m_format->currentIndex();
}

void PasteDataDialog::SetFormat(int format)
{
    m_format->setCurrentIndex(format);
}
