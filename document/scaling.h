#pragma once

class CTarnDoc;
class Messages;

/// The "Apply to" choices of the Scaling dialog, in its order.
enum class ScalingTarget { CurrentGraph = 0, AllGraphs = 1, XAllGraphs = 2, YAllGraphs = 3 };

/// The Scaling dialog's request: the automatic range ("Default") or the four
/// values, for the graphs and axes of `target`.
struct ScalingRequest {
    ScalingTarget target = ScalingTarget::CurrentGraph;
    bool useDefault = false;
    float xMin = 0.0f;
    float xMax = 1.0f;
    float yMin = 0.0f;
    float yMax = 1.0f;
};

/// Carries out the request: "Default" clears the fixed ranges and scales
/// automatically; values become the fixed ranges and are applied. A value
/// of zero or below for a target that has a log axis is refused with its
/// message and nothing changes. Returns whether the page changed.
bool ApplyScaling(CTarnDoc& doc, const ScalingRequest& request, Messages& messages);
