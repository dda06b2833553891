#pragma once

#include "model/page_rect.h"

#include <QPoint>
#include <QRect>
#include <QString>

class CTarnDoc;
class GraphObject;
class Messages;
class QPainter;
class TextObject;

/// Merge keys of the view's unmarked changes: a run of Ctrl+wheel zooms, or
/// of shifts, is one undo step.
constexpr int kWheelZoomRun = 1;
constexpr int kShiftRun = 2;

/// What the view does for the interaction, which owns no window.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    /// The page picture is stale: draw it again.
    virtual void RedrawPage() = 0;
    /// The document changed: mark it modified and draw the page again.
    virtual void PageModified() = 0;
    /// Repaints `area` from the page picture with the overlays on it.
    virtual void RepaintArea(const QRect& area) = 0;
    virtual void ShowStatus(int pane, const QString& text) = 0;
    virtual void SetViewCursor(Qt::CursorShape shape) = 0;
    /// The client area in device units.
    virtual PageRect Page() const = 0;
};

/// The editor a click or double click asks the view to open.
enum class ViewAction {
    None, AddLabel, EditLabel, EditLegend, EditTitle, EditXTitle, EditYTitle, XAxis, YAxis,
    Animate, ///< the Animate Plots window
};

/// The view's mouse and wheel handling: the mouse modes, selection and
/// dragging of page objects, rubber-band zoom, panning, Ctrl+wheel zoom,
/// cross hairs and the status-line read-outs. Cross hairs and the rubber band
/// are overlays painted over the page picture, so moving the mouse never
/// draws the graphs again.
class CViewInteraction {
public:
    enum Mode { Normal = 0, ZoomArmed = 1, Zooming = 2, LabelArmed = 3, Panning = 4 };

    CViewInteraction(CTarnDoc& doc, Messages& messages, ViewHost& host);

    int MouseMode() const { return m_mode; }
    bool CrossHairs() const { return m_crossHairs; }
    bool Dragging() const { return m_dragging; }
    /// The selected object, or null; checked against the page, so an object
    /// that is gone (a graph removed by a new arrangement) is never returned.
    GraphObject* Selection() const;
    /// The page fractions of the last click that asked for a new label.
    float LabelX() const { return m_labelX; }
    float LabelY() const { return m_labelY; }
    /// The cross-hair position, x = -1 when none is drawn.
    QPoint CrossPosition() const { return m_cross; }

    /// "Zoom": the next left-button drag draws the zoom rectangle.
    void ArmZoom();
    /// "User Defined": the next left click places a free label.
    void ArmLabel();
    /// Escape: leaves an armed Zoom or Insert-text mode, and drops a zoom
    /// rectangle being dragged without zooming. Returns whether a mode was left.
    bool CancelMode();
    /// "Restore Scaling": leaves zoom mode and scales the graph automatically.
    void RestoreScaling();
    /// "Cross Hairs" on or off.
    void ToggleCrossHairs();
    /// "Clear selection": `Clear` on the selected object, then no selection.
    void ClearSelection();
    /// Forgets the selection without touching the object (the document was
    /// replaced or rearranged).
    void DropSelection();

    ViewAction Press(QPoint point, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys);
    void Release(QPoint point, Qt::MouseButton button);
    void Move(QPoint point, Qt::MouseButtons buttons);
    /// The editor that a double click at `point` opens.
    ViewAction DoubleClick(QPoint point);
    void Wheel(int delta, Qt::KeyboardModifiers keys);
    void FocusLost();
    /// Whether a right click may open the context menu now.
    bool MayShowContextMenu(Qt::MouseButtons buttons) const;

    /// Paints the cross hairs and the rubber band over the page picture.
    void PaintOverlays(QPainter& painter) const;

private:
    void SelectAt(QPoint point, Qt::KeyboardModifiers keys);
    void ShowNearestPoint(QPoint point);
    void MoveCross(QPoint point);
    void MoveBand(QPoint point);
    void Pan(QPoint point);
    void Drag(QPoint point);
    QRect BandRect() const;
    // The page fractions of `point`.
    float FractionX(QPoint point) const;
    float FractionY(QPoint point) const;

    CTarnDoc& m_doc;
    Messages& m_messages;
    ViewHost& m_host;
    int m_mode = Normal;
    QPoint m_anchor;
    QPoint m_corner;
    bool m_bandShown = false;
    QPoint m_panLast;
    bool m_crossHairs = false;
    QPoint m_cross{-1, -1};
    GraphObject* m_selection = nullptr;
    bool m_selectionIsLabel = false;
    int m_hitAxis = 0; // the axis of the last click: 1 left, 2 right, 3 top, 4 bottom
    bool m_graphHit = false;
    bool m_dragging = false;
    float m_dragX = 0.0f;
    float m_dragY = 0.0f;
    float m_labelX = 0.0f;
    float m_labelY = 0.0f;
};
