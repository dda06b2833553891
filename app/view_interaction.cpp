#include "app/view_interaction.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/qt_canvas.h"
#include "render/graph.h"
#include "render/plot_geometry.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

CViewInteraction::CViewInteraction(CTarnDoc& doc, Messages& messages, ViewHost& host)
    : m_doc(doc), m_messages(messages), m_host(host)
{
}

GraphObject* CViewInteraction::Selection() const
{
    if (!m_selection)
        return nullptr;
    for (int i = 0; i < m_doc.m_labels.Count(); ++i)
        if (&m_doc.m_labels.Get(i) == m_selection)
            return m_selection;
    Graph& graph = m_doc.CurrentGraph();
    for (GraphObject* part : std::initializer_list<GraphObject*>{&graph, &graph.m_legend, &graph.m_title,
                                                                  &graph.m_xLabel, &graph.m_yLabel})
        if (part == m_selection)
            return m_selection;
    return nullptr;
}

void CViewInteraction::ArmZoom()
{
    m_mode = ZoomArmed;
    m_host.SetViewCursor(Qt::CrossCursor);
}

void CViewInteraction::ArmLabel()
{
    m_mode = LabelArmed;
    m_host.SetViewCursor(Qt::IBeamCursor);
}

bool CViewInteraction::CancelMode()
{
    if (m_mode != ZoomArmed && m_mode != Zooming && m_mode != LabelArmed)
        return false;
    if (m_mode == Zooming && m_bandShown) {
        const QRect band = BandRect();
        m_bandShown = false;
        m_host.RepaintArea(band.adjusted(-2, -2, 2, 2));
    }
    m_mode = Normal;
    m_host.SetViewCursor(Qt::ArrowCursor);
    return true;
}

void CViewInteraction::RestoreScaling()
{
    if (m_mode == ZoomArmed || m_mode == Zooming) {
        m_mode = Normal;
        m_bandShown = false;
        m_host.SetViewCursor(Qt::ArrowCursor);
    }
    m_doc.CurrentGraph().AutoScale(false, m_messages);
    m_doc.RecordUnmarkedChange();
    m_host.RedrawPage();
}

void CViewInteraction::ToggleCrossHairs()
{
    m_crossHairs = !m_crossHairs;
    if (!m_crossHairs && m_cross.x() >= 0) {
        const PageRect page = m_host.Page();
        const QPoint old = m_cross;
        m_cross = QPoint(-1, -1);
        m_host.RepaintArea(QRect(old.x() - 1, 0, 3, page.Height()));
        m_host.RepaintArea(QRect(0, old.y() - 1, page.Width(), 3));
    }
}

void CViewInteraction::ClearSelection()
{
    // Emptying a title or a label is an edit of the page; the other objects
    // clear nothing.
    bool emptied = false;
    if (GraphObject* selected = Selection()) {
        const auto* text = dynamic_cast<const TextObject*>(selected);
        emptied = text && !text->m_text.empty();
        selected->Clear();
        selected->m_selected = 0;
    }
    m_selection = nullptr;
    m_dragging = false;
    if (emptied)
        m_host.PageModified();
    else
        m_host.RedrawPage();
}

void CViewInteraction::DropSelection()
{
    if (GraphObject* selected = Selection())
        selected->m_selected = 0;
    m_selection = nullptr;
    m_dragging = false;
}

float CViewInteraction::FractionX(QPoint point) const
{
    const PageRect page = m_host.Page();
    return page.Width() > 0 ? float(point.x() - page.left) / float(page.Width()) : 0.0f;
}

float CViewInteraction::FractionY(QPoint point) const
{
    const PageRect page = m_host.Page();
    return page.Height() > 0 ? float(page.bottom - point.y()) / float(page.Height()) : 0.0f;
}

