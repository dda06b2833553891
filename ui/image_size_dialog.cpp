#include "ui/image_size_dialog.h"

#include "model/messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <climits>

CImageSizeDialog::CImageSizeDialog(int width, int height, Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_width(width), m_height(height)
{
    setWindowTitle("Export Image");
    auto* group = new QGroupBox("Output dimensions (in pixels)", this);
    auto* form = new QFormLayout(group);
    m_widthEdit = new QLineEdit(QString::number(width), group);
    m_heightEdit = new QLineEdit(QString::number(height), group);
    form->addRow("Width:", m_widthEdit);
    form->addRow("Height:", m_heightEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImageSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImageSizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

bool CImageSizeDialog::ReadSize(const std::string& text, int& value, std::string& message)
{
    // An optional sign and digits, with blanks around them, as an integer field reads.
    std::size_t at = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    std::string digits = at == std::string::npos ? std::string() : text.substr(at, end - at + 1);
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    bool ok = !digits.empty();
    long long number = 0;
    for (char c : digits) {
        ok = ok && std::isdigit(static_cast<unsigned char>(c));
        if (ok)
            number = std::min<long long>(number * 10 + (c - '0'), 1LL << 40);
    }
    if (!ok || number > INT_MAX) {
        message = "Please enter an integer.";
        return false;
    }
    if (negative || number < 1) {
        message = "Please enter an integer between 1 and 2147483647.";
        return false;
    }
    value = int(number);
    return true;
}

void CImageSizeDialog::accept()
{
    int width = 0, height = 0;
    std::string message;
    for (QLineEdit* edit : {m_widthEdit, m_heightEdit}) {
        if (!ReadSize(edit->text().toStdString(), edit == m_widthEdit ? width : height, message)) {
            m_messages.Show(message);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    m_width = width;
    m_height = height;
    QDialog::accept();
}
