#include "app/tarn_view.h"

#include "document/tarn_doc.h"

#include <QPainter>

CTarnView::CTarnView(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_messages(messages)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

bool CTarnView::OnCommand(CommandId)
{
    return false;
}

bool CTarnView::IsCommandEnabled(CommandId) const
{
    return false;
}

bool CTarnView::IsCommandChecked(CommandId, bool*) const
{
    return false;
}

void CTarnView::Refresh()
{
    update();
}

void CTarnView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}