ViewAction CViewInteraction::Press(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons,
                                   Qt::KeyboardModifiers keys)
{
    if (button == Qt::MiddleButton) {
        if ((keys & Qt::ControlModifier) && m_mode == Normal) {
            m_panLast = point;
            m_mode = Panning;
            m_host.SetViewCursor(Qt::SizeAllCursor);
        } else if (!(keys & Qt::ControlModifier)) {
            m_host.ShowStatus(0, "Ctrl key + middle button to scroll");
        }
        return ViewAction::None;
    }
    if (button != Qt::LeftButton || (buttons & (Qt::RightButton | Qt::MiddleButton)))
        return ViewAction::None;
    const bool hadSelection = Selection() != nullptr;
    DropSelection();
    if (m_mode == ZoomArmed) {
        m_anchor = m_corner = point;
        m_bandShown = false;
        m_mode = Zooming;
        return ViewAction::None;
    }
    if (m_mode == LabelArmed) {
        m_mode = Normal;
        m_host.SetViewCursor(Qt::ArrowCursor);
        m_labelX = FractionX(point);
        m_labelY = FractionY(point);
        if (hadSelection)
            m_host.RedrawPage();
        return ViewAction::AddLabel;
    }
    SelectAt(point, keys);
    if (m_selection) {
        m_dragX = FractionX(point);
        m_dragY = FractionY(point);
    }
    const PageRect page = m_host.Page();
    const Graph& graph = m_doc.CurrentGraph();
    m_host.ShowStatus(1, QString::asprintf("X = %f, Y = %f", graph.DeviceToDataX(point.x(), page),
                                           graph.DeviceToDataY(point.y(), page)));
    m_host.ShowStatus(2, QString::asprintf("G%d", m_doc.m_currentGraph));
    if (keys & Qt::ControlModifier)
        ShowNearestPoint(point);
    if (hadSelection || m_selection)
        m_host.RedrawPage();
    return ViewAction::None;
}

void CViewInteraction::SelectAt(QPoint point, Qt::KeyboardModifiers keys)
{
    const PageRect page = m_host.Page();
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    QtCanvas canvas(painter);
    const DevicePoint at{point.x(), point.y()};
    GraphObject* chosen = nullptr;
    bool label = false;
    for (int i = 0; i < m_doc.m_labels.Count(); ++i) {
        TextObject& text = m_doc.m_labels.Get(i);
        if (text.HitTest(at, canvas, page) && !chosen) {
            chosen = &text;
            label = true;
        }
        text.m_selected = 0;
    }
    Graph& graph = m_doc.CurrentGraph();
    // Later hits win: legend, x title, y title, graph title.
    for (GraphObject* part : std::initializer_list<GraphObject*>{&graph.m_legend, &graph.m_xLabel, &graph.m_yLabel,
                                                                  &graph.m_title}) {
        if (part->HitTest(at, canvas, page)) {
            chosen = part;
            label = false;
        }
        part->m_selected = 0;
    }
    m_hitAxis = 0;
    const std::pair<Axis*, int> axes[] = {{&graph.m_leftAxis, kDragLeft},
                                          {&graph.m_rightAxis, kDragRight},
                                          {&graph.m_topAxis, kDragTop},
                                          {&graph.m_bottomAxis, kDragBottom}};
    for (auto [axis, mode] : axes) {
        if (axis->HitTest(at, canvas, page) && m_hitAxis == 0)
            m_hitAxis = mode;
        axis->m_selected = 0;
    }
    m_graphHit = graph.HitTest(at, canvas, page) != 0;
    graph.m_selected = 0;
    if (keys & Qt::ShiftModifier) {
        chosen = &graph;
        label = false;
        graph.m_dragMode = m_hitAxis;
    }
    m_selection = chosen;
    m_selectionIsLabel = label;
    if (chosen)
        chosen->m_selected = 1;
    else
        m_host.ShowStatus(0, "Shift + Left button to move");
}

void CViewInteraction::ShowNearestPoint(QPoint point)
{
    const PageRect page = m_host.Page();
    const Graph& graph = m_doc.CurrentGraph();
    int best = -1;
    NearestPointResult nearest;
    for (int i = 0; i < graph.m_plots.Count(); ++i) {
        const NearestPointResult candidate = NearestPoint(graph.m_plots.Get(i), {point.x(), point.y()}, page);
        if (candidate.distance >= 0 && (best < 0 || candidate.distance < nearest.distance)) {
            best = i;
            nearest = candidate;
        }
    }
    if (best >= 0)
        m_host.ShowStatus(0, QString::asprintf("Set %d: point (%g, %g)", best, double(nearest.x), double(nearest.y)));
}

