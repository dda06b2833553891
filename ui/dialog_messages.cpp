#include "ui/dialog_messages.h"

#include "ui/text_output_dialog.h"

void DialogMessages::ShowText(const std::string& caption, const std::string& text)
{
    TextOutputDialog dialog(QString::fromStdString(caption), QString::fromStdString(text),
                            m_parent);
    dialog.exec();
}
