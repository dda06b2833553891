#include "ui/tick_labels_dialog.h"

#include "document/tarn_doc.h"
#include "platform/qt_canvas.h"
#include "ui/axis_dialog_parts.h"
#include "ui/color_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

bool ChooseFontAndColor(QWidget* parent, LogFont& font, Color& color, Messages& messages)
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, QtCanvas::ToQFont(font), parent, "Font");
    if (!accepted)
        return false;
    font = QtCanvas::ToLogFont(chosen, font);
    Color picked = color;
    if (PickColor(parent, color, &picked, messages))
        color = picked;
    return true;
}

CTickLabelsDialog::CTickLabelsDialog(CTarnDoc& doc, AxisDirection direction, Messages& messages,
                                     QWidget* parent)
    : QDialog(parent), m_doc(doc), m_direction(direction)
{
    setWindowTitle("Tick Labels");
    const TickLabelEntries entries = LoadTickLabels(doc.CurrentGraph(), direction);
    m_font = entries.font;
    m_color = entries.color;
    m_chooser = [&messages](QWidget* owner, LogFont& font, Color& color) {
        return ChooseFontAndColor(owner, font, color, messages);
    };
    m_side = MakeSideCombo(this);
    m_side->setCurrentIndex(entries.side);
    m_fontButton = new QPushButton("Font ...");
    connect(m_fontButton, &QPushButton::clicked, this, &CTickLabelsDialog::ChooseFont);
    m_format = new QComboBox;
    for (const char* name : {"General", "Engineering", "Scientific"})
        m_format->addItem(name);
    m_format->setCurrentIndex(std::clamp(entries.format, 0, 2));
    m_precision = new QComboBox;
    for (int digits = 0; digits <= 9; ++digits)
        m_precision->addItem(QString::number(digits));
    m_precision->setCurrentIndex(std::clamp(entries.precision, 0, 9));
    m_applyTo = MakeApplyToCombo(this);
    auto* form = new QFormLayout;
    form->addRow("Draw Labels on:", m_side);
    form->addRow(m_fontButton);
    form->addRow("Format:", m_format);
    form->addRow("Precision:", m_precision);
    form->addRow("Apply To:", m_applyTo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTickLabelsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTickLabelsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CTickLabelsDialog::ChooseFont()
{
    LogFont font = m_font;
    Color color = m_color;
    if (m_chooser && m_chooser(this, font, color)) {
        m_font = font;
        m_color = color;
    }
}

TickLabelEntries CTickLabelsDialog::Entries() const
{
    return {m_side->currentIndex(), m_font, m_color, m_format->currentIndex(),
            m_precision->currentIndex()};
}

void CTickLabelsDialog::accept()
{
    ApplyTickLabels(m_doc, m_direction, m_applyTo->currentIndex(), Entries());
    m_doc.SetModifiedFlag(true);
    QDialog::accept();
}