void CViewInteraction::Release(QPoint point, Qt::MouseButton button)
{
    if (button == Qt::MiddleButton) {
        if (m_mode == Panning) {
            m_mode = Normal;
            m_host.SetViewCursor(Qt::ArrowCursor);
            m_doc.RecordUnmarkedChange();
        }
        return;
    }
    if (button != Qt::LeftButton)
        return;
    if (m_mode == Zooming) {
        m_mode = Normal;
        m_host.SetViewCursor(Qt::ArrowCursor);
        m_corner = point;
        m_bandShown = false;
        const int left = std::min(m_anchor.x(), m_corner.x()), right = std::max(m_anchor.x(), m_corner.x());
        const int top = std::min(m_anchor.y(), m_corner.y()), bottom = std::max(m_anchor.y(), m_corner.y());
        if (left != right && top != bottom) {
            const PageRect page = m_host.Page();
            Graph& graph = m_doc.CurrentGraph();
            graph.SetRanges(float(graph.DeviceToDataX(left, page)), float(graph.DeviceToDataX(right, page)),
                            float(graph.DeviceToDataY(bottom, page)), float(graph.DeviceToDataY(top, page)), true,
                            m_messages);
            m_doc.RecordUnmarkedChange();
            m_host.RedrawPage();
        } else {
            m_host.RepaintArea(QRect(m_anchor, m_corner).normalized().adjusted(-2, -2, 2, 2));
        }
        return;
    }
    if (m_dragging) {
        m_dragging = false;
        m_host.SetViewCursor(Qt::ArrowCursor);
        m_host.PageModified();
    }
}

void CViewInteraction::Move(QPoint point, Qt::MouseButtons buttons)
{
    const PageRect page = m_host.Page();
    const Graph& graph = m_doc.CurrentGraph();
    m_host.ShowStatus(1, QString::asprintf("X = %-9.6g, Y = %-9.6g", graph.DeviceToDataX(point.x(), page),
                                           graph.DeviceToDataY(point.y(), page)));
    m_host.ShowStatus(2, QString::asprintf("G%d", m_doc.m_currentGraph));
    if (m_crossHairs)
        MoveCross(point);
    switch (m_mode) {
    case Zooming:
        m_host.SetViewCursor(Qt::CrossCursor);
        if (buttons & Qt::LeftButton)
            MoveBand(point);
        return;
    case LabelArmed: m_host.SetViewCursor(Qt::IBeamCursor); return;
    case Panning:
        m_host.SetViewCursor(Qt::SizeAllCursor);
        Pan(point);
        return;
    case ZoomArmed: m_host.SetViewCursor(Qt::CrossCursor); return;
    default: break;
    }
    if ((buttons & Qt::LeftButton) && !(buttons & Qt::RightButton) && Selection()) {
        Drag(point);
        return;
    }
    m_host.SetViewCursor(Qt::ArrowCursor);
}

void CViewInteraction::MoveCross(QPoint point)
{
    const PageRect page = m_host.Page();
    const QPoint old = m_cross;
    m_cross = point;
    // Only the strips under the old and the new lines are painted again.
    for (QPoint at : {old, point}) {
        if (at.x() < 0)
            continue;
        m_host.RepaintArea(QRect(at.x() - 1, 0, 3, page.Height()));
        m_host.RepaintArea(QRect(0, at.y() - 1, page.Width(), 3));
    }
}

QRect CViewInteraction::BandRect() const
{
    return QRect(m_anchor, m_corner).normalized();
}

void CViewInteraction::MoveBand(QPoint point)
{
    const QRect old = BandRect();
    m_corner = point;
    m_bandShown = true;
    const QRect now = BandRect();
    // The four edges of the old and the new rectangle.
    for (QRect r : {old, now}) {
        m_host.RepaintArea(QRect(r.left() - 1, r.top() - 1, r.width() + 2, 3));
        m_host.RepaintArea(QRect(r.left() - 1, r.bottom() - 1, r.width() + 2, 3));
        m_host.RepaintArea(QRect(r.left() - 1, r.top() - 1, 3, r.height() + 2));
        m_host.RepaintArea(QRect(r.right() - 1, r.top() - 1, 3, r.height() + 2));
    }
}

void CViewInteraction::Pan(QPoint point)
{
    const PageRect page = m_host.Page();
    Graph& graph = m_doc.CurrentGraph();
    float xMin = graph.m_xMin, xMax = graph.m_xMax, yMin = graph.m_yMin, yMax = graph.m_yMax;
    // The data follow the pointer: the range moves against the pointer's way.
    if (!graph.m_xLog) {
        const float dx = float(graph.DeviceToDataX(m_panLast.x(), page) - graph.DeviceToDataX(point.x(), page));
        xMin += dx;
        xMax += dx;
    }
    if (!graph.m_yLog) {
        const float dy = float(graph.DeviceToDataY(m_panLast.y(), page) - graph.DeviceToDataY(point.y(), page));
        yMin += dy;
        yMax += dy;
    }
    m_panLast = point;
    if (graph.m_xLog && graph.m_yLog)
        return;
    graph.SetRanges(graph.m_xLog ? float(graph.GetRange().xMin) : xMin, graph.m_xLog ? float(graph.GetRange().xMax) : xMax,
                    graph.m_yLog ? float(graph.GetRange().yMin) : yMin, graph.m_yLog ? float(graph.GetRange().yMax) : yMax,
                    true, m_messages);
    m_host.RedrawPage();
}

