#include "model/graph_object.h"

void GraphObject::Draw(Canvas&, const PageRect&) const {}

void GraphObject::DrawSelection(Canvas&, const PageRect&) const {}

int GraphObject::HitTest(DevicePoint point, Canvas&, const PageRect& page)
{
    if (!m_visible)
        return 0;
    m_selected = GetBoundingBox(page).Contains(point) ? 1 : 0;
    return m_selected;
}

BoundingBox GraphObject::GetBoundingBox(const PageRect&) const
{
    return {};
}

void GraphObject::BeginPrintScaling(Canvas&, int num, int den, const PageRect&)
{
    m_printMode = 1;
    m_scaleNum = num;
    m_scaleDen = den;
}

void GraphObject::EndPrintScaling(Canvas&, const PageRect&)
{
    m_printMode = 0;
    m_scaleNum = 1;
    m_scaleDen = 1;
}