void CViewInteraction::Drag(QPoint point)
{
    GraphObject* selected = Selection();
    m_dragging = true;
    m_host.SetViewCursor(Qt::SizeAllCursor);
    const float x = FractionX(point), y = FractionY(point);
    selected->MoveX(x - m_dragX);
    selected->MoveY(y - m_dragY);
    m_dragX = x;
    m_dragY = y;
    m_host.RedrawPage();
}

static bool PageHasSets(const CTarnDoc& doc)
{
    for (const Graph& graph : doc.m_graphs)
        if (graph.m_plots.Count() > 0)
            return true;
    return false;
}

ViewAction CViewInteraction::DoubleClick(QPoint)
{
    GraphObject* selected = Selection();
    const Graph& graph = m_doc.CurrentGraph();
    if (selected && m_selectionIsLabel)
        return ViewAction::EditLabel;
    if (selected == &graph.m_legend)
        return ViewAction::EditLegend;
    if (selected == &graph.m_title)
        return ViewAction::EditTitle;
    if (selected == &graph.m_yLabel)
        return ViewAction::EditYTitle;
    if (selected == &graph.m_xLabel)
        return ViewAction::EditXTitle;
    if (m_hitAxis == kDragTop || m_hitAxis == kDragBottom)
        return ViewAction::XAxis;
    if (m_hitAxis == kDragLeft || m_hitAxis == kDragRight)
        return ViewAction::YAxis;
    // Anywhere else on the graph steps through the sets, when there are any.
    if (m_graphHit && PageHasSets(m_doc))
        return ViewAction::Animate;
    return ViewAction::None;
}

void CViewInteraction::Wheel(int delta, Qt::KeyboardModifiers keys)
{
    if (!(keys & Qt::ControlModifier)) {
        m_host.ShowStatus(0, "Hold down the Ctrl key + wheel mouse to zoom");
        return;
    }
    m_mode = Normal;
    m_bandShown = false;
    DropSelection();
    m_host.SetViewCursor(Qt::ArrowCursor);
    Graph& graph = m_doc.CurrentGraph();
    const GraphRange range = graph.GetRange();
    float xMin = float(range.xMin), xMax = float(range.xMax), yMin = float(range.yMin), yMax = float(range.yMax);
    if (!graph.m_xLog) {
        const float d = float(delta) * (graph.m_xMax - graph.m_xMin) * 0.00083333335f;
        xMin = graph.m_xMin + d;
        xMax = graph.m_xMax - d;
    }
    if (!graph.m_yLog) {
        const float d = float(delta) * (graph.m_yMax - graph.m_yMin) * 0.00083333335f;
        yMin = graph.m_yMin + d;
        yMax = graph.m_yMax - d;
    }
    if (graph.m_xLog && graph.m_yLog)
        return;
    graph.SetRanges(xMin, xMax, yMin, yMax, true, m_messages);
    m_doc.RecordUnmarkedChange(kWheelZoomRun);
    m_host.RedrawPage();
}

void CViewInteraction::FocusLost()
{
    if (m_mode == Panning) {
        m_mode = Normal;
        m_host.SetViewCursor(Qt::ArrowCursor);
    }
}

bool CViewInteraction::MayShowContextMenu(Qt::MouseButtons buttons) const
{
    return m_mode == Normal && !m_dragging && buttons == Qt::RightButton;
}

void CViewInteraction::PaintOverlays(QPainter& painter) const
{
    const PageRect page = m_host.Page();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Inverted lines stay visible on any page colour.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    if (m_crossHairs && m_cross.x() >= 0) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(m_cross.x(), page.top, m_cross.x(), page.bottom - 1);
        painter.drawLine(page.left, m_cross.y(), page.right - 1, m_cross.y());
    }
    if (m_mode == Zooming && m_bandShown) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(BandRect());
    }
    painter.restore();
}
